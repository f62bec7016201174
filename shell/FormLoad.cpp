// Start-up and shutdown: the form's load step, the control defaults, the wait timer's tick, the
// end.
#include "platform/MessageBox.h"
#include "platform/ProgramEnd.h"
#include "shell/MainWin.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QMenu>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>

namespace
{
// Gives a combo box the text, as assigning a combo box's text does: an item with exactly that
// text becomes the selection (raising the change); a free-text box otherwise just shows the text.
void setComboText(QComboBox* combo, const QString& text)
{
    const int index = combo->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0)
        combo->setCurrentIndex(index);
    else if (combo->isEditable())
        combo->setEditText(text);
}
} // namespace

void MainWin::Form_Load()
{
    setWindowTitle(windowTitle() + QStringLiteral(" V") + kVersion);
    TestConsoleBackColor = TestConsoleFrame->palette().color(TestConsoleFrame->backgroundRole());
    menuFactory->menuAction()->setVisible(false);
    PowerCycleMsg = QStringLiteral("With the serial cable connected, remove and reapply power to "
                                   "the Modem now -- the STATUS LED should come ON.") +
                    QLatin1Char('\n') +
                    QStringLiteral("Once power has been re-applied, click OK within 10 seconds "
                                   "to continue.");
    rx.stopCapturing();
    ReplyOK = QByteArrayLiteral("OK\r\n");
    ReplyER = QByteArrayLiteral("ER\r\n");
    DelayJifValue = 314159;
    DelayCalTimer->stop();
    RxIdleTimer->stop();
    CmdReplyTimer->stop();
    CmdSendTypingImmediately->setChecked(true);
    RxShowMode->setCurrentIndex(0);
    UpDown.value(3)->setValue(1);
    // The spinner already held 1, so no change ran: show the channel in its box all the same.
    UpDownWin_Refresh(3);
    EOL->setCurrentIndex(0);
    Rx_Reset();
    Stat_Clear();
    MsgWin_Clear();
    InitControlDefaults();
    CommPort_Apply();
    CommSettings_Enable();
    TestStateWin_Ready();
}

void MainWin::InitControlDefaults()
{
    setComboText(CommPort, QStringLiteral("COM1"));
    setComboText(CommBaud, QStringLiteral("9600"));
    setComboText(CommFormat, QStringLiteral("N,8,1"));
    CommOpenCbox->setChecked(false);
    setComboText(TestNewBaud, QStringLiteral("19200"));
    setComboText(TestSetBaudTo, QStringLiteral("Standard"));
    for (const char* name : {"FAST", "PBASIC", "RM2", "Teamboard"}) {
        const QString base = QString::fromLatin1(name);
        TestDeviceConfig->addItem(base);
        TestDeviceConfig->addItem(base + QStringLiteral("-MultiMode"));
    }
    TestDeviceConfig->setCurrentIndex(0);
    TestIsBase->setChecked(true);
    CfgNewChannel->setCurrentIndex(0);
    CfgNewDeviceConfig->setCurrentIndex(0);
    CfgQuery->setChecked(true);
}

void MainWin::StartKludgeTimer_Timer()
{
    StartKludgeTimer->stop();
}

void MainWin::menuExit_Click()
{
    endProgram();
}

void MainWin::ReportInternalError(const QString& text)
{
    messageBox(this, QStringLiteral("Oops! An Internal Error Occurred: ") + text,
               kTitlePrefix + QStringLiteral("Internal Error"), MsgButtons::Ok);
    endProgram();
}
