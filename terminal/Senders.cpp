// The terminal's two lowest senders: raw bytes to the port, and one command in command mode.
#include "platform/MSComm.h"
#include "shell/MainWin.h"

#include <QCheckBox>
#include <QTimer>

namespace
{
const QString kPortClosed = QStringLiteral("Hey! Open the Comm Port first!");
// How long command mode stays on after the last automatic command.
constexpr int kCommandModeHoldMs = 500;
} // namespace

void MainWin::SendRaw(const QByteArray& text)
{
    if (MSComm1->PortOpen())
        MSComm1->setOutput(text);
    else
        MsgWin_Output(kPortClosed);
}

QByteArray MainWin::SendCommandAutoRTS(const QByteArray& cmd)
{
    if (!MSComm1->PortOpen()) {
        MsgWin_Output(kPortClosed);
        return {};
    }
    const bool userCommandMode = CmdRTSCbox->isChecked();
    if (!userCommandMode) {
        if (CmdReplyTimer->isActive())
            ReportInternalError(QStringLiteral("CmdRTSCbox=0 but CmdReplyTimer running"));
        // The box's handler switches RTS on (command mode) before this returns.
        CmdRTSCbox->setChecked(true);
    }
    MSComm1->setOutput(cmd);
    // A pending automatic command restarts the count; command mode the user switched on stays.
    if (!userCommandMode || CmdReplyTimer->isActive()) {
        CmdReplyTimer->setInterval(kCommandModeHoldMs);
        CmdReplyTimer->start();
    }
    return {};
}

void MainWin::CmdReplyTimer_Timer()
{
    CmdReplyTimer->stop();
    if (RTS_Get())
        CmdRTSCbox->setChecked(false);
}
