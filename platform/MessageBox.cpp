// Window-modal message boxes, or the installed responder.
#include "platform/MessageBox.h"

#include <QEventLoop>
#include <QGridLayout>
#include <QMessageBox>
#include <QPointer>

namespace
{
// Room a title bar takes beside its title: the icon, the buttons and the frame's margins.
constexpr int kTitleBarExtra = 140;

MessageBoxResponder& responder()
{
    static MessageBoxResponder r;
    return r;
}

// The box on screen; boxes open one at a time, each modal over the window.
QPointer<QMessageBox>& openBox()
{
    static QPointer<QMessageBox> box;
    return box;
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
    // At least as wide as its title with the title bar's buttons, so that the title shows whole.
    // The box sets its own minimum width when shown; a spacer in its layout holds against that.
    if (auto* grid = qobject_cast<QGridLayout*>(box->layout()))
        grid->addItem(new QSpacerItem(box->fontMetrics().horizontalAdvance(title) + kTitleBarExtra,
                                      0, QSizePolicy::Minimum, QSizePolicy::Minimum),
                      grid->rowCount(), 0, 1, grid->columnCount());
    const QPointer<QMessageBox> outer = openBox();
    openBox() = box;
    const int result = box->exec();
    const bool ok = result == QMessageBox::Ok;
    openBox() = outer;
    delete box.data();
    return ok ? MsgAnswer::Ok : MsgAnswer::Cancel;
}

void cancelOpenMessageBox()
{
    QMessageBox* box = openBox();
    if (!box)
        return;
    box->done(QMessageBox::Cancel);
}
