// The record keeper: its worker thread, and the same work done at once for the command line.
#include "session/RecordKeeper.h"
#include "records/RecordStore.h"
#include "session/FolderFiling.h"
#include "session/KeeperWorker.h"

#include <pwd.h>
#include <unistd.h>

void KeeperWorker::keep(const StoredRun& run, const QString& folder, const QString& server)
{
    QString error = openStore();
    if (error.isEmpty())
        error = m_store->commit(run, folder, server);
    emit storeProblem(error);
    if (error.isEmpty())
        emit runKept(run.runId);
    file();
}

void KeeperWorker::file()
{
    if (!openStore().isEmpty())
        return;
    const FolderFilingReport report = fileWaitingRuns(*m_store);
    emit folderStatus(report.waiting, report.folder, report.error);
}

QString KeeperWorker::openStore()
{
    if (m_store && m_store->isOpen())
        return {};
    m_store = std::make_unique<RecordStore>(m_path);
    return m_store->open();
}

RecordKeeper::RecordKeeper(const QString& storePath, QObject* parent)
    : QObject(parent), m_worker(new KeeperWorker(storePath))
{
    m_worker->moveToThread(&m_thread);
    connect(&m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
    connect(m_worker, &KeeperWorker::storeProblem, this, &RecordKeeper::storeProblem);
    connect(m_worker, &KeeperWorker::runKept, this, &RecordKeeper::runKept);
    connect(m_worker, &KeeperWorker::folderStatus, this,
            [this](qint64 waiting, const QString& folder, const QString& error) {
                // Runs that wait for their folder are tried again every 30 s.
                if (waiting > 0)
                    m_retry.start();
                else
                    m_retry.stop();
                emit folderStatus(waiting, folder, error);
            });
    m_retry.setInterval(30000);
    connect(&m_retry, &QTimer::timeout, this, &RecordKeeper::fileNow);
    m_thread.setObjectName(QStringLiteral("RecordKeeper"));
    m_thread.start();
}

RecordKeeper::~RecordKeeper()
{
    // What was handed over is committed before the keeper goes: the thread ends after the
    // work queued before this.
    QMetaObject::invokeMethod(
        m_worker, [thread = &m_thread] { thread->quit(); }, Qt::QueuedConnection);
    m_thread.wait();
}

void RecordKeeper::keep(const StoredRun& run, const QString& folder, const QString& server)
{
    QMetaObject::invokeMethod(
        m_worker, [worker = m_worker, run, folder, server] { worker->keep(run, folder, server); },
        Qt::QueuedConnection);
}

void RecordKeeper::fileNow()
{
    QMetaObject::invokeMethod(
        m_worker, [worker = m_worker] { worker->file(); }, Qt::QueuedConnection);
}

KeptNow keepRunNow(const QString& storePath, const StoredRun& run, const QString& folder,
                   const QString& server)
{
    KeptNow kept;
    RecordStore store(storePath);
    kept.storeError = store.open();
    if (kept.storeError.isEmpty())
        kept.storeError = store.commit(run, folder, server);
    if (store.isOpen()) {
        const FolderFilingReport report = fileWaitingRuns(store);
        kept.folderWaiting = report.waiting;
        kept.folderError = report.error;
    }
    return kept;
}

QString operatorName()
{
    if (const passwd* user = ::getpwuid(::geteuid()))
        return QString::fromLocal8Bit(user->pw_name);
    return qEnvironmentVariable("USER");
}
