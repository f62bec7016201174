// Keeping recorded runs: each committed whole to the station's store, then the store's waiting
// runs filed in their records folder, all in a worker thread of its own; the window's thread
// only hands runs over and hears how many still wait.
#pragma once

#include "records/StoredRun.h"

#include <QObject>
#include <QThread>
#include <QTimer>

class KeeperWorker;

class RecordKeeper : public QObject
{
    Q_OBJECT
public:
    explicit RecordKeeper(const QString& storePath, QObject* parent = nullptr);
    ~RecordKeeper() override;

    // Commits the run (its folder and server, either empty for none), then files what waits.
    void keep(const StoredRun& run, const QString& folder, const QString& server);
    // Files what waits for its folder (also every 30 s while runs wait).
    void fileNow();

signals:
    // After each commit or filing: why the store could not be written (empty when it could),
    // the runs not yet in their folder, the folder that could not be written and why.
    void storeProblem(const QString& error);
    void folderStatus(qint64 waiting, const QString& folder, const QString& error);
    // A run is in the store.
    void runKept(const QString& runId);

private:
    QThread m_thread;
    KeeperWorker* m_worker;
    QTimer m_retry;
};

// The same for a program without an event loop to spare: commits in this thread and files what
// waits. Returns the store's error (empty when the run is in), and the filing's report.
struct KeptNow {
    QString storeError;
    qint64 folderWaiting = 0;
    QString folderError;
};
KeptNow keepRunNow(const QString& storePath, const StoredRun& run, const QString& folder,
                   const QString& server);

// The login name of whoever runs the program.
QString operatorName();
