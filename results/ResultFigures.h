// The figures of a station's runs in a period: units, runs, yields, retests, the runs of each
// hour, where failing runs ended, the errors of each radio channel and each station's yield.
#pragma once

#include "results/ResultsFilter.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <optional>

struct ResultFigures {
    // The runs begun in one local clock hour, by result.
    struct Hour {
        QString hour; // "yyyy-MM-ddTHH" in the station's local time
        qint64 passed = 0;
        qint64 withErrors = 0;       // completed with errors
        qint64 abortedOrStopped = 0; // aborted, stopped or of an outcome the store does not know
        qint64 runs() const { return passed + withErrors + abortedOrStopped; }
    };
    // One place where runs that did not pass ended, e.g. "aborted in Establishing Communication".
    struct Cause {
        QString step;
        qint64 runs = 0;
        double cumulativeShare = 0; // this cause and every larger one, of all failing runs (0-1)
    };
    struct Channel {
        qint64 channel = 0;
        qint64 errors = 0; // lost loopback repetitions over every run of the period
    };
    // A station's own first-pass yield: the units whose first run at that station passed.
    struct Station {
        QString station;
        qint64 units = 0;
        qint64 firstPassed = 0;
        std::optional<double> firstPassYield() const;
    };

    qint64 units = 0;       // distinct non-empty unit labels
    qint64 runs = 0;        // every run, with or without a label
    qint64 firstPassed = 0; // units whose first run in the period passed
    qint64 finalPassed = 0; // units whose latest run in the period passed
    qint64 retests = 0;     // labelled runs beyond each unit's first
    qint64 aborted = 0;
    qint64 stopped = 0;
    QList<Hour> hours;       // in time order, only hours with runs
    QList<Cause> pareto;     // largest first
    QList<Channel> channels; // by channel number
    QList<Station> stations; // by station name, character by character

    // No value when no unit was tested.
    std::optional<double> firstPassYield() const;
    std::optional<double> finalYield() const;
};

// Reads the figures of the filter's runs with aggregate queries. False with the driver's message
// in error when a query fails.
bool readFigures(QSqlDatabase& db, const ResultsFilter& filter, ResultFigures* figures,
                 QString* error);

// Every station name the store holds, sorted character by character on every database; runs
// without a station name are left out.
bool readStations(QSqlDatabase& db, QStringList* stations, QString* error);

// The Pareto label of a run that did not pass. For a completed run with errors: its first channel
// with errors, else the step it ended in, else its run name (the step the run was in when it
// finished is not kept for completed runs).
QString failureCause(const QString& outcome, const QString& endedIn, const QString& run,
                     std::optional<qint64> firstChannelWithErrors);
