// Keeping records of runs: the unit's label, and filing the log and the results row of every
// outermost run.
#include "platform/MSComm.h"
#include "script/RecordFiles.h"
#include "session/SessionOptions.h"
#include "session/SessionQuestions.h"
#include "session/UnitSession.h"

#include <QDir>
#include <QFileInfo>

bool UnitSession::Records_AskUnit()
{
    if (RecordsFolder.isEmpty())
        return true;
    const std::optional<QString> label = Questions.askText(
        kTitlePrefix + QStringLiteral("Unit"), QStringLiteral("&Unit:"),
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
        if (!RecordsFolder.isEmpty()) {
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
    record.port = MSComm1->PortOpen() && !CommPortOpenText.isEmpty() ? CommPortOpenText
                                                                     : PortText;
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
    if (RecordsFolder.isEmpty())
        return;
    RecordsLastUnit = record.unit;
    if (lines)
        lines->append(*MsgLines);
    else
        lines = detachedCopy(*MsgLines);

    const QString logPath =
        freeRecordPath(RecordsFolder, recordFileName(name, record.unit, record.start));
    record.logFile = QFileInfo(logPath).fileName();
    QString failedPath = logPath;
    QString reason = writeShownLog(*lines, logPath, Options.showTimes());
    if (reason.isEmpty()) {
        failedPath = QDir(RecordsFolder).filePath(resultsFileName(record.start.date()));
        reason = appendResultsRow(failedPath, resultsHeader(), resultsRow(record));
    }
    if (reason.isEmpty())
        return;
    // One box: records stop, so the next run does not fail the same way again.
    RecordsFolder.clear();
    emit recordsFolderChanged(RecordsFolder);
    Questions.ask(QStringLiteral("The run's record could not be saved to ") +
                   QDir::toNativeSeparators(failedPath) + QStringLiteral(":\n") + reason +
                   QStringLiteral("\n\nRecords are no longer kept."),
               kTitlePrefix + QStringLiteral("Save Failed"), MsgButtons::Ok);
}

void UnitSession::setRecordsFolder(const QString& folder)
{
    RecordsFolder = folder;
    emit recordsFolderChanged(folder);
}
