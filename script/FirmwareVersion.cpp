// Reading the firmware version out of the modem's reply to "V".
#include "script/FirmwareVersion.h"

namespace
{

const QByteArray kReplyOK = QByteArrayLiteral("OK\r\n");
// The reply starts with a header of this many characters before the version text.
constexpr qsizetype kHeaderLength = 4;

} // namespace

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
