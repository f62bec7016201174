// The terminal's two lowest senders: raw bytes to the port, and one command in command mode.
#include "platform/MSComm.h"
#include "session/UnitSession.h"

#include <QTimer>

namespace
{
const QString kPortClosed = QStringLiteral("Hey! Open the Comm Port first!");
// How long command mode stays on after the last automatic command.
constexpr int kCommandModeHoldMs = 500;
} // namespace

void UnitSession::SendRaw(const QByteArray& text)
{
    if (MSComm1->PortOpen())
        MSComm1->setOutput(text);
    else
        MsgWin_Output(kPortClosed);
}

QByteArray UnitSession::SendCommandAutoRTS(const QByteArray& cmd)
{
    if (!MSComm1->PortOpen()) {
        MsgWin_Output(kPortClosed);
        return {};
    }
    const bool userCommandMode = CmdRTSBox;
    if (!userCommandMode) {
        if (CmdReplyTimer->isActive())
            ReportInternalError(QStringLiteral("CmdRTSCbox=0 but CmdReplyTimer running"));
        // The box's handler switches RTS on (command mode) before this returns.
        CmdRTSCbox_Set(true);
    }
    MSComm1->setOutput(cmd);
    // A pending automatic command restarts the count; command mode the user switched on stays.
    if (!userCommandMode || CmdReplyTimer->isActive()) {
        CmdReplyTimer->setInterval(kCommandModeHoldMs);
        CmdReplyTimer->start();
    }
    return {};
}

void UnitSession::CmdReplyTimer_Timer()
{
    CmdReplyTimer->stop();
    if (RTS_Get())
        CmdRTSCbox_Set(false);
}

void UnitSession::SendEscaped(const QByteArray& text)
{
    Escapes.decode(text, [this](const QByteArray& oneByte) { SendRaw(oneByte); });
}
