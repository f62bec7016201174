// rovizez-cli results: the period's figures and the Pareto of where runs failed, as text or JSON.
#pragma once

#include <QStringList>

// Runs the results action on its own arguments (those after "results"); returns the exit status:
// 0 printed, 1 nothing could be read, 64 a usage error.
int runResultsAction(const QStringList& arguments);
