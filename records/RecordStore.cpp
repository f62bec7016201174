// The station's SQLite store: WAL so that readers never wait for a writer, BEGIN IMMEDIATE so
// that writers queue for the lock up front instead of failing halfway, synchronous=FULL so that a
// committed run survives a power cut.
#include "records/RecordStore.h"

#include "records/RecordSchema.h"
#include "records/RunRows.h"
#include "records/ServerUri.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStandardPaths>
#include <QVariant>
#include <atomic>

namespace
{
constexpr int kBusyTimeoutMs = 5000;

// An empty text as '' rather than NULL: the text columns are NOT NULL.
QString notNull(const QString& text)
{
    return text.isNull() ? QStringLiteral("") : text;
}

QString failed(const QSqlQuery& query, const QString& what)
{
    return QStringLiteral("%1: %2").arg(what, query.lastError().text());
}

// Runs work between begin and COMMIT; on any failure rolls back and returns the failure.
template <typename Work>
QString inTransaction(const QSqlDatabase& db, const QString& begin, Work work)
{
    QSqlQuery control(db);
    if (!control.exec(begin))
        return failed(control, QStringLiteral("The store cannot begin a transaction"));
    QString error = work();
    if (error.isEmpty() && !control.exec(QStringLiteral("COMMIT")))
        error = failed(control, QStringLiteral("The store cannot commit"));
    if (!error.isEmpty())
        control.exec(QStringLiteral("ROLLBACK"));
    return error;
}

// The version in the store's schema_version table; 0 for a store without one.
int storedVersion(const QSqlDatabase& db, QString* error)
{
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE type = 'table' AND "
                                   "name = 'schema_version'")) ||
        !query.next()) {
        *error = failed(query, QStringLiteral("The store cannot be read"));
        return 0;
    }
    if (query.value(0).toInt() == 0)
        return 0;
    if (!query.exec(QStringLiteral("SELECT MAX(version) FROM schema_version")) || !query.next()) {
        *error = failed(query, QStringLiteral("The store's schema version cannot be read"));
        return 0;
    }
    return query.value(0).toInt();
}

QString tooNew(const QString& path, int version)
{
    return QStringLiteral("The store %1 has schema version %2, newer than this program's %3; it is "
                          "left untouched.")
        .arg(path)
        .arg(version)
        .arg(kSchemaVersion);
}
} // namespace

RecordStore::RecordStore(const QString& path) : path_(path)
{
    static std::atomic<quint64> next{0};
    connection_ = QStringLiteral("rovizez-store-%1").arg(next.fetch_add(1));
}

RecordStore::~RecordStore()
{
    if (QSqlDatabase::contains(connection_)) {
        QSqlDatabase::database(connection_, false).close();
        QSqlDatabase::removeDatabase(connection_);
    }
}

QString RecordStore::defaultStorePath()
{
    const QString folder =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/rovizez";
    QDir().mkpath(folder);
    return folder + QStringLiteral("/records.sqlite");
}

QString RecordStore::open()
{
    if (open_)
        return {};
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE")))
        return QStringLiteral("The SQLite driver of Qt is missing (package libqt6sql6-sqlite).");
    const QString folder = QFileInfo(path_).absolutePath();
    if (!QDir().mkpath(folder))
        return QStringLiteral("The folder %1 of the store cannot be made.").arg(folder);
    QSqlDatabase db = QSqlDatabase::contains(connection_)
                          ? QSqlDatabase::database(connection_, false)
                          : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_);
    db.setDatabaseName(path_);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs));
    if (!db.open())
        return QStringLiteral("The store %1 cannot be opened: %2")
            .arg(path_, db.lastError().text());
    QString error = prepare();
    if (!error.isEmpty()) {
        db.close();
        return error;
    }
    open_ = true;
    return {};
}

