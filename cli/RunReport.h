// The command line's verdict on its action: the exit status, and the JSON object of --json.
#pragma once

#include "script/RunRecord.h"

#include <QByteArray>
#include <QStringList>
#include <optional>

// How the action ended, as the exit status says it.
enum class CliOutcome { Completed, Aborted, Stopped, Cancelled };

// 0 completed with 0 errors, 1 completed with errors, 2 aborted, 3 stopped, 5 a question before
// the run was answered Cancel.
int exitStatus(CliOutcome outcome, int errors);

// The outcome of an action from its run's record (none when no run took place), whether a signal
// stopped it and whether a question was answered Cancel.
CliOutcome actionOutcome(const std::optional<RunRecord>& run, bool signalled, bool cancelled);

struct RunReportFacts {
    QString run; // the action's run name, also when no run took place
    QString port;
    QString unit;
    CliOutcome outcome = CliOutcome::Cancelled;
    QStringList lines;
};

// One JSON object: run, outcome, ended_in, errors, firmware, station_type, configuration,
// channels, started_at, ended_at, port, unit and lines.
QByteArray runReportJson(const RunReportFacts& facts, const std::optional<RunRecord>& record);
