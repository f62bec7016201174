// The results figures, each computed by the database over the indexed runs table.
#include "results/ResultFigures.h"

#include "results/ResultsSql.h"

#include <QHash>
#include <QSqlQuery>
#include <algorithm>

namespace
{
std::optional<double> share(qint64 part, qint64 whole)
{
    if (whole <= 0)
        return std::nullopt;
    return double(part) / double(whole);
}

bool readTotals(QSqlDatabase& db, const SqlCondition& where, ResultFigures* figures, QString* error)
{
    QSqlQuery query(db);
    const QString sql = QStringLiteral("SELECT COUNT(*),"
                                       " SUM(CASE WHEN %1 THEN 1 ELSE 0 END),"
                                       " SUM(CASE WHEN r.outcome = 'aborted' THEN 1 ELSE 0 END),"
                                       " SUM(CASE WHEN r.outcome = 'stopped' THEN 1 ELSE 0 END)"
                                       " FROM runs r WHERE %2")
                            .arg(QLatin1String(labelledSql), where.text);
    if (!runQuery(query, sql, where.values, error) || !query.next())
        return false;
    figures->runs = query.value(0).toLongLong();
    const qint64 labelled = query.value(1).toLongLong();
    figures->aborted = query.value(2).toLongLong();
    figures->stopped = query.value(3).toLongLong();
    figures->retests = labelled; // less the units, once they are known
    return true;
}

// Each unit's first and latest run in the period, ordered by start and then by run id so that
// two runs begun in the same millisecond still have one first.
bool readUnits(QSqlDatabase& db, const SqlCondition& where, ResultFigures* figures, QString* error)
{
    QSqlQuery query(db);
    const QString sql =
        QStringLiteral(
            "SELECT SUM(CASE WHEN t.first_n = 1 THEN 1 ELSE 0 END),"
            " SUM(CASE WHEN t.first_n = 1 AND t.passed = 1 THEN 1 ELSE 0 END),"
            " SUM(CASE WHEN t.last_n = 1 AND t.passed = 1 THEN 1 ELSE 0 END)"
            " FROM (SELECT CASE WHEN %1 THEN 1 ELSE 0 END AS passed,"
            " ROW_NUMBER() OVER (PARTITION BY r.unit ORDER BY r.started_utc, r.run_id) AS first_n,"
            " ROW_NUMBER() OVER (PARTITION BY r.unit ORDER BY r.started_utc DESC, r.run_id DESC)"
            " AS last_n FROM runs r WHERE %2 AND %3) t WHERE t.first_n = 1 OR t.last_n = 1")
            .arg(QLatin1String(passedSql), where.text, QLatin1String(labelledSql));
    if (!runQuery(query, sql, where.values, error) || !query.next())
        return false;
    figures->units = query.value(0).toLongLong();
    figures->firstPassed = query.value(1).toLongLong();
    figures->finalPassed = query.value(2).toLongLong();
    figures->retests -= figures->units;
    return true;
}

bool readHours(QSqlDatabase& db, const SqlCondition& where, ResultFigures* figures, QString* error)
{
    QSqlQuery query(db);
    const QString sql =
        QStringLiteral("SELECT SUBSTR(r.started_at, 1, 13),"
                       " SUM(CASE WHEN %1 THEN 1 ELSE 0 END),"
                       " SUM(CASE WHEN %2 THEN 1 ELSE 0 END), COUNT(*)"
                       " FROM runs r WHERE %3 GROUP BY SUBSTR(r.started_at, 1, 13)"
                       " ORDER BY MIN(r.started_utc)")
            .arg(QLatin1String(passedSql), QLatin1String(withErrorsSql), where.text);
    if (!runQuery(query, sql, where.values, error))
        return false;
    while (query.next()) {
        ResultFigures::Hour hour;
        hour.hour = query.value(0).toString();
        hour.passed = query.value(1).toLongLong();
        hour.withErrors = query.value(2).toLongLong();
        hour.abortedOrStopped = query.value(3).toLongLong() - hour.passed - hour.withErrors;
        figures->hours << hour;
    }
    return true;
}

// The failing runs grouped by outcome, step, run and first channel with errors; the labels are
// made here, and groups that give the same label are joined.
bool readPareto(QSqlDatabase& db, const SqlCondition& where, ResultFigures* figures, QString* error)
{
    QSqlQuery query(db);
    const QString sql =
        QStringLiteral(
            "SELECT COALESCE(r.outcome, ''), COALESCE(r.ended_in, ''), r.run, c.channel, COUNT(*)"
            " FROM runs r"
            " LEFT JOIN (SELECT run_id, MIN(position) AS first_position FROM run_channels"
            " WHERE errors > 0 GROUP BY run_id) f ON f.run_id = r.run_id"
            " LEFT JOIN run_channels c ON c.run_id = f.run_id AND c.position = f.first_position"
            " WHERE %1 AND NOT %2"
            " GROUP BY COALESCE(r.outcome, ''), COALESCE(r.ended_in, ''), r.run, c.channel")
            .arg(where.text, QLatin1String(passedSql));
    if (!runQuery(query, sql, where.values, error))
        return false;
    QHash<QString, qint64> counts;
    qint64 total = 0;
    while (query.next()) {
        std::optional<qint64> channel;
        if (!query.value(3).isNull())
            channel = query.value(3).toLongLong();
        const qint64 runs = query.value(4).toLongLong();
        counts[failureCause(query.value(0).toString(), query.value(1).toString(),
                            query.value(2).toString(), channel)] += runs;
        total += runs;
    }
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        figures->pareto << ResultFigures::Cause{it.key(), it.value(), 0};
    std::sort(figures->pareto.begin(), figures->pareto.end(), [](const auto& a, const auto& b) {
        return a.runs != b.runs ? a.runs > b.runs : a.step < b.step;
    });
    qint64 running = 0;
    for (ResultFigures::Cause& cause : figures->pareto) {
        running += cause.runs;
        cause.cumulativeShare = double(running) / double(total);
    }
    return true;
}

bool readChannels(QSqlDatabase& db, const SqlCondition& where, ResultFigures* figures,
                  QString* error)
{
    QSqlQuery query(db);
    const QString sql = QStringLiteral("SELECT c.channel, SUM(COALESCE(c.errors, 0))"
                                       " FROM runs r JOIN run_channels c ON c.run_id = r.run_id"
                                       " WHERE %1 AND c.channel IS NOT NULL"
                                       " GROUP BY c.channel ORDER BY c.channel")
                            .arg(where.text);
    if (!runQuery(query, sql, where.values, error))
        return false;
    while (query.next())
        figures->channels << ResultFigures::Channel{query.value(0).toLongLong(),
                                                    query.value(1).toLongLong()};
    return true;
}

// Each station's units and those whose first run at that station passed: a unit that failed on
// one station and passed on the next counts as a first pass of the second. The stations are
// sorted here, not by the database: a server sorts text by its language, the store by its bytes.
bool readStationYields(QSqlDatabase& db, const SqlCondition& where, ResultFigures* figures,
                       QString* error)
{
    QSqlQuery query(db);
    const QString sql = QStringLiteral("SELECT t.station, COUNT(*), SUM(t.passed) FROM"
                                       " (SELECT COALESCE(r.station, '') AS station,"
                                       " CASE WHEN %1 THEN 1 ELSE 0 END AS passed,"
                                       " ROW_NUMBER() OVER (PARTITION BY r.station, r.unit"
                                       " ORDER BY r.started_utc, r.run_id) AS n"
                                       " FROM runs r WHERE %2 AND %3) t"
                                       " WHERE t.n = 1 GROUP BY t.station")
                            .arg(QLatin1String(passedSql), where.text, QLatin1String(labelledSql));
    if (!runQuery(query, sql, where.values, error))
        return false;
    while (query.next())
        figures->stations << ResultFigures::Station{
            query.value(0).toString(), query.value(1).toLongLong(), query.value(2).toLongLong()};
    std::sort(figures->stations.begin(), figures->stations.end(),
              [](const auto& a, const auto& b) { return a.station < b.station; });
    return true;
}
} // namespace

