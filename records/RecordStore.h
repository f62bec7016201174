// The station's own store of recorded runs: an SQLite file that every program on the station
// shares, written one whole run at a time.
#pragma once

#include "records/StoredRun.h"

#include <QStringList>

// Runs read from the store, or why they could not be read (error not empty).
struct StoredRuns {
    QList<StoredRun> runs;
    QString error;
};

// A count of runs, or why it could not be made (error not empty).
struct StoreCount {
    qint64 count = 0;
    QString error;
};

// One connection to the store, used only in the thread that made the object. Every failure comes
// back as text; nothing throws.
class RecordStore
{
public:
    explicit RecordStore(const QString& path);
    ~RecordStore();
    RecordStore(const RecordStore&) = delete;
    RecordStore& operator=(const RecordStore&) = delete;

    // <generic data folder>/rovizez/records.sqlite; the folder is made when missing.
    static QString defaultStorePath();

    // Opens the file (creating it and its tables when missing) in write-ahead-log mode. A store of
    // a newer layout is refused before anything is written to it. Empty when it is open.
    QString open();
    bool isOpen() const { return open_; }
    const QString& path() const { return path_; }

    // Writes the run, its channels, its log and where it still has to go in one transaction:
    // folder is the records folder it is to be filed in, server the server address it is to be
    // forwarded to (kept without its password); either empty for none. Empty when it is written.
    QString commit(const StoredRun& run, const QString& folder, const QString& server);

    // The runs not yet forwarded to a server, oldest first, at most limit.
    StoredRuns waitingForServer(int limit);
    StoreCount waitingForServerCount();
    QString markForwarded(const QStringList& runIds);

    // The runs not yet filed in their records folder, oldest first, at most limit, with the folder.
    struct Filing {
        StoredRun run;
        QString folder;
    };
    struct FilingRuns {
        QList<Filing> runs;
        QString error;
    };
    FilingRuns waitingForFolder(int limit);
    StoreCount waitingForFolderCount();
    QString markFiled(const QString& runId);

private:
    QString prepare();
    QString createTables();
    QString channelsOf(StoredRun& run);
    StoreCount count(const QString& sql);

    QString path_;
    QString connection_;
    bool open_ = false;
};
