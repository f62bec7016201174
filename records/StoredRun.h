// One recorded run as the station's store and the factory's server keep it.
#pragma once

#include <QList>
#include <QString>

struct RunRecord;

// A tested radio channel: its place in the radio test (1 to 3), its number and the loopback
// repetitions it lost.
struct StoredChannel {
    int position = 0;
    int channel = 0;
    int errors = 0;

    bool operator==(const StoredChannel&) const = default;
};

struct StoredRun {
    QString runId;          // a UUID the station made, without braces
    QString station;        // the test station's name
    QString operatorName;   // the login name of who ran it
    QString programVersion; // the version of this program that ran it
    QString unit;           // the unit's label; empty when none was given
    QString port;
    QString run;     // "Test", "QueryConfig", ...
    QString outcome; // "completed", "aborted" or "stopped"
    QString endedIn; // the step an aborted or stopped run ended in; else empty
    int errors = 0;
    QString firmware;
    QString stationType; // "base", "mobile" or empty
    QString configuration;
    QString startedAt;  // ISO 8601 local time with its offset from UTC
    QString endedAt;    // ISO 8601 local time with its offset from UTC
    QString startedUtc; // yyyy-MM-ddTHH:mm:ss.zzzZ in UTC: sorts as text
    QString log;        // the run's lines as saved, "\n" between lines
    QList<StoredChannel> channels;

    bool operator==(const StoredRun&) const = default;
};

// The run a record describes, with a new run id. The radio test's first three channels are kept,
// as in the results table.
StoredRun storedRunFrom(const RunRecord& record, const QString& station,
                        const QString& operatorName, const QString& programVersion,
                        const QString& log);
