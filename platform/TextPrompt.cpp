// The one-line text prompt, or the installed responder.
#include "platform/TextPrompt.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>

namespace
{
TextPromptResponder& responder()
{
    static TextPromptResponder r;
    return r;
}
} // namespace

void setTextPromptResponder(TextPromptResponder r)
{
    responder() = std::move(r);
}

std::optional<QString> askText(QWidget* parent, const QString& title, const QString& label,
                               const QString& prefill)
{
    if (responder())
        return responder()(title, label, prefill);

    // Held by a guarded pointer: closing the main window during the box deletes it with it.
    QPointer<QDialog> box = new QDialog(parent);
    box->setWindowTitle(title);
    box->setWindowModality(parent ? Qt::WindowModal : Qt::ApplicationModal);
    auto* input = new QLineEdit(prefill, box);
    input->setObjectName(QStringLiteral("TextPromptInput"));
    input->setMaxLength(200);
    input->setMinimumWidth(input->fontMetrics().horizontalAdvance(QLatin1Char('M')) * 20);
    input->selectAll();
    auto* caption = new QLabel(label, box);
    caption->setBuddy(input);
    input->setAccessibleName(QString(label).remove(QLatin1Char('&')).remove(QLatin1Char(':')));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, box);
    QObject::connect(buttons, &QDialogButtonBox::accepted, box, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, box, &QDialog::reject);
    auto* layout = new QFormLayout(box);
    layout->addRow(caption, input);
    layout->addRow(buttons);
    const bool accepted = box->exec() == QDialog::Accepted;
    std::optional<QString> text;
    if (box && accepted)
        text = input->text();
    delete box.data();
    return text;
}