QString RecordStore::prepare()
{
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    QSqlQuery query(db);
    for (const QString& pragma : {QStringLiteral("PRAGMA busy_timeout = %1").arg(kBusyTimeoutMs),
                                  QStringLiteral("PRAGMA synchronous = FULL"),
                                  QStringLiteral("PRAGMA foreign_keys = ON")}) {
        if (!query.exec(pragma))
            return failed(query, QStringLiteral("The store %1 refuses '%2'").arg(path_, pragma));
    }
    // The version is read before anything (the journal mode included) is written to the file.
    QString error;
    const int version = storedVersion(db, &error);
    if (!error.isEmpty())
        return QStringLiteral("%1 (%2)").arg(error, path_);
    if (version > kSchemaVersion)
        return tooNew(path_, version);
    if (!query.exec(QStringLiteral("PRAGMA journal_mode = WAL")) || !query.next())
        return failed(query,
                      QStringLiteral("The store %1 cannot use a write-ahead log").arg(path_));
    const QString mode = query.value(0).toString();
    if (mode.compare(QLatin1String("wal"), Qt::CaseInsensitive) != 0)
        return QStringLiteral("The store %1 cannot use a write-ahead log: its journal mode stays "
                              "'%2'.")
            .arg(path_, mode);
    query.finish();
    return createTables();
}

QString RecordStore::createTables()
{
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    return inTransaction(db, QStringLiteral("BEGIN IMMEDIATE"), [&]() -> QString {
        // Another program may have made the tables, of a newer layout, since the first look.
        QString error;
        const int version = storedVersion(db, &error);
        if (!error.isEmpty())
            return error;
        if (version > kSchemaVersion)
            return tooNew(path_, version);
        QSqlQuery query(db);
        const QStringList statements = recordTables() << storeMarksTable() << schemaVersionSeed();
        for (const QString& sql : statements) {
            if (!query.exec(sql))
                return failed(query,
                              QStringLiteral("The store %1 cannot make its tables").arg(path_));
        }
        return {};
    });
}

QString RecordStore::commit(const StoredRun& run, const QString& folder, const QString& server)
{
    if (!open_)
        return QStringLiteral("The store %1 is not open.").arg(path_);
    if (run.runId.isEmpty())
        return QStringLiteral("A run without a run id cannot be stored.");
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    return inTransaction(db, QStringLiteral("BEGIN IMMEDIATE"), [&]() -> QString {
        QSqlQuery query(db);
        query.prepare(runInsert());
        bindRun(query, run);
        if (!query.exec())
            return failed(query, QStringLiteral("The run %1 cannot be stored").arg(run.runId));
        query.prepare(channelInsert());
        for (const StoredChannel& channel : run.channels) {
            bindChannel(query, run.runId, channel);
            if (!query.exec())
                return failed(
                    query,
                    QStringLiteral("The channels of run %1 cannot be stored").arg(run.runId));
        }
        query.prepare(QStringLiteral("INSERT INTO store_marks (run_id, folder, filed, server, "
                                     "forwarded) VALUES (?, ?, 0, ?, 0)"));
        query.addBindValue(run.runId);
        query.addBindValue(notNull(folder));
        // A password never reaches the file; an unreadable address is no server to wait for.
        query.addBindValue(notNull(serverUriWithoutPassword(server)));
        if (!query.exec())
            return failed(query,
                          QStringLiteral("The marks of run %1 cannot be stored").arg(run.runId));
        return {};
    });
}

QString RecordStore::channelsOf(StoredRun& run)
{
    QSqlQuery query(QSqlDatabase::database(connection_, false));
    query.prepare(channelSelect());
    query.addBindValue(run.runId);
    if (!query.exec())
        return failed(query,
                      QStringLiteral("The channels of run %1 cannot be read").arg(run.runId));
    while (query.next())
        run.channels.append(channelFromRow(query));
    return {};
}

