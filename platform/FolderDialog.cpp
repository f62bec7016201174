// Window-modal folder choosers, or the installed responder.
#include "platform/FolderDialog.h"

#include <QFileDialog>
#include <QPointer>

namespace
{
FolderResponder& responder()
{
    static FolderResponder r;
    return r;
}
} // namespace

void setFolderResponder(FolderResponder r)
{
    responder() = std::move(r);
}

QString chooseFolder(QWidget* parent, const QString& title, const QString& start)
{
    if (responder())
        return responder()(title, start);

    // Held by a guarded pointer: closing the main window during the dialog deletes it with it.
    QPointer<QFileDialog> dialog = new QFileDialog(parent, title, start);
    dialog->setFileMode(QFileDialog::Directory);
    dialog->setOption(QFileDialog::ShowDirsOnly, true);
    dialog->setWindowModality(parent ? Qt::WindowModal : Qt::ApplicationModal);
    const bool accepted = dialog->exec() == QDialog::Accepted;
    QString chosen;
    if (dialog && accepted && !dialog->selectedFiles().isEmpty())
        chosen = dialog->selectedFiles().constFirst();
    delete dialog.data();
    return chosen;
}
