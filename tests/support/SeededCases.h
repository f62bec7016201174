// Seeded random cases: one generator and one loop over the cases a data row asks for.
#pragma once

#include <QString>
#include <functional>
#include <random>

// Runs the current row's "cases" (int) cases with one generator seeded from its "seed" (quint32),
// so that a row always draws the same cases. The check gets the generator and the case's number
// and returns what went wrong, or an empty text: the first fault fails the test, naming the case.
void runSeededCases(const std::function<QString(std::mt19937& rng, int c)>& check);
