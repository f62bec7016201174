// The record keeper's worker, living in the keeper's thread: its own store connection, the
// commits and the folder filing.
#pragma once

#include "records/RecordStore.h"
#include "records/StoredRun.h"

#include <QObject>
#include <memory>

class KeeperWorker : public QObject
{
    Q_OBJECT
public:
    explicit KeeperWorker(const QString& storePath) : m_path(storePath) {}

    // Commits the run, then files what waits for its folder.
    void keep(const StoredRun& run, const QString& folder, const QString& server);
    void file();

signals:
    void storeProblem(const QString& error);
    void folderStatus(qint64 waiting, const QString& folder, const QString& error);
    void runKept(const QString& runId);

private:
    // The store opens in this thread, on the first run; a store that would not open is tried
    // again with the next.
    QString openStore();

    QString m_path;
    std::unique_ptr<RecordStore> m_store;
};
