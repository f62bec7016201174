// Filling a SQLite store or a PostgreSQL database with the tables the station keeps its runs in.
#include "support/ResultsRuns.h"

#include "records/RecordSchema.h"

#include <QDebug>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QUuid>

namespace
{
QString isoLocal(const QDateTime& time)
{
    const QDateTime local = time.toLocalTime();
    return local.toOffsetFromUtc(local.offsetFromUtc()).toString(Qt::ISODate);
}

// The columns are NOT NULL: a text the test left unset is written empty.
QString text(const QString& value)
{
    return value.isNull() ? QStringLiteral("") : value;
}

bool exec(QSqlQuery& query, const QString& what)
{
    if (query.exec())
        return true;
    qWarning() << what << query.lastError().text();
    return false;
}

// Run unprepared: PostgreSQL prepares no DDL.
bool execSql(QSqlDatabase& db, const QString& sql)
{
    QSqlQuery query(db);
    if (query.exec(sql))
        return true;
    qWarning() << sql << query.lastError().text();
    return false;
}

bool insertRuns(QSqlDatabase& db, const QList<BoardRun>& runs)
{
    const bool rawText = db.driverName() == QLatin1String("QSQLITE");
    QSqlQuery run(db);
    run.prepare(QStringLiteral("INSERT INTO runs (%1) VALUES (?, ?, 'operator', '1.05.1',"
                               " CAST(? AS TEXT), 'SIM', ?, ?, ?, ?, ?, 'base', ?, ?, ?, ?, ?)")
                    .arg(runColumns()));
    QSqlQuery channel(db);
    channel.prepare(QStringLiteral(
        "INSERT INTO run_channels (run_id, position, channel, errors) VALUES (?, ?, ?, ?)"));
    for (const BoardRun& stored : runs) {
        const QString id = stored.runId.isEmpty()
                               ? QUuid::createUuid().toString(QUuid::WithoutBraces)
                               : stored.runId;
        QVariant unit = text(stored.unit);
        if (!stored.rawUnit.isEmpty())
            unit = rawText ? QVariant(stored.rawUnit) : QVariant(QString::fromUtf8(stored.rawUnit));
        const QVariantList values{
            id,
            text(stored.station),
            unit,
            text(stored.run),
            text(stored.outcome),
            text(stored.endedIn),
            stored.errors,
            text(stored.firmware),
            text(stored.configuration),
            isoLocal(stored.start),
            isoLocal(stored.start.addSecs(40)),
            stored.start.toUTC().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzzZ")),
            text(stored.log)};
        for (int i = 0; i < values.size(); ++i)
            run.bindValue(i, values.at(i));
        if (!exec(run, QStringLiteral("run")))
            return false;
        for (const BoardRun::Channel& tested : stored.channels) {
            channel.bindValue(0, id);
            channel.bindValue(1, tested.position);
            channel.bindValue(2, tested.channel);
            channel.bindValue(3, tested.errors);
            if (!exec(channel, QStringLiteral("channel")))
                return false;
        }
    }
    return true;
}

bool fill(QSqlDatabase& db, const QList<BoardRun>& runs)
{
    for (const QString& sql : recordTables())
        if (!execSql(db, sql))
            return false;
    return execSql(db, schemaVersionSeed()) && db.transaction() && insertRuns(db, runs) &&
           db.commit();
}

// Opens a connection of the driver with setup, runs work on it and removes it again.
template <typename Setup, typename Work>
bool withConnection(const QString& driver, Setup setup, Work work)
{
    const QString name = QStringLiteral("results-runs-") + QUuid::createUuid().toString();
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(driver, name);
        setup(db);
        ok = db.open() && work(db);
        if (!ok)
            qWarning() << driver << db.databaseName() << db.lastError().text();
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}
} // namespace

BoardRun passedRun(const QString& unit, const QDateTime& start)
{
    BoardRun run;
    run.unit = unit;
    run.start = start;
    return run;
}

bool writeResultsStore(const QString& path, const QList<BoardRun>& runs)
{
    return withConnection(
        QStringLiteral("QSQLITE"), [&](QSqlDatabase& db) { db.setDatabaseName(path); },
        [&](QSqlDatabase& db) { return fill(db, runs); });
}

bool writeResultsServer(const ServerSettings& server, const QList<BoardRun>& runs)
{
    const auto on = [&](const QString& database) {
        return [&server, database](QSqlDatabase& db) {
            db.setHostName(server.host);
            db.setPort(server.port);
            db.setUserName(server.user);
            db.setPassword(server.password);
            db.setDatabaseName(database);
        };
    };
    const QString create = QStringLiteral("CREATE DATABASE %1 TEMPLATE template0"
                                          " LOCALE_PROVIDER icu ICU_LOCALE 'de-DE'")
                               .arg(server.database);
    return withConnection(QStringLiteral("QPSQL"), on(QStringLiteral("postgres")),
                          [&](QSqlDatabase& db) { return execSql(db, create); }) &&
           withConnection(QStringLiteral("QPSQL"), on(server.database),
                          [&](QSqlDatabase& db) { return fill(db, runs); });
}
