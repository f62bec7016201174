// Makes the stored form of a run from the record the run left.
#include "records/StoredRun.h"

#include "script/RunRecord.h"

#include <QUuid>

StoredRun storedRunFrom(const RunRecord& record, const QString& station,
                        const QString& operatorName, const QString& programVersion,
                        const QString& log)
{
    StoredRun stored;
    stored.runId = QUuid::createUuid().toString(QUuid::WithoutBraces);
    stored.station = station;
    stored.operatorName = operatorName;
    stored.programVersion = programVersion;
    stored.unit = record.unit;
    stored.port = record.port;
    stored.run = record.run;
    stored.outcome = outcomeWord(record.outcome);
    stored.endedIn = record.abortedIn;
    stored.errors = record.errors;
    stored.firmware = record.firmware;
    stored.stationType = record.station;
    stored.configuration = record.configuration;
    stored.startedAt = isoLocalTime(record.start);
    stored.endedAt = isoLocalTime(record.end);
    if (record.start.isValid())
        stored.startedUtc =
            record.start.toUTC().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzz'Z'"));
    stored.log = log;
    for (qsizetype i = 0; i < record.channels.size() && i < 3; ++i)
        stored.channels.append(
            {static_cast<int>(i) + 1, record.channels.at(i).number, record.channels.at(i).errors});
    return stored;
}
