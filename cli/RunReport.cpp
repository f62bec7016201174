// The exit status and the JSON report of the command line's action.
#include "cli/RunReport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

int exitStatus(CliOutcome outcome, int errors)
{
    switch (outcome) {
    case CliOutcome::Completed:
        return errors == 0 ? 0 : 1;
    case CliOutcome::Aborted:
        return 2;
    case CliOutcome::Stopped:
        return 3;
    case CliOutcome::Cancelled:
        return 5;
    }
    return 2;
}

CliOutcome actionOutcome(const std::optional<RunRecord>& run, bool signalled, bool cancelled)
{
    if (signalled)
        return CliOutcome::Stopped;
    if (!run)
        // No run took place: a question turned it down, or the port went away before it began.
        return cancelled ? CliOutcome::Cancelled : CliOutcome::Aborted;
    switch (run->outcome) {
    case RunOutcome::Completed:
        return CliOutcome::Completed;
    case RunOutcome::Aborted:
        return CliOutcome::Aborted;
    case RunOutcome::Stopped:
        return CliOutcome::Stopped;
    }
    return CliOutcome::Aborted;
}

namespace
{
QString outcomeText(CliOutcome outcome)
{
    switch (outcome) {
    case CliOutcome::Completed:
        return QStringLiteral("completed");
    case CliOutcome::Aborted:
        return QStringLiteral("aborted");
    case CliOutcome::Stopped:
        return QStringLiteral("stopped");
    case CliOutcome::Cancelled:
        return QStringLiteral("cancelled");
    }
    return {};
}
} // namespace

QByteArray runReportJson(const RunReportFacts& facts, const std::optional<RunRecord>& record)
{
    QJsonObject o;
    o[QStringLiteral("run")] = record ? record->run : facts.run;
    o[QStringLiteral("outcome")] = outcomeText(facts.outcome);
    o[QStringLiteral("ended_in")] = record ? record->abortedIn : QString();
    o[QStringLiteral("errors")] = record ? record->errors : 0;
    o[QStringLiteral("firmware")] = record ? record->firmware : QString();
    o[QStringLiteral("station_type")] = record ? record->station : QString();
    o[QStringLiteral("configuration")] = record ? record->configuration : QString();
    QJsonArray channels;
    if (record) {
        for (const RunRecord::Channel& channel : record->channels)
            channels.append(QJsonObject{{QStringLiteral("channel"), channel.number},
                                        {QStringLiteral("errors"), channel.errors}});
    }
    o[QStringLiteral("channels")] = channels;
    o[QStringLiteral("started_at")] = record ? isoLocalTime(record->start) : QString();
    o[QStringLiteral("ended_at")] = record ? isoLocalTime(record->end) : QString();
    o[QStringLiteral("port")] = record ? record->port : facts.port;
    o[QStringLiteral("unit")] = record ? record->unit : facts.unit;
    o[QStringLiteral("lines")] = QJsonArray::fromStringList(facts.lines);
    return QJsonDocument(o).toJson(QJsonDocument::Indented);
}
