// Control lines: RTS and DTR together (command mode), the RTS pulse train, the Break condition.
#include "platform/MSComm.h"
#include "platform/MessageBox.h"
#include "shell/MainWin.h"

#include <QCheckBox>
#include <QTimer>

void MainWin::RTS_Set(bool on)
{
    // Switching the lines always ends a break (its box's handler ends it on the line).
    CmdBreakCbox->setChecked(false);
    MSComm1->setOutBufferCount(0);
    DelayMS(1);
    MSComm1->setRTSEnable(on);
    MSComm1->setDTREnable(on);
    MSComm1->setRThreshold(1);
    // The modem answers a change of mode with noise; the settle runs no events, so whatever
    // comes in meanwhile is thrown away below, unseen.
    DelayMS(100);
    MSComm1->setInBufferCount(0);
}

bool MainWin::RTS_Get()
{
    return MSComm1->RTSEnable();
}

void MainWin::RTS_Toggle(qint16 count)
{
    for (qint16 i = 0; i < count; ++i) {
        RTS_Set(false);
        WaitMS(100);
        RTS_Set(true);
        WaitMS(100);
    }
}

void MainWin::CmdRTSCbox_Click()
{
    if (CmdRTSCbox->isChecked() && !MSComm1->PortOpen()) {
        messageBox(this,
                   QStringLiteral("Error: Ensure the Comm Port is open before using Cmd Mode!"),
                   kTitlePrefix + QStringLiteral("CommPort Not Open"), MsgButtons::Ok);
        // Runs this handler again with the box clear.
        CmdRTSCbox->setChecked(false);
        return;
    }
    CmdReplyTimer->stop();
    RTS_Set(CmdRTSCbox->isChecked());
}

void MainWin::CmdBreakCbox_Click()
{
    if (MSComm1->PortOpen()) {
        MSComm1->setBreak(CmdBreakCbox->isChecked());
        return;
    }
    if (CmdBreakCbox->isChecked())
        messageBox(this, QStringLiteral("Error: Ensure the correct Comm Port is open."),
                   kTitlePrefix + QStringLiteral("CommPort Not Open!"), MsgButtons::Ok);
}
