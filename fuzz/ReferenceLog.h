// The message window's line rules written out plainly, one list item a line, to check the packed
// log against.
#pragma once

#include <QString>
#include <QStringList>

class ReferenceLog
{
public:
    QStringList lines{QString()};

    void outputLine(const QString& text)
    {
        if (lines.last().isEmpty())
            lines.last() = text;
        else
            lines.append(text);
        lines.append(QString());
    }

    void outputByte(quint8 byte, bool hexMode)
    {
        if (lines.last().size() >= 60 && byte != 10)
            lines.append(QString());
        lines.last() += shown(byte, hexMode);
        if (byte == 10)
            lines.append(QString());
    }

    void clear() { lines = QStringList{QString()}; }

    static QString shown(quint8 byte, bool hexMode)
    {
        if (!hexMode) {
            if (byte == '\\')
                return QStringLiteral("\\\\");
            if (byte == '\r' || byte == '\n')
                return {};
            if (byte >= ' ' && byte <= '~')
                return QString(QChar(byte));
        }
        return QString::asprintf("\\%02X", byte);
    }
};
