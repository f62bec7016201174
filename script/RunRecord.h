// The record of one run kept for the factory's files: its facts, its row in the day's results
// table and the names of the files it goes to.
#pragma once

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>

enum class RunOutcome { Completed, Aborted, Stopped };

struct RunRecord {
    // One tested radio channel and the loopback repetitions it lost.
    struct Channel {
        int number = 0;
        int errors = 0;
    };

    QDateTime start;
    QDateTime end;
    QString unit;
    QString port;
    QString run;
    RunOutcome outcome = RunOutcome::Completed;
    QString abortedIn; // the step an aborted or stopped run ended in
    int errors = 0;
    QString firmware;        // the version text the modem reported; empty when it was not asked
    QString station;         // "base" or "mobile" where the run set one
    QString configuration;   // the device configuration the run put into the modem
    QList<Channel> channels; // the radio test's channels in test order; none without a test
    QString logFile;         // the name of the log file in the records folder
};

// The outcome as the table writes it: "completed", "aborted" or "stopped".
QString outcomeWord(RunOutcome outcome);

// ISO 8601 local time with its offset from UTC, e.g. "2026-12-09T14:15:02+01:00".
QString isoLocalTime(const QDateTime& time);

// The table's header row and a record's row, RFC 4180: fields quoted where they hold a comma,
// a quote, a line break or a leading or trailing space, each row ending in CR LF, UTF-8.
QByteArray resultsHeader();
QByteArray resultsRow(const RunRecord& record);

// "results-yyyy-MM-dd.csv" for the day.
QString resultsFileName(const QDate& day);

// "<run>-<unit>-yyyy-MM-dd-HHmmss.txt", or without "-<unit>" for an empty label. Characters a
// file name cannot hold on some system (path separators, control characters, :*?"<>|) become
// "_", and the label is cut to 64 characters.
QString recordFileName(const QString& run, const QString& unit, const QDateTime& start);

// The label offered after this one: a label ending in digits counts up, keeping its width
// ("U-0099" gives "U-0100", "B9" gives "B10"); any other label is offered again as it is.
QString nextUnitLabel(const QString& last);
