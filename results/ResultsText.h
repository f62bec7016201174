// The figures in words for a terminal and as one JSON object for other programs.
#pragma once

#include "results/ResultFigures.h"

#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <optional>

// "67 %", or "—" when there is no value.
QString yieldText(std::optional<double> yield);

// One line per figure ("Units tested: 3", "First-pass yield: 67 %", ...) then the Pareto,
// largest first.
QStringList resultsTextLines(const ResultFigures& figures);

// {"units", "runs", "first_pass_yield", "final_yield", "retests", "aborted", "stopped",
// "pareto": [{"step", "runs"}]}; the yields are fractions, null without units.
QJsonObject resultsJson(const ResultFigures& figures);
