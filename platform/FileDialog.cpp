// Window-modal save dialogs, or the installed responder.
#include "platform/FileDialog.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QPointer>

namespace
{
SaveFileResponder& responder()
{
    static SaveFileResponder r;
    return r;
}
} // namespace

void setSaveFileResponder(SaveFileResponder r)
{
    responder() = std::move(r);
}

QString saveFileDialog(QWidget* parent, const QString& title, const QString& suggested,
                       const QString& filter)
{
    if (responder())
        return responder()(title, suggested);

    const QFileInfo start(suggested);
    // Held by a guarded pointer: closing the main window during the dialog deletes it with it.
    QPointer<QFileDialog> dialog = new QFileDialog(parent, title, start.absolutePath(), filter);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setDefaultSuffix(start.suffix());
    dialog->selectFile(start.fileName());
    dialog->setWindowModality(parent ? Qt::WindowModal : Qt::ApplicationModal);
    const bool accepted = dialog->exec() == QDialog::Accepted;
    QString chosen;
    if (dialog && accepted && !dialog->selectedFiles().isEmpty())
        chosen = dialog->selectedFiles().constFirst();
    delete dialog.data();
    return chosen;
}
