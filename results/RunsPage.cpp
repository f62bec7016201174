// Pages of the runs table and a run's full record, read from the runs table.
#include "results/RunsPage.h"

#include "results/ResultsSql.h"

#include <QSqlQuery>

namespace
{
QString cut(const QString& text)
{
    if (text.size() <= pageTextLimit)
        return text;
    return text.left(pageTextLimit - 1) + QChar(0x2026);
}
} // namespace

QString runResult(const QString& outcome, qint64 errors)
{
    if (outcome == QLatin1String("completed"))
        return errors == 0 ? QStringLiteral("passed") : QStringLiteral("completed with errors");
    return outcome;
}

bool readRunsPage(QSqlDatabase& db, const ResultsFilter& filter, qint64 offset, int limit,
                  QList<RunRow>* rows, QString* error)
{
    rows->clear();
    SqlCondition where = filterCondition(filter);
    // One character past the limit tells a cut text from one that fits.
    const QString sql =
        QStringLiteral("SELECT SUBSTR(r.started_at, 1, %1), SUBSTR(r.unit, 1, %1),"
                       " SUBSTR(r.station, 1, %1), SUBSTR(r.run, 1, %1), r.outcome,"
                       " SUBSTR(r.ended_in, 1, %1), COALESCE(r.errors, 0),"
                       " SUBSTR(r.firmware, 1, %1), SUBSTR(r.configuration, 1, %1), r.run_id"
                       " FROM runs r WHERE %2 ORDER BY r.started_utc DESC, r.run_id DESC"
                       " LIMIT ? OFFSET ?")
            .arg(pageTextLimit + 1)
            .arg(where.text);
    where.values << limit << offset;
    QSqlQuery query(db);
    if (!runQuery(query, sql, where.values, error))
        return false;
    while (query.next()) {
        RunRow row;
        row.startedAt = cut(query.value(0).toString());
        row.unit = cut(query.value(1).toString());
        row.station = cut(query.value(2).toString());
        row.run = cut(query.value(3).toString());
        row.errors = query.value(6).toLongLong();
        row.result = cut(runResult(query.value(4).toString(), row.errors));
        row.step = cut(query.value(5).toString());
        row.firmware = cut(query.value(7).toString());
        row.configuration = cut(query.value(8).toString());
        row.runId = query.value(9).toString();
        *rows << row;
    }
    return true;
}

bool readRunDetail(QSqlDatabase& db, const QString& runId, RunDetail* detail, QString* error)
{
    *detail = RunDetail();
    QSqlQuery query(db);
    if (!runQuery(query,
                  QStringLiteral("SELECT r.started_at, r.ended_at, r.unit, r.station, r.run,"
                                 " r.outcome, r.ended_in, COALESCE(r.errors, 0), r.firmware,"
                                 " r.configuration, r.log FROM runs r WHERE r.run_id = ?"),
                  {runId}, error))
        return false;
    if (!query.next())
        return true;
    detail->found = true;
    detail->runId = runId;
    detail->startedAt = query.value(0).toString();
    detail->endedAt = query.value(1).toString();
    detail->unit = query.value(2).toString();
    detail->station = query.value(3).toString();
    detail->run = query.value(4).toString();
    detail->errors = query.value(7).toLongLong();
    detail->result = runResult(query.value(5).toString(), detail->errors);
    detail->step = query.value(6).toString();
    detail->firmware = query.value(8).toString();
    detail->configuration = query.value(9).toString();
    detail->log = query.value(10).toString();
    return true;
}
