// The runs of a filter a page at a time, newest first, and one run's whole record with its log.
#pragma once

#include "results/ResultsFilter.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>

// One row of the board's runs table. Long texts arrive cut to pageTextLimit characters and end
// in "…"; the run's record holds them whole.
struct RunRow {
    QString startedAt; // local time with offset, as the station wrote it
    QString unit;
    QString station;
    QString run;
    QString result; // "passed", "completed with errors", "aborted", "stopped"
    QString step;   // the step an aborted or stopped run ended in
    qint64 errors = 0;
    QString firmware;
    QString configuration;
    QString runId;
};

// A run's fields in full, its log included.
struct RunDetail {
    bool found = false;
    QString runId;
    QString startedAt;
    QString endedAt;
    QString unit;
    QString station;
    QString run;
    QString result;
    QString step;
    qint64 errors = 0;
    QString firmware;
    QString configuration;
    QString log;
};

inline constexpr int pageTextLimit = 256;

// The result word of a run: passed when it completed without errors.
QString runResult(const QString& outcome, qint64 errors);

// limit rows of the filter's runs from offset, newest first.
bool readRunsPage(QSqlDatabase& db, const ResultsFilter& filter, qint64 offset, int limit,
                  QList<RunRow>* rows, QString* error);

// The run of that id; found stays false when the store has no such run.
bool readRunDetail(QSqlDatabase& db, const QString& runId, RunDetail* detail, QString* error);
