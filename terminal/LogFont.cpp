// Choosing the message window's fixed-pitch font.
#include "terminal/LogFont.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QStringList>

bool hasEqualAdvances(const QFont& font)
{
    const QFontMetricsF metrics(font);
    const qreal width = metrics.horizontalAdvance(QLatin1Char(' '));
    for (const QChar c : {QLatin1Char('i'), QLatin1Char('M'), QLatin1Char('W')}) {
        if (!qFuzzyCompare(metrics.horizontalAdvance(c), width))
            return false;
    }
    return width > 0;
}

QFont logFont()
{
    const QFont system = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    // A family the system only substitutes (fontconfig answers "Courier" with whatever mono
    // font it has) is not installed: only the families themselves are tried.
    const QStringList families{QStringLiteral("Courier"), QStringLiteral("DejaVu Sans Mono"),
                               QStringLiteral("Liberation Mono"), QStringLiteral("Noto Sans Mono")};
    for (const QString& family : families) {
        if (!QFontDatabase::hasFamily(family))
            continue;
        QFont font(family);
        font.setStyleHint(QFont::TypeWriter);
        font.setPointSizeF(system.pointSizeF());
        if (hasEqualAdvances(font))
            return font;
    }
    return system;
}
