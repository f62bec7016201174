// The row's generator and the seeded case loop shared by the random suites.
#include "SeededCases.h"

#include <QtTest>

std::mt19937 rowGenerator()
{
    QFETCH(quint32, seed);
    return std::mt19937(seed);
}

void runSeededCases(const std::function<QString(std::mt19937& rng, int c)>& check)
{
    QFETCH(int, cases);
    QVERIFY2(cases > 0, "the row asks for no case");
    std::mt19937 rng = rowGenerator();
    for (int c = 0; c < cases; ++c) {
        const QString fault = check(rng, c);
        if (!fault.isEmpty())
            QFAIL(qPrintable(QStringLiteral("case %1: %2").arg(c).arg(fault)));
    }
}
