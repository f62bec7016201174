// Filling a SQLite store with the tables the station keeps its runs in.
#include "support/ResultsRuns.h"

#include <QDebug>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QUuid>

namespace
{
const char* const tables[] = {
    "CREATE TABLE IF NOT EXISTS schema_version (version INTEGER)",
    "CREATE TABLE IF NOT EXISTS runs (run_id TEXT PRIMARY KEY, station TEXT, operator TEXT,"
    " program_version TEXT, unit TEXT, port TEXT, run TEXT, outcome TEXT, ended_in TEXT,"
    " errors INTEGER, firmware TEXT, station_type TEXT, configuration TEXT, started_at TEXT,"
    " ended_at TEXT, started_utc TEXT, log TEXT)",
    "CREATE TABLE IF NOT EXISTS run_channels (run_id TEXT, position INTEGER, channel INTEGER,"
    " errors INTEGER)",
    "CREATE INDEX IF NOT EXISTS runs_unit ON runs (unit, started_utc)",
    "CREATE INDEX IF NOT EXISTS runs_station ON runs (station, started_utc)",
    "CREATE INDEX IF NOT EXISTS runs_started ON runs (started_utc)",
};

QString isoLocal(const QDateTime& time)
{
    const QDateTime local = time.toLocalTime();
    return local.toOffsetFromUtc(local.offsetFromUtc()).toString(Qt::ISODate);
}

bool exec(QSqlQuery& query, const QString& what)
{
    if (query.exec())
        return true;
    qWarning() << what << query.lastError().text();
    return false;
}

bool insertRuns(QSqlDatabase& db, const QList<StoredRun>& runs)
{
    QSqlQuery run(db);
    run.prepare(QStringLiteral(
        "INSERT INTO runs VALUES (?, ?, 'operator', '1.05.1', CAST(? AS TEXT), 'SIM', ?, ?, ?, ?,"
        " ?, 'base', ?, ?, ?, ?, ?)"));
    QSqlQuery channel(db);
    channel.prepare(QStringLiteral("INSERT INTO run_channels VALUES (?, ?, ?, ?)"));
    for (const StoredRun& stored : runs) {
        const QString id = stored.runId.isEmpty()
                               ? QUuid::createUuid().toString(QUuid::WithoutBraces)
                               : stored.runId;
        const QVariantList values{
            id,
            stored.station,
            stored.rawUnit.isEmpty() ? QVariant(stored.unit) : QVariant(stored.rawUnit),
            stored.run,
            stored.outcome,
            stored.endedIn,
            stored.errors,
            stored.firmware,
            stored.configuration,
            isoLocal(stored.start),
            isoLocal(stored.start.addSecs(40)),
            stored.start.toUTC().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzzZ")),
            stored.log};
        for (int i = 0; i < values.size(); ++i)
            run.bindValue(i, values.at(i));
        if (!exec(run, QStringLiteral("run")))
            return false;
        for (const StoredRun::Channel& tested : stored.channels) {
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
} // namespace

StoredRun passedRun(const QString& unit, const QDateTime& start)
{
    StoredRun run;
    run.unit = unit;
    run.start = start;
    return run;
}

bool writeResultsStore(const QString& path, const QList<StoredRun>& runs)
{
    const QString name = QStringLiteral("results-store-") + QUuid::createUuid().toString();
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        ok = db.open();
        for (const char* sql : tables) {
            QSqlQuery query(db);
            ok = ok && query.prepare(QLatin1String(sql)) && exec(query, QLatin1String(sql));
        }
        ok = ok && db.transaction() && insertRuns(db, runs) && db.commit();
        if (!ok)
            qWarning() << "store" << path << db.lastError().text();
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}
