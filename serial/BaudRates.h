// The rates the baud lists offer, slowest first.
#pragma once

#include <QStringList>

inline const QStringList& baudRates()
{
    static const QStringList rates = {QStringLiteral("1200"),  QStringLiteral("2400"),
                                      QStringLiteral("4800"),  QStringLiteral("9600"),
                                      QStringLiteral("19200"), QStringLiteral("38400"),
                                      QStringLiteral("57600"), QStringLiteral("115200")};
    return rates;
}
