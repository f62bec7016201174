// Stores and server databases of a station's runs for the results suites: the run tables made as
// the program makes them, filled with the runs a test describes.
#pragma once

#include "results/ResultsSource.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

struct BoardRun {
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
BoardRun passedRun(const QString& unit, const QDateTime& start);

// Creates the store's tables in the SQLite file at path and inserts the runs in one
// transaction; false with a message on the test's output when it fails.
bool writeResultsStore(const QString& path, const QList<BoardRun>& runs);

// Creates the database server.database on the PostgreSQL server and fills it the same way. Like a
// factory's server it sorts text by a language (German), not byte by byte as the store does. The
// server keeps only valid text: a raw unit goes in as its UTF-8 reading.
bool writeResultsServer(const ServerSettings& server, const QList<BoardRun>& runs);
