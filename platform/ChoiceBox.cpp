// Window-modal choice boxes, or the installed responder.
#include "platform/ChoiceBox.h"

#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

namespace
{
ChoiceResponder& responder()
{
    static ChoiceResponder r;
    return r;
}
} // namespace

void setChoiceResponder(ChoiceResponder r)
{
    responder() = std::move(r);
}

int askChoice(QWidget* parent, const QString& text, const QString& title,
              const QStringList& choices)
{
    if (responder())
        return responder()(text, title, choices);

    QPointer<QMessageBox> box = new QMessageBox(parent);
    box->setWindowTitle(title);
    box->setText(text);
    box->setIcon(QMessageBox::NoIcon);
    box->setTextFormat(Qt::PlainText);
    box->setWindowModality(parent ? Qt::WindowModal : Qt::ApplicationModal);
    QList<QPushButton*> buttons;
    for (const QString& choice : choices)
        buttons << box->addButton(choice, QMessageBox::ActionRole);
    if (!buttons.isEmpty()) {
        box->setDefaultButton(buttons.first());
        box->setEscapeButton(buttons.last());
    }
    box->exec();
    const int chosen = box ? int(buttons.indexOf(box->clickedButton())) : -1;
    delete box.data();
    return chosen < 0 ? int(choices.size()) - 1 : chosen;
}
