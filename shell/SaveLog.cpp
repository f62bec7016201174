// Saving the message window to a file: the lines a run clears kept for later, the save dialog in
// the folder of the last save (the documents folder at first) and the report of a failed write.
#include "platform/FileDialog.h"
#include "platform/MessageBox.h"
#include "shell/MainWin.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

// The lines come by value: they are what the user asked to save, whatever the window or a kept
// run holds while the dialog is open.
// NOLINTNEXTLINE(performance-unnecessary-value-param)
void MainWin::MsgWin_SaveToFile(MsgLog lines, RunLabel label, const QString& subject)
{
    QString folder = MsgWinSaveFolder;
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QDir::homePath();
    const QDateTime time = label.started.isValid() ? label.started : QDateTime::currentDateTime();
    const QString path = saveFileDialog(this, kTitlePrefix + subject,
                                        QDir(folder).filePath(logFileName(label.name, time)),
                                        QStringLiteral("Text files (*.txt);;All files (*)"));
    if (path.isEmpty())
        return;
    const QString reason = writeShownLog(lines, path, menuLogShowTimes->isChecked());
    if (reason.isEmpty())
        MsgWinSaveFolder = QFileInfo(path).absolutePath();
    else
        messageBox(this,
                   QStringLiteral("The log could not be saved to ") +
                       QDir::toNativeSeparators(path) + QStringLiteral(":\n") + reason,
                   kTitlePrefix + QStringLiteral("Save Failed"), MsgButtons::Ok);
}
