// Seeded random cases: the generator a data row's seed starts, and one loop over its cases.
#pragma once

#include <QString>
#include <functional>
#include <random>

// A generator seeded from the current row's "seed" (quint32), so that a row always draws the
// same numbers.
std::mt19937 rowGenerator();

// Runs the current row's "cases" (int) cases with one generator from rowGenerator(). The check
// gets the generator and the case's number and returns what went wrong, or an empty text: the
// first fault fails the test, naming the case.
void runSeededCases(const std::function<QString(std::mt19937& rng, int c)>& check);
