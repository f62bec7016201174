// The Modem Configurator: the "Do It" button, its option choices and the three simple actions.
#include "platform/MSComm.h"
#include "platform/MessageBox.h"
#include "shell/MainWin.h"

#include <QComboBox>
#include <QRadioButton>

void MainWin::CfgDoIt_Click()
{
    if (!MSComm1->PortOpen()) {
        messageBox(this, QStringLiteral("Error: Ensure the correct Comm Port is open."),
                   kTitlePrefix + QStringLiteral("CommPort not open!"), MsgButtons::Ok);
        return;
    }
    if (!Records_AskUnit())
        return;
    DoButtons_SetBusy(true);
    run.clearErrors();
    if (CfgRestoreFactory->isChecked())
        Cfg_RestoreFactory({});
    else if (CfgChangeChannel->isChecked())
        Cfg_SetChannel(CfgNewChannel->currentText().toShort());
    else if (CfgChangeMode->isChecked())
        Cfg_SetConfig(CfgNewDeviceConfig->currentText().toLatin1());
    else
        Cfg_QueryConfig();
    // A stopped run asks nothing more, whatever errors it had counted.
    if (run.ErrCount() != 0 && !run.RunStopped())
        messageBox(this, QStringLiteral("Error(s) occurred;  See the Message Window for details"),
                   kTitlePrefix + QStringLiteral("Error Configuring Modem"), MsgButtons::Ok);
    DoButtons_SetBusy(false);
}

void MainWin::CfgNewDeviceConfig_Click()
{
    CfgChangeMode->setChecked(true);
}

void MainWin::CfgNewChannel_Click()
{
    CfgChangeChannel->setChecked(true);
}

void MainWin::Cfg_QueryConfig()
{
    Test_RunScript(QStringLiteral("QueryConfig"), ScriptFlag::StayInCmdMode | ScriptFlag::NoSave,
                   QByteArrayLiteral("Noop"), 0, QByteArrayLiteral("?"));
}

void MainWin::Cfg_SetChannel(qint16 channel)
{
    Test_RunScript(QStringLiteral("SetChannel"), ScriptFlag::StayInCmdMode,
                   QByteArrayLiteral("SetChannel"), QVariant::fromValue(channel), QByteArray());
}

void MainWin::Cfg_SetConfig(const QByteArray& config)
{
    const QString text =
        QStringLiteral("WARNING:  You are about to over-write any user-defined settings in your "
                       "modem.\n\nProceed with over-write of user-settings, restoring modem to ") +
        CfgNewDeviceConfig->currentText() + QStringLiteral("?");
    if (messageBox(this, text, kTitlePrefix + QStringLiteral("Over-write user-settings?"),
                   MsgButtons::OkCancel) != MsgAnswer::Ok)
        return;
    Test_RunScript(QStringLiteral("SetConfig"), ScriptFlag::StayInCmdMode | ScriptFlag::AskStation,
                   config, QString(), QByteArray());
}
