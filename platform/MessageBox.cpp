// Window-modal message boxes, or the installed responder.
#include "platform/MessageBox.h"

#include <QEventLoop>
#include <QMessageBox>
#include <QPointer>

namespace
{
MessageBoxResponder& responder()
{
    static MessageBoxResponder r;
    return r;
}
} // namespace

void setMessageBoxResponder(MessageBoxResponder r)
{
    responder() = std::move(r);
}

MsgAnswer messageBox(QWidget* parent, const QString& text, const QString& title, MsgButtons buttons)
{
    if (responder())
        return responder()(text, title, buttons);

    QPointer<QMessageBox> box = new QMessageBox(parent);
    box->setWindowTitle(title);
    box->setText(text);
    box->setIcon(QMessageBox::NoIcon);
    box->setTextFormat(Qt::PlainText);
    box->setWindowModality(parent ? Qt::WindowModal : Qt::ApplicationModal);
    if (buttons == MsgButtons::OkCancel) {
        box->setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box->setEscapeButton(QMessageBox::Cancel);
    } else {
        box->setStandardButtons(QMessageBox::Ok);
        box->setEscapeButton(QMessageBox::Ok);
    }
    box->setDefaultButton(QMessageBox::Ok);
    const int result = box->exec();
    delete box.data();
    return result == QMessageBox::Ok ? MsgAnswer::Ok : MsgAnswer::Cancel;
}
