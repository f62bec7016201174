// Keeping records of runs: the unit's label, and filing the log and the results row of every
// outermost run.
#include "platform/MSComm.h"
#include "records/StoredRun.h"
#include "session/ProgramVersion.h"
#include "session/RecordKeeper.h"
#include "session/SessionOptions.h"
#include "session/SessionQuestions.h"
#include "session/UnitSession.h"

bool UnitSession::Records_AskUnit()
{
    if (!RecordsKeep)
        return true;
    const std::optional<QString> label =
        Questions.askText(kTitlePrefix + QStringLiteral("Unit"), QStringLiteral("&Unit:"),
                          nextUnitLabel(RecordsLastUnit));
    if (!label)
        return false;
    // A scanner may add spaces around the label.
    RecordsUnit = label->trimmed();
    return true;
}

bool UnitSession::Records_RunStarting()
{
    if (RecordUnderWay) {
        // A run nested in the one under way is part of its record: the lines it is about to
        // clear from the window stay with the record.
        if (RecordsKeep) {
            MsgLog lines = detachedCopy(*MsgLines);
            if (RecordEarlierLines)
                RecordEarlierLines->append(lines);
            else
                RecordEarlierLines = std::move(lines);
        }
        return false;
    }
    RunRecord record;
    record.start = QDateTime::currentDateTime();
    record.unit = std::exchange(RecordsUnit, QString());
    record.port = MSComm1->PortOpen() && !CommPortOpenText.isEmpty() ? CommPortOpenText : PortText;
    RecordUnderWay = std::move(record);
    RecordEarlierLines.reset();
    return true;
}

void UnitSession::Records_RunEnded(const QString& name)
{
    if (!RecordUnderWay)
        return;
    RunRecord record = *std::exchange(RecordUnderWay, std::nullopt);
    std::optional<MsgLog> lines = std::exchange(RecordEarlierLines, std::nullopt);
    record.end = QDateTime::currentDateTime();
    record.run = name;
    record.outcome = run.RunStopped()   ? RunOutcome::Stopped
                     : run.RunAborted() ? RunOutcome::Aborted
                                        : RunOutcome::Completed;
    if (record.outcome != RunOutcome::Completed)
        record.abortedIn = run.ScriptStep();
    record.errors = run.ErrCount();
    LastRun = record;
    if (!RecordsKeep)
        return;
    RecordsLastUnit = record.unit;
    if (lines)
        lines->append(*MsgLines);
    else
        lines = detachedCopy(*MsgLines);
    QString log = QString::fromUtf8(savedLogText(*lines, Options.showTimes()));
    if (log.endsWith(QLatin1Char('\n')))
        log.chop(1);
    // The store takes the run first; the folder and the server are written from the store.
    emit runToKeep(storedRunFrom(record, RecordsStation, operatorName(), kProgramVersion, log),
                   RecordsFolder, RecordsServer);
}

void UnitSession::setRecordsFolder(const QString& folder)
{
    RecordsFolder = folder;
    RecordsKeep = !folder.isEmpty();
    emit recordsFolderChanged(folder);
}

void UnitSession::setRecords(bool keep, const QString& station, const QString& folder,
                             const QString& server)
{
    RecordsKeep = keep;
    RecordsStation = station;
    RecordsFolder = folder;
    RecordsServer = server;
    emit recordsFolderChanged(folder);
}