StoredRuns RecordStore::waitingForServer(int limit)
{
    if (!open_)
        return {{}, QStringLiteral("The store %1 is not open.").arg(path_)};
    StoredRuns result;
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    result.error = inTransaction(db, QStringLiteral("BEGIN"), [&]() -> QString {
        QSqlQuery query(db);
        query.prepare(QStringLiteral("SELECT %1 FROM runs r JOIN store_marks m ON m.run_id = "
                                     "r.run_id WHERE m.forwarded = 0 AND m.server <> '' ORDER BY "
                                     "r.started_utc, r.run_id LIMIT ?")
                          .arg(runColumns(QStringLiteral("r."))));
        query.addBindValue(limit);
        if (!query.exec())
            return failed(query, QStringLiteral("The runs waiting for the server cannot be read"));
        while (query.next())
            result.runs.append(runFromRow(query));
        for (StoredRun& run : result.runs) {
            QString error = channelsOf(run);
            if (!error.isEmpty())
                return error;
        }
        return {};
    });
    if (!result.error.isEmpty())
        result.runs.clear();
    return result;
}

RecordStore::FilingRuns RecordStore::waitingForFolder(int limit)
{
    if (!open_)
        return {{}, QStringLiteral("The store %1 is not open.").arg(path_)};
    FilingRuns result;
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    result.error = inTransaction(db, QStringLiteral("BEGIN"), [&]() -> QString {
        QSqlQuery query(db);
        query.prepare(QStringLiteral("SELECT %1, m.folder FROM runs r JOIN store_marks m ON "
                                     "m.run_id = r.run_id WHERE m.filed = 0 AND m.folder <> '' "
                                     "ORDER BY r.started_utc, r.run_id LIMIT ?")
                          .arg(runColumns(QStringLiteral("r."))));
        query.addBindValue(limit);
        if (!query.exec())
            return failed(query, QStringLiteral("The runs waiting for the folder cannot be read"));
        const int folderColumn = query.record().count() - 1;
        while (query.next())
            result.runs.append({runFromRow(query), query.value(folderColumn).toString()});
        for (Filing& filing : result.runs) {
            QString error = channelsOf(filing.run);
            if (!error.isEmpty())
                return error;
        }
        return {};
    });
    if (!result.error.isEmpty())
        result.runs.clear();
    return result;
}

QString RecordStore::markForwarded(const QStringList& runIds)
{
    if (!open_)
        return QStringLiteral("The store %1 is not open.").arg(path_);
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    return inTransaction(db, QStringLiteral("BEGIN IMMEDIATE"), [&]() -> QString {
        QSqlQuery query(db);
        query.prepare(QStringLiteral("UPDATE store_marks SET forwarded = 1 WHERE run_id = ?"));
        for (const QString& runId : runIds) {
            query.addBindValue(runId);
            if (!query.exec())
                return failed(query,
                              QStringLiteral("The run %1 cannot be marked forwarded").arg(runId));
            if (query.numRowsAffected() != 1)
                return QStringLiteral("The store holds no run %1 to mark forwarded.").arg(runId);
        }
        return {};
    });
}

QString RecordStore::markFiled(const QString& runId)
{
    if (!open_)
        return QStringLiteral("The store %1 is not open.").arg(path_);
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    return inTransaction(db, QStringLiteral("BEGIN IMMEDIATE"), [&]() -> QString {
        QSqlQuery query(db);
        query.prepare(QStringLiteral("UPDATE store_marks SET filed = 1 WHERE run_id = ?"));
        query.addBindValue(runId);
        if (!query.exec())
            return failed(query, QStringLiteral("The run %1 cannot be marked filed").arg(runId));
        if (query.numRowsAffected() != 1)
            return QStringLiteral("The store holds no run %1 to mark filed.").arg(runId);
        return {};
    });
}

StoreCount RecordStore::count(const QString& sql)
{
    if (!open_)
        return {0, QStringLiteral("The store %1 is not open.").arg(path_)};
    QSqlQuery query(QSqlDatabase::database(connection_, false));
    if (!query.exec(sql) || !query.next())
        return {0, failed(query, QStringLiteral("The store %1 cannot count its runs").arg(path_))};
    return {query.value(0).toLongLong(), {}};
}

StoreCount RecordStore::waitingForServerCount()
{
    return count(
        QStringLiteral("SELECT COUNT(*) FROM store_marks WHERE forwarded = 0 AND server <> ''"));
}

StoreCount RecordStore::waitingForFolderCount()
{
    return count(
        QStringLiteral("SELECT COUNT(*) FROM store_marks WHERE filed = 0 AND folder <> ''"));
}
