// Start-up and shutdown: the form's load step, the control defaults, the end.
#include "platform/ProgramEnd.h"
#include "session/UnitSession.h"
#include "shell/MainWin.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QMenu>
#include <QRadioButton>
#include <QScrollBar>

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
    CmdSendTypingImmediately->setChecked(true);
    RxShowMode->setCurrentIndex(0);
    UpDown.value(3)->setValue(1);
    // The spinner already held 1, so no change ran: show the channel in its box all the same.
    UpDownWin_Refresh(3);
    EOL->setCurrentIndex(0);
    InitControlDefaults();
    TestStateWin_Show(Session->stateLine());
}

void MainWin::InitControlDefaults()
{
    setComboText(CommPort, Session->portText());
    setComboText(CommBaud, Session->baudText());
    setComboText(CommFormat, Session->formatText());
    CommOpenCbox->setChecked(Session->portOpenBox());
    setComboText(TestNewBaud, Session->testNewBaud());
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

void MainWin::menuExit_Click()
{
    endProgram();
}
