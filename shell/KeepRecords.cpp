// File > Keep Records: choosing the records folder, and the menu entry that names it.
#include "platform/ChoiceBox.h"
#include "platform/FolderDialog.h"
#include "platform/MessageBox.h"
#include "session/UnitSession.h"
#include "shell/MainWin.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace
{
const QString kRecordsSubject = QStringLiteral("Keep Records");

} // namespace

void MainWin::KeepRecords_Show(const QString& folder)
{
    menuFileKeepRecords->setChecked(!folder.isEmpty());
    menuFileKeepRecords->setText(
        folder.isEmpty()
            ? QStringLiteral("Keep &Records...")
            : QStringLiteral("Keep &Records in ") +
                  QDir::toNativeSeparators(folder).replace(QLatin1Char('&'), QStringLiteral("&&")));
}

void MainWin::menuFileKeepRecords_Click()
{
    QString folderKept = Session->recordsFolder();
    if (!folderKept.isEmpty()) {
        const int choice =
            askChoice(this,
                      QStringLiteral("Records are kept in ") +
                          QDir::toNativeSeparators(folderKept) + QStringLiteral("."),
                      kTitlePrefix + kRecordsSubject,
                      {QStringLiteral("Stop Keeping Records"),
                       QStringLiteral("Pick Another Folder..."), QStringLiteral("Cancel")});
        if (choice == 0)
            folderKept.clear();
        if (choice != 1) {
            Session->setRecordsFolder(folderKept);
            return;
        }
    }
    QString start = folderKept;
    if (start.isEmpty())
        start = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (start.isEmpty() || !QFileInfo(start).isDir())
        start = QDir::homePath();
    const QString folder = chooseFolder(this, kTitlePrefix + kRecordsSubject, start);
    if (!folder.isEmpty()) {
        const QFileInfo info(folder);
        if (info.isDir() && info.isWritable())
            folderKept = info.absoluteFilePath();
        else
            messageBox(this,
                       QStringLiteral("Records cannot be kept in ") +
                           QDir::toNativeSeparators(folder) +
                           QStringLiteral(": it is not a folder this program may write to."),
                       kTitlePrefix + kRecordsSubject, MsgButtons::Ok);
    }
    Session->setRecordsFolder(folderKept);
}
