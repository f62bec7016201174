// The shortcut buttons and the channel selector (box and spinner).
#include "session/UnitSession.h"
#include "shell/MainWin.h"
#include "terminal/ChannelText.h"
#include "terminal/ShortcutCommand.h"

#include <QLineEdit>
#include <QScrollBar>
#include <QTimer>

namespace
{
// More than the longest channel box text, so that typing replaces all of it.
constexpr int kChannelSelectLength = 10;
} // namespace

void MainWin::CmdMacroByIndexBtn_Click(qint16 index)
{
    const QByteArray command = shortcutCommand(index, UpDown.value(3)->value());
    if (command.isEmpty())
        return;
    Session->MsgWin_Output(QString());
    Session->MsgWin_Output(QStringLiteral("Sent: ") + QString::fromLatin1(command));
    Session->SendCommandAutoRTS(command);
}

void MainWin::UpDown_Change(qint16 index)
{
    QLineEdit* box = UpDownWin.value(index);
    QScrollBar* spinner = UpDown.value(index);
    if (!box || !spinner)
        return;
    box->setText(QString::number(spinner->value()));
    UpDownWin_Refresh(index);
}

void MainWin::UpDownWin_GotFocus(qint16 index)
{
    QLineEdit* box = UpDownWin.value(index);
    if (!box)
        return;
    box->setSelection(0, kChannelSelectLength);
    // A mouse click places the caret after the focus arrives; select again once it has.
    QTimer::singleShot(0, box, [box] {
        if (box->hasFocus())
            box->setSelection(0, kChannelSelectLength);
    });
}

void MainWin::UpDownWin_LostFocus(qint16 index)
{
    QLineEdit* box = UpDownWin.value(index);
    QScrollBar* spinner = UpDown.value(index);
    if (!box || !spinner)
        return;
    const int value = parseChannelText(box->text(), spinner->minimum(), spinner->maximum());
    box->setText(QString::number(value));
    spinner->setValue(value);
    UpDownWin_Refresh(index);
}

void MainWin::UpDownWin_KeyDown(qint16 index, int key)
{
    QLineEdit* box = UpDownWin.value(index);
    QScrollBar* spinner = UpDown.value(index);
    if (!box || !spinner)
        return;
    // A channel typed in the box is taken first, as leaving the box would take it; the step then
    // starts from it. Up acts as the upper arrow, which raises the channel.
    UpDownWin_LostFocus(index);
    spinner->triggerAction(key == Qt::Key_Up ? QAbstractSlider::SliderSingleStepSub
                                             : QAbstractSlider::SliderSingleStepAdd);
    // The box goes on being edited: the next typing replaces the stepped channel.
    box->setSelection(0, kChannelSelectLength);
}

void MainWin::UpDownWin_Refresh(qint16 index)
{
    if (index != 3)
        return;
    UpDownWin.value(3)->setText(channelBoxText(UpDown.value(3)->value()));
}
