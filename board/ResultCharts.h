// The board's four charts built from the figures, each with the rows of its companion table.
#pragma once

#include "results/ResultFigures.h"

class ChartPanel;

// Runs per local hour stacked by result: passed green, completed with errors amber, aborted or
// stopped red.
void showHourlyRuns(ChartPanel* panel, const ResultFigures& figures);
// Where the runs that did not pass ended, largest first, with the cumulative share as a line.
void showPareto(ChartPanel* panel, const ResultFigures& figures);
// The lost repetitions of each radio-test channel.
void showChannelErrors(ChartPanel* panel, const ResultFigures& figures);
// Each station's first-pass yield in percent.
void showStationYields(ChartPanel* panel, const ResultFigures& figures);

// "14:00" when every hour is of one day, else "12-09 14:00".
QStringList hourLabels(const QList<ResultFigures::Hour>& hours);
