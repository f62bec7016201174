// Keeping records of runs: the folder, the unit's label, and filing the log and the results row
// of every outermost run.
#include "platform/ChoiceBox.h"
#include "platform/FolderDialog.h"
#include "platform/MSComm.h"
#include "platform/MessageBox.h"
#include "platform/TextPrompt.h"
#include "script/RecordFiles.h"
#include "shell/MainWin.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace
{
const QString kRecordsSubject = QStringLiteral("Keep Records");

// The entry is ticked and names the folder while records are kept.
void showKeeping(QAction* entry, const QString& folder)
{
    entry->setChecked(!folder.isEmpty());
    entry->setText(folder.isEmpty() ? QStringLiteral("Keep &Records...")
                                    : QStringLiteral("Keep &Records in ") +
                                          QDir::toNativeSeparators(folder).replace(
                                              QLatin1Char('&'), QStringLiteral("&&")));
}
} // namespace

void MainWin::menuFileKeepRecords_Click()
{
    if (!RecordsFolder.isEmpty()) {
        const int choice =
            askChoice(this,
                      QStringLiteral("Records are kept in ") +
                          QDir::toNativeSeparators(RecordsFolder) + QStringLiteral("."),
                      kTitlePrefix + kRecordsSubject,
                      {QStringLiteral("Stop Keeping Records"),
                       QStringLiteral("Pick Another Folder..."), QStringLiteral("Cancel")});
        if (choice == 0)
            RecordsFolder.clear();
        if (choice != 1) {
            showKeeping(menuFileKeepRecords, RecordsFolder);
            return;
        }
    }
    QString start = RecordsFolder;
    if (start.isEmpty())
        start = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (start.isEmpty() || !QFileInfo(start).isDir())
        start = QDir::homePath();
    const QString folder = chooseFolder(this, kTitlePrefix + kRecordsSubject, start);
    if (!folder.isEmpty()) {
        const QFileInfo info(folder);
        if (info.isDir() && info.isWritable())
            RecordsFolder = info.absoluteFilePath();
        else
            messageBox(this,
                       QStringLiteral("Records cannot be kept in ") +
                           QDir::toNativeSeparators(folder) +
                           QStringLiteral(": it is not a folder this program may write to."),
                       kTitlePrefix + kRecordsSubject, MsgButtons::Ok);
    }
    showKeeping(menuFileKeepRecords, RecordsFolder);
}

bool MainWin::Records_AskUnit()
{
    if (RecordsFolder.isEmpty())
        return true;
    const std::optional<QString> label =
        askText(this, kTitlePrefix + QStringLiteral("Unit"), QStringLiteral("&Unit:"),
                nextUnitLabel(RecordsLastUnit));
    if (!label)
        return false;
    // A scanner may add spaces around the label.
    RecordsUnit = label->trimmed();
    return true;
}

bool MainWin::Records_RunStarting()
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
                                                                     : CommPort->currentText();
    RecordUnderWay = std::move(record);
    RecordEarlierLines.reset();
    return true;
}

void MainWin::Records_RunEnded(const QString& name)
{
    if (!RecordUnderWay)
        return;
    RunRecord record = *std::exchange(RecordUnderWay, std::nullopt);
    std::optional<MsgLog> lines = std::exchange(RecordEarlierLines, std::nullopt);
    if (RecordsFolder.isEmpty())
        return;
    record.end = QDateTime::currentDateTime();
    record.run = name;
    record.outcome = run.RunStopped()   ? RunOutcome::Stopped
                     : run.RunAborted() ? RunOutcome::Aborted
                                        : RunOutcome::Completed;
    if (record.outcome != RunOutcome::Completed)
        record.abortedIn = run.ScriptStep();
    record.errors = run.ErrCount();
    RecordsLastUnit = record.unit;
    if (lines)
        lines->append(*MsgLines);
    else
        lines = detachedCopy(*MsgLines);

    const QString logPath =
        freeRecordPath(RecordsFolder, recordFileName(name, record.unit, record.start));
    record.logFile = QFileInfo(logPath).fileName();
    QString failedPath = logPath;
    QString reason = writeShownLog(*lines, logPath, menuLogShowTimes->isChecked());
    if (reason.isEmpty()) {
        failedPath = QDir(RecordsFolder).filePath(resultsFileName(record.start.date()));
        reason = appendResultsRow(failedPath, resultsHeader(), resultsRow(record));
    }
    if (reason.isEmpty())
        return;
    // One box: records stop, so the next run does not fail the same way again.
    RecordsFolder.clear();
    showKeeping(menuFileKeepRecords, RecordsFolder);
    messageBox(this,
               QStringLiteral("The run's record could not be saved to ") +
                   QDir::toNativeSeparators(failedPath) + QStringLiteral(":\n") + reason +
                   QStringLiteral("\n\nRecords are no longer kept."),
               kTitlePrefix + QStringLiteral("Save Failed"), MsgButtons::Ok);
}
