// Settings-text parsing for the serial component.
#include "platform/CommSettings.h"

#include <QStringList>

bool parseCommSettings(const QString& text, LineSettings* out, QString* reason)
{
    auto fail = [&](const QString& why) {
        if (reason)
            *reason = why;
        return false;
    };
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 4)
        return fail(
            QStringLiteral("the format \"%1\" is not baud,parity,data bits,stop bits").arg(text));
    bool ok = false;
    const qint64 baud = parts[0].trimmed().toLongLong(&ok);
    if (!ok || baud <= 0 || baud > 4000000)
        return fail(QStringLiteral("\"%1\" is not a baud rate").arg(parts[0].trimmed()));
    const QString parity = parts[1].trimmed().toUpper();
    if (parity.size() != 1 || !QStringLiteral("NEOMS").contains(parity))
        return fail(
            QStringLiteral("\"%1\" is not a parity (N, E, O, M or S)").arg(parts[1].trimmed()));
    const int dataBits = parts[2].trimmed().toInt(&ok);
    if (!ok || dataBits < 5 || dataBits > 8)
        return fail(
            QStringLiteral("\"%1\" is not a number of data bits (5 to 8)").arg(parts[2].trimmed()));
    const int stopBits = parts[3].trimmed().toInt(&ok);
    if (!ok || (stopBits != 1 && stopBits != 2))
        return fail(
            QStringLiteral("\"%1\" is not a number of stop bits (1 or 2)").arg(parts[3].trimmed()));
    if (out) {
        out->baud = static_cast<qint32>(baud);
        out->parity = parity.at(0).toLatin1();
        out->dataBits = dataBits;
        out->stopBits = stopBits;
    }
    return true;
}

int bitsPerByte(const LineSettings& settings)
{
    return 1 + settings.dataBits + (settings.parity == 'N' ? 0 : 1) + settings.stopBits;
}