std::optional<double> ResultFigures::Station::firstPassYield() const
{
    return share(firstPassed, units);
}

std::optional<double> ResultFigures::firstPassYield() const
{
    return share(firstPassed, units);
}

std::optional<double> ResultFigures::finalYield() const
{
    return share(finalPassed, units);
}

bool readFigures(QSqlDatabase& db, const ResultsFilter& filter, ResultFigures* figures,
                 QString* error)
{
    *figures = ResultFigures();
    const SqlCondition where = filterCondition(filter);
    return readTotals(db, where, figures, error) && readUnits(db, where, figures, error) &&
           readHours(db, where, figures, error) && readPareto(db, where, figures, error) &&
           readChannels(db, where, figures, error) && readStationYields(db, where, figures, error);
}

bool readStations(QSqlDatabase& db, QStringList* stations, QString* error)
{
    stations->clear();
    QSqlQuery query(db);
    if (!runQuery(query,
                  QStringLiteral("SELECT DISTINCT station FROM runs WHERE station IS NOT NULL"
                                 " AND station <> ''"),
                  {}, error))
        return false;
    while (query.next())
        *stations << query.value(0).toString();
    std::sort(stations->begin(), stations->end());
    return true;
}

QString failureCause(const QString& outcome, const QString& endedIn, const QString& run,
                     std::optional<qint64> firstChannelWithErrors)
{
    const QString step = endedIn.isEmpty() ? run : endedIn;
    if (outcome == QLatin1String("completed")) {
        if (firstChannelWithErrors)
            return QStringLiteral("errors in Ch# %1").arg(*firstChannelWithErrors);
        return QStringLiteral("errors in ") + step;
    }
    const QString word = outcome.isEmpty() ? QStringLiteral("ended") : outcome;
    return word + QStringLiteral(" in ") + step;
}
