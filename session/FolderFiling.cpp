// The records folder written from the station's store.
#include "session/FolderFiling.h"
#include "records/RecordStore.h"
#include "script/RecordFiles.h"
#include "script/RunRecord.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QStringList>

namespace
{
// How long a run waits for another program's append to the same table.
constexpr int kTableLockMs = 10000;

RunRecord recordOf(const StoredRun& run)
{
    RunRecord record;
    record.start = QDateTime::fromString(run.startedAt, Qt::ISODate);
    record.end = QDateTime::fromString(run.endedAt, Qt::ISODate);
    record.unit = run.unit;
    record.port = run.port;
    record.run = run.run;
    record.outcome = run.outcome == QLatin1String("stopped")   ? RunOutcome::Stopped
                     : run.outcome == QLatin1String("aborted") ? RunOutcome::Aborted
                                                               : RunOutcome::Completed;
    record.abortedIn = run.endedIn;
    record.errors = run.errors;
    record.firmware = run.firmware;
    record.station = run.stationType;
    record.configuration = run.configuration;
    for (const StoredChannel& channel : run.channels)
        record.channels.append({channel.channel, channel.errors});
    return record;
}

// Creates the log file under the first free name; an existing file is never written over.
QString writeNewLog(const QString& folder, const QString& name, const QByteArray& text,
                    QString* path)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        *path = freeRecordPath(folder, name);
        QFile file(*path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            if (QFileInfo::exists(*path))
                continue; // another program took the name meanwhile
            return file.errorString();
        }
        if (file.write(text) != text.size() || !file.flush()) {
            QString reason = file.errorString();
            file.remove();
            return reason;
        }
        return {};
    }
    return QStringLiteral("no free name for ") + name;
}

QString fileOne(const StoredRun& run, const QString& folder)
{
    if (!QFileInfo(folder).isDir())
        return QStringLiteral("the folder is not there");
    RunRecord record = recordOf(run);
    QString logPath;
    const QString name = recordFileName(run.run, run.unit, record.start.toLocalTime());
    QByteArray text = run.log.toUtf8();
    if (!text.isEmpty())
        text += '\n';
    if (QString reason = writeNewLog(folder, name, text, &logPath); !reason.isEmpty())
        return reason;
    record.logFile = QFileInfo(logPath).fileName();
    const QString table = QDir(folder).filePath(resultsFileName(record.start.toLocalTime().date()));
    QLockFile lock(table + QStringLiteral(".lock"));
    QString reason;
    if (!lock.tryLock(kTableLockMs))
        reason = QStringLiteral("the table is locked by another program");
    else
        reason = appendResultsRow(table, resultsHeader(), resultsRow(record));
    if (!reason.isEmpty())
        QFile::remove(logPath);
    return reason;
}
} // namespace

FolderFilingReport fileWaitingRuns(RecordStore& store)
{
    FolderFilingReport report;
    // One program of the station files at a time: another that read the same waiting runs would
    // file them twice. While one files, the others leave the runs to it.
    QLockFile oneFiler(store.path() + QStringLiteral(".filing.lock"));
    if (!oneFiler.tryLock(kTableLockMs)) {
        report.waiting = store.waitingForFolderCount().count;
        return report;
    }
    const RecordStore::FilingRuns waiting = store.waitingForFolder(1000);
    report.error = waiting.error;
    if (!report.error.isEmpty())
        return report;
    // A folder that cannot be written holds its own runs back, in order; runs for another
    // folder still go to theirs.
    QStringList failed;
    for (const RecordStore::Filing& filing : waiting.runs) {
        if (failed.contains(filing.folder))
            continue;
        const QString reason = fileOne(filing.run, filing.folder);
        if (!reason.isEmpty()) {
            failed << filing.folder;
            report.folder = filing.folder;
            report.error = reason;
            continue;
        }
        if (const QString marked = store.markFiled(filing.run.runId); !marked.isEmpty()) {
            report.error = marked;
            break;
        }
        ++report.filed;
    }
    const StoreCount left = store.waitingForFolderCount();
    report.waiting = left.count;
    if (report.error.isEmpty())
        report.error = left.error;
    return report;
}
