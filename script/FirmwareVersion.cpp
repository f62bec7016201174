// Reading the firmware version out of the modem's reply to "V".
#include "script/FirmwareVersion.h"

namespace
{

const QByteArray kReplyOK = QByteArrayLiteral("OK\r\n");
// The reply starts with a header of this many characters before the version text.
constexpr qsizetype kHeaderLength = 4;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

double leadingNumber(const QByteArray& text)
{
    qsizetype i = 0;
    while (i < text.size() && (text.at(i) == ' ' || text.at(i) == '\t'))
        ++i;
    const qsizetype start = i;
    if (i < text.size() && (text.at(i) == '+' || text.at(i) == '-'))
        ++i;
    bool digits = false;
    bool point = false;
    for (; i < text.size(); ++i) {
        const char c = text.at(i);
        if (isDigit(c))
            digits = true;
        else if (c == '.' && !point)
            point = true;
        else
            break;
    }
    if (!digits)
        return 0.0;
    bool ok = false;
    const double number = text.mid(start, i - start).toDouble(&ok);
    return ok ? number : 0.0;
}

FirmwareVersion parseFirmwareVersion(const QByteArray& reply)
{
    FirmwareVersion version;
    if (!reply.endsWith(kReplyOK))
        return version;
    const QByteArray body = reply.mid(kHeaderLength);
    const qsizetype cr = body.indexOf('\r');
    if (cr < 0)
        return version;
    QByteArray text = body.left(cr);
    while (text.endsWith(' '))
        text.chop(1);
    version.text = text;
    version.number = leadingNumber(text);
    return version;
}
