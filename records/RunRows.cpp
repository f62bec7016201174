// The column order of a run's rows, bound and read in one place.
#include "records/RunRows.h"

#include "records/RecordSchema.h"

#include <QSqlQuery>
#include <QVariant>

namespace
{
// An empty text is bound as '' rather than NULL: the text columns are NOT NULL.
QVariant text(const QString& value)
{
    return value.isNull() ? QVariant(QStringLiteral("")) : QVariant(value);
}
} // namespace

QString runInsert(const QString& tail)
{
    return QStringLiteral("INSERT INTO runs (%1) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
                          "?, ?, ?)%2")
        .arg(runColumns(), tail);
}

void bindRun(QSqlQuery& query, const StoredRun& run)
{
    query.addBindValue(text(run.runId));
    query.addBindValue(text(run.station));
    query.addBindValue(text(run.operatorName));
    query.addBindValue(text(run.programVersion));
    query.addBindValue(text(run.unit));
    query.addBindValue(text(run.port));
    query.addBindValue(text(run.run));
    query.addBindValue(text(run.outcome));
    query.addBindValue(text(run.endedIn));
    query.addBindValue(run.errors);
    query.addBindValue(text(run.firmware));
    query.addBindValue(text(run.stationType));
    query.addBindValue(text(run.configuration));
    query.addBindValue(text(run.startedAt));
    query.addBindValue(text(run.endedAt));
    query.addBindValue(text(run.startedUtc));
    query.addBindValue(text(run.log));
}

QString channelInsert(const QString& tail)
{
    return QStringLiteral(
               "INSERT INTO run_channels (run_id, position, channel, errors) VALUES (?, ?, ?, ?)") +
           tail;
}

void bindChannel(QSqlQuery& query, const QString& runId, const StoredChannel& channel)
{
    query.addBindValue(text(runId));
    query.addBindValue(channel.position);
    query.addBindValue(channel.channel);
    query.addBindValue(channel.errors);
}

StoredRun runFromRow(const QSqlQuery& query)
{
    StoredRun run;
    run.runId = query.value(0).toString();
    run.station = query.value(1).toString();
    run.operatorName = query.value(2).toString();
    run.programVersion = query.value(3).toString();
    run.unit = query.value(4).toString();
    run.port = query.value(5).toString();
    run.run = query.value(6).toString();
    run.outcome = query.value(7).toString();
    run.endedIn = query.value(8).toString();
    run.errors = query.value(9).toInt();
    run.firmware = query.value(10).toString();
    run.stationType = query.value(11).toString();
    run.configuration = query.value(12).toString();
    run.startedAt = query.value(13).toString();
    run.endedAt = query.value(14).toString();
    run.startedUtc = query.value(15).toString();
    run.log = query.value(16).toString();
    return run;
}

QString channelSelect()
{
    return QStringLiteral(
        "SELECT position, channel, errors FROM run_channels WHERE run_id = ? ORDER BY position");
}

StoredChannel channelFromRow(const QSqlQuery& query)
{
    return {query.value(0).toInt(), query.value(1).toInt(), query.value(2).toInt()};
}
