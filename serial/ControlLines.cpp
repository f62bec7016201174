// Control lines: RTS and DTR together (command mode), the RTS pulse train, the Break condition.
#include "platform/MSComm.h"
#include "session/SessionQuestions.h"
#include "session/UnitSession.h"

#include <QTimer>

void UnitSession::RTS_Set(bool on)
{
    // Switching the lines always ends a break (its box's handler ends it on the line).
    CmdBreakCbox_Set(false);
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

bool UnitSession::RTS_Get()
{
    return MSComm1->RTSEnable();
}

// A stop ends the pulses at once: what is left of them is neither sent nor waited for.
void UnitSession::RTS_Toggle(qint16 count)
{
    for (qint16 i = 0; i < count && !run.RunStopped(); ++i) {
        RTS_Set(false);
        WaitMS(100);
        if (run.RunStopped())
            return;
        RTS_Set(true);
        WaitMS(100);
    }
}

void UnitSession::CmdRTSCbox_Click()
{
    if (CmdRTSBox && !MSComm1->PortOpen()) {
        Questions.ask(QStringLiteral("Error: Ensure the Comm Port is open before using Cmd Mode!"),
                      kTitlePrefix + QStringLiteral("CommPort Not Open"), MsgButtons::Ok);
        // Runs this handler again with the box clear.
        CmdRTSCbox_Set(false);
        return;
    }
    CmdReplyTimer->stop();
    RTS_Set(CmdRTSBox);
}

void UnitSession::CmdBreakCbox_Click()
{
    if (MSComm1->PortOpen()) {
        MSComm1->setBreak(BreakBox);
        return;
    }
    if (BreakBox)
        Questions.ask(QStringLiteral("Error: Ensure the correct Comm Port is open."),
                      kTitlePrefix + QStringLiteral("CommPort Not Open!"), MsgButtons::Ok);
}

// The "RTS/Cmd" and "Break" boxes hold their own values, apart from the lines: a change runs the
// box's handler, which switches the line.
void UnitSession::CmdRTSCbox_Set(bool on)
{
    if (CmdRTSBox == on)
        return;
    CmdRTSBox = on;
    emit cmdRtsBoxChanged(on);
    CmdRTSCbox_Click();
}

void UnitSession::CmdBreakCbox_Set(bool on)
{
    if (BreakBox == on)
        return;
    BreakBox = on;
    emit breakBoxChanged(on);
    CmdBreakCbox_Click();
}
