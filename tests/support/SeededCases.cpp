// The seeded case loop shared by the random suites.
#include "SeededCases.h"

#include <QtTest>

void runSeededCases(const std::function<QString(std::mt19937& rng, int c)>& check)
{
    QFETCH(quint32, seed);
    QFETCH(int, cases);
    QVERIFY2(cases > 0, "the row asks for no case");
    std::mt19937 rng(seed);
    for (int c = 0; c < cases; ++c) {
        const QString fault = check(rng, c);
        if (!fault.isEmpty())
            QFAIL(qPrintable(QStringLiteral("case %1: %2").arg(c).arg(fault)));
    }
}
