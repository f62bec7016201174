// The window's handlers of the Configurator and the Test Console: "Do It" with the chosen
// action, the choices that pick their action, and the "Set Modem Baud To:" warning colour.
#include "session/UnitSession.h"
#include "shell/MainWin.h"

#include <QComboBox>
#include <QGroupBox>
#include <QRadioButton>

void MainWin::CfgDoIt_Click()
{
    const CfgAction action = CfgRestoreFactory->isChecked()  ? CfgAction::RestoreFactory
                             : CfgChangeChannel->isChecked() ? CfgAction::SetChannel
                             : CfgChangeMode->isChecked()    ? CfgAction::SetConfig
                                                             : CfgAction::Query;
    Session->Cfg_DoIt(action, CfgNewChannel->currentText().toShort(),
                      CfgNewDeviceConfig->currentText().toLatin1());
}

void MainWin::CfgNewDeviceConfig_Click()
{
    CfgChangeMode->setChecked(true);
}

void MainWin::CfgNewChannel_Click()
{
    CfgChangeChannel->setChecked(true);
}

void MainWin::TestSetBaudTo_Click()
{
    TestConsole_ShowBaudWarning();
}

void MainWin::TestConsole_ShowBaudWarning()
{
    // Any choice but "Standard" turns the console red as a warning.
    const QColor colour = TestSetBaudTo->currentText() != QStringLiteral("Standard")
                              ? QColor(Qt::red)
                              : TestConsoleBackColor;
    QPalette palette = TestConsoleFrame->palette();
    palette.setColor(TestConsoleFrame->backgroundRole(), colour);
    TestConsoleFrame->setPalette(palette);
    TestConsoleFrame->setAutoFillBackground(true);
}
