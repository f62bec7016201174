// The server's side of the run records: the connection, its tables, and the insert of a batch.
#include "records/ServerSession.h"

#include "records/RecordSchema.h"
#include "records/RunRows.h"
#include "records/ServerUri.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <atomic>

namespace
{
// The advisory lock every station takes while it makes the tables: "rovizez" in ASCII.
constexpr qint64 kSchemaLockKey = 0x726f76697a657aLL;

QString failed(const QSqlQuery& query, const QString& what)
{
    return QStringLiteral("%1: %2").arg(what, query.lastError().text());
}

QString tooNew(int version)
{
    return QStringLiteral("The server's schema version %1 is newer than this program's %2; "
                          "nothing written.")
        .arg(version)
        .arg(kSchemaVersion);
}

// PostgreSQL text cannot hold U+0000; a log with one would never reach the server, so it is sent
// as U+FFFD there (the store keeps the text as it was).
QString serverText(QString text)
{
    return text.replace(QChar(0), QChar(0xfffd));
}

StoredRun serverCopy(const StoredRun& run)
{
    StoredRun copy = run;
    for (QString* field :
         {&copy.runId, &copy.station, &copy.operatorName, &copy.programVersion, &copy.unit,
          &copy.port, &copy.run, &copy.outcome, &copy.endedIn, &copy.firmware, &copy.stationType,
          &copy.configuration, &copy.startedAt, &copy.endedAt, &copy.startedUtc, &copy.log})
        *field = serverText(*field);
    return copy;
}
} // namespace

ServerSession::ServerSession()
{
    static std::atomic<quint64> next{0};
    connection_ = QStringLiteral("rovizez-server-%1").arg(next.fetch_add(1));
}

ServerSession::~ServerSession()
{
    if (QSqlDatabase::contains(connection_)) {
        QSqlDatabase::database(connection_, false).close();
        QSqlDatabase::removeDatabase(connection_);
    }
}

QString ServerSession::open(const QString& uri, const QString& password)
{
    const ServerUriParse parsed = parseServerUri(uri);
    if (!parsed.error.isEmpty())
        return parsed.error;
    shownUri_ = serverUriWithoutPassword(uri);
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL")))
        return QStringLiteral("The PostgreSQL driver of Qt is missing (package libqt6sql6-psql).");
    QSqlDatabase db = QSqlDatabase::contains(connection_)
                          ? QSqlDatabase::database(connection_, false)
                          : QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), connection_);
    db.setHostName(parsed.uri.host);
    db.setPort(parsed.uri.port);
    db.setUserName(parsed.uri.user);
    db.setPassword(password.isEmpty() ? parsed.uri.password : password);
    db.setDatabaseName(parsed.uri.database);
    // The timeout comes last: libpq keeps the last value of a keyword, so the bound always holds.
    QString options = parsed.uri.connectOptions;
    if (!options.isEmpty())
        options += QLatin1Char(';');
    db.setConnectOptions(options +
                         QStringLiteral("connect_timeout=%1").arg(kConnectTimeoutSeconds));
    if (!db.open())
        return QStringLiteral("The server %1 cannot be reached: %2")
            .arg(shownUri_, db.lastError().text());
    return {};
}

int ServerSession::version(QString* error)
{
    QSqlQuery query(QSqlDatabase::database(connection_, false));
    if (!query.exec(QStringLiteral("SELECT to_regclass('schema_version') IS NOT NULL")) ||
        !query.next()) {
        *error = failed(query, QStringLiteral("The server %1 cannot be read").arg(shownUri_));
        return 0;
    }
    if (!query.value(0).toBool())
        return 0;
    if (!query.exec(QStringLiteral("SELECT MAX(version) FROM schema_version")) || !query.next()) {
        *error = failed(
            query,
            QStringLiteral("The server's schema version cannot be read (%1)").arg(shownUri_));
        return 0;
    }
    return query.value(0).toInt();
}

SchemaCheck ServerSession::readSchema()
{
    QString error;
    const int found = version(&error);
    if (!error.isEmpty())
        return {error, false};
    if (found > kSchemaVersion)
        return {tooNew(found), true};
    return {};
}

SchemaCheck ServerSession::ensureSchema()
{
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    if (!db.transaction())
        return {QStringLiteral("The server %1 cannot begin a transaction: %2")
                    .arg(shownUri_, db.lastError().text()),
                false};
    SchemaCheck check;
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("SELECT pg_advisory_xact_lock(%1)").arg(kSchemaLockKey))) {
        check.error = failed(
            query, QStringLiteral("The server %1 gives no lock for its tables").arg(shownUri_));
    } else if (!query.exec(QStringLiteral("SET LOCAL client_min_messages = warning"))) {
        // Keeps the "already exists, skipping" notices of every later start out of the output.
        check.error =
            failed(query, QStringLiteral("The server %1 refuses a setting").arg(shownUri_));
    } else {
        check = readSchema();
        if (check.error.isEmpty()) {
            const QStringList statements = recordTables() << schemaVersionSeed();
            for (const QString& sql : statements) {
                if (!query.exec(sql)) {
                    check.error = failed(
                        query,
                        QStringLiteral("The server %1 cannot make its tables").arg(shownUri_));
                    break;
                }
            }
        }
    }
    query.finish();
    if (check.error.isEmpty() && !db.commit())
        check.error = QStringLiteral("The server %1 cannot commit its tables: %2")
                          .arg(shownUri_, db.lastError().text());
    if (!check.error.isEmpty())
        db.rollback();
    return check;
}

QString ServerSession::insert(const QList<StoredRun>& runs)
{
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    if (!db.transaction())
        return QStringLiteral("The server %1 cannot begin a transaction: %2")
            .arg(shownUri_, db.lastError().text());
    QString error;
    {
        QSqlQuery runQuery(db);
        QSqlQuery channelQuery(db);
        runQuery.prepare(runInsert(QStringLiteral(" ON CONFLICT (run_id) DO NOTHING")));
        channelQuery.prepare(
            channelInsert(QStringLiteral(" ON CONFLICT (run_id, position) DO NOTHING")));
        for (const StoredRun& stored : runs) {
            const StoredRun run = serverCopy(stored);
            bindRun(runQuery, run);
            if (!runQuery.exec()) {
                error = failed(
                    runQuery,
                    QStringLiteral("The server %1 refuses run %2").arg(shownUri_, run.runId));
                break;
            }
            for (const StoredChannel& channel : run.channels) {
                bindChannel(channelQuery, run.runId, channel);
                if (!channelQuery.exec()) {
                    error = failed(channelQuery,
                                   QStringLiteral("The server %1 refuses the channels of run %2")
                                       .arg(shownUri_, run.runId));
                    break;
                }
            }
            if (!error.isEmpty())
                break;
        }
    }
    if (error.isEmpty() && !db.commit())
        error = QStringLiteral("The server %1 cannot commit the runs: %2")
                    .arg(shownUri_, db.lastError().text());
    if (!error.isEmpty())
        db.rollback();
    return error;
}
