// Checks on the message window shared by the end-to-end runs of the scripts.
#pragma once

#include <QStringList>

// Empty when the expected lines appear in the log in this order (others may lie between);
// otherwise names the first one missing and the whole log, for the failure message.
inline QString missingInOrder(const QStringList& log, const QStringList& expected)
{
    qsizetype from = 0;
    for (const QString& line : expected) {
        const qsizetype at = log.indexOf(line, from);
        if (at < 0) {
            QString text = QStringLiteral("missing in order: [%1]\nlog:\n").arg(line);
            for (QString l : log)
                text += QStringLiteral("  [%1]\n")
                            .arg(l.replace(QLatin1Char('\r'), QStringLiteral("\\r"))
                                     .replace(QLatin1Char('\n'), QStringLiteral("\\n"))
                                     .replace(QChar(0), QStringLiteral("\\0")));
            return text;
        }
        from = at + 1;
    }
    return {};
}
