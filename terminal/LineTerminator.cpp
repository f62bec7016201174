// The escape text of each line terminator.
#include "terminal/LineTerminator.h"

QByteArray eolEscape(const QString& eolText)
{
    if (eolText == QLatin1String("CR"))
        return QByteArrayLiteral("\\0d");
    if (eolText == QLatin1String("CRLF"))
        return QByteArrayLiteral("\\0d\\0a");
    if (eolText == QLatin1String("LF"))
        return QByteArrayLiteral("\\0a");
    if (eolText == QLatin1String("NONE"))
        return {};
    return eolText.toLatin1();
}
