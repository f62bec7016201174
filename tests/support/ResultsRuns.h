// Stores of a station's runs for the results suites: the runs and run_channels tables filled
// with the runs a test describes.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

struct StoredRun {
    struct Channel {
        int position = 0;
        int channel = 0;
        int errors = 0;
    };

    QString runId;
    QDateTime start;
    QString unit;
    QString station = QStringLiteral("bench-1");
    QString run = QStringLiteral("Test");
    QString outcome = QStringLiteral("completed");
    QString endedIn;
    int errors = 0;
    QString firmware = QStringLiteral("1.30");
    QString configuration = QStringLiteral("FAST-MultiMode");
    QString log = QStringLiteral("log of the run");
    QList<Channel> channels;
    // When not empty, written as the unit's text byte for byte, valid UTF-8 or not.
    QByteArray rawUnit;
};

// A run of the unit at that local time that passed, with an id made from its time and unit.
StoredRun passedRun(const QString& unit, const QDateTime& start);

// Creates the store's tables in the SQLite file at path and inserts the runs in one
// transaction; false with a message on the test's output when it fails.
bool writeResultsStore(const QString& path, const QList<StoredRun>& runs);
