// Reconnecting automatically: after the open port is lost, the window waits for the same path to
// come back and opens it again as a tick of "Open Comm Port?" does.
#include "platform/MSComm.h"
#include "serial/PortName.h"
#include "session/UnitSession.h"

#include <QTimer>
#include <chrono>

namespace
{
qint64 steadyNowMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}
} // namespace

void UnitSession::menuFileReconnect_Set(bool on)
{
    ReconnectOn = on;
    if (!on)
        CommWatch_Stop();
}

void UnitSession::CommWatch_Start(const QString& portText)
{
    const PortChoice port = choosePort(portText);
    if (!port.ok)
        return;
    // The path the port was opened by, not whatever the system calls the device now: a renamed
    // device (ttyUSB0 back as ttyUSB1) is not this port.
    CommWatch.start(portText, port.deviceName);
    MsgWin_Output(QStringLiteral("Waiting for ") + portText + QStringLiteral(" to return..."));
    CommWatchTimer->start();
}

void UnitSession::CommWatch_Stop()
{
    CommWatchTimer->stop();
    if (!CommWatch.active())
        return;
    CommWatch.stop();
    MsgWin_Output(QStringLiteral("Stopped waiting for ") + CommWatch.portText());
}

void UnitSession::CommWatchTimer_Timer()
{
    if (!CommWatch.active()) {
        CommWatchTimer->stop();
        return;
    }
    // A run that lost its port ends as any run without a port does; the port comes back only
    // after it, so that no run goes on on the returned device.
    if (RunDepth > 0)
        return;
    // A port name being typed is another port on its way.
    if (PortText != CommWatch.portText()) {
        CommWatch_Stop();
        return;
    }
    switch (CommWatch.check(steadyNowMs())) {
    case PortWatch::Verdict::Waiting:
        return;
    case PortWatch::Verdict::Back:
    case PortWatch::Verdict::GaveUp:
        break;
    }
    // The wait is over before the box is ticked, so a failure box that opens below sees no
    // further ticks; a failed open reports itself as a user's tick does.
    CommWatchTimer->stop();
    const QString portText = CommWatch.portText();
    CommOpenCbox_Set(true);
    if (MSComm1->PortOpen())
        MsgWin_Output(portText + QStringLiteral(" is back"));
    else
        MsgWin_Output(QStringLiteral("Stopped waiting for ") + portText);
}
