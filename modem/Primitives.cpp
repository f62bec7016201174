// The modem dialogue's primitives: one command/reply exchange, sending, checking, mode switches.
#include "platform/MSComm.h"
#include "session/UnitSession.h"

#include <QCoreApplication>
#include <QTimer>

namespace
{

// Bytes of the line show in the log as they are, those beyond ASCII as "\hh".
QString latin1(const QByteArray& text)
{
    return portText(text);
}

// The log line of a command: "SENT" when it goes out, "NOT SENT" when there is no port to take it.
QString sentLine(const QByteArray& command, bool portOpen)
{
    if (portOpen)
        return QStringLiteral("  SENT(") + latin1(command) + QStringLiteral(")");
    return QStringLiteral("  NOT SENT(") + latin1(command) +
           QStringLiteral("): the port is closed");
}

} // namespace

bool UnitSession::reportCheck(bool passed, const QString& expectedLine)
{
    // After a stop nothing is checked: the check fails quietly and counts nothing.
    if (run.RunStopped())
        return true;
    const QString got = QStringLiteral("  GOT (") + latin1(run.LastReply());
    if (passed) {
        MsgWin_OutputVisible(got + QStringLiteral(") as expected."));
        return false;
    }
    run.countError();
    MsgWin_OutputVisible(got + QStringLiteral("): FAILURE"));
    MsgWin_OutputVisible(expectedLine);
    return true;
}

// The device gives no signal when its queue drains, so a 1 ms kick wakes the event loop while
// bytes are still queued; the loop blocks in between. A port that closes or is lost reads as
// drained.
void UnitSession::waitForOutputToLeave()
{
    const MSComm& comm = *MSComm1;
    if (comm.OutBufferCount() <= 0)
        return;
    QTimer kick;
    kick.setTimerType(Qt::PreciseTimer);
    kick.start(1);
    while (comm.OutBufferCount() > 0 && !run.RunStopped())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

QByteArray UnitSession::Modem_Transact(const QByteArray& command, qint16 minBytes, qint16 timeoutMs)
{
    // A stopped run sends nothing more and gets no reply.
    if (run.RunStopped())
        return {};
    waitForOutputToLeave();
    if (run.RunStopped())
        return {};

    rx.startCapture();
    MSComm1->setInBufferCount(0);

    // On a port that is gone there is nothing to wait for: the exchange gets no reply at once.
    if (MSComm1->PortOpen()) {
        if (!command.isEmpty())
            MSComm1->setOutput(command);
        if (minBytes > 0)
            TimerDelayUntilRx(timeoutMs, minBytes);
        else
            TimerDelay(timeoutMs);
    }

    QByteArray reply = rx.takeReply();
    MSComm1->setInBufferCount(0);
    return reply;
}

void UnitSession::Modem_Send(const QByteArray& command, qint16 minBytes, qint16 timeoutMs)
{
    // Whether the port is there to take the command is known only once earlier output has left;
    // from that look to the write nothing else runs, so the line tells the truth.
    waitForOutputToLeave();
    if (run.RunStopped()) {
        run.clearReply();
        return;
    }
    if (!command.isEmpty())
        MsgWin_OutputVisible(sentLine(command, MSComm1->PortOpen()));
    run.keepReply(Modem_Transact(command, minBytes, timeoutMs));
}

void UnitSession::Modem_SendQuiet(const QByteArray& command, qint16 minBytes, qint16 timeoutMs)
{
    run.keepReply(Modem_Transact(command, minBytes, timeoutMs));
}

void UnitSession::Modem_SendSlow(const QByteArray& command, qint16 timeoutMs)
{
    run.clearReply();
    QByteArray sent;
    QByteArray unsent;
    // Every character but the last gets 100 ms; an answer to any of them ends the command there.
    // A character that finds no port is logged as not sent (its exchange gets no reply at once).
    for (qsizetype i = 0; i < command.size(); ++i) {
        const bool last = i + 1 == command.size();
        waitForOutputToLeave();
        if (run.RunStopped())
            break;
        (MSComm1->PortOpen() ? sent : unsent).append(command.at(i));
        const QByteArray reply = Modem_Transact(command.mid(i, 1), 4, last ? timeoutMs : 100);
        if (last || !reply.isEmpty()) {
            run.keepReply(reply);
            break;
        }
    }
    if (!sent.isEmpty())
        MsgWin_OutputVisible(sentLine(sent, true));
    if (!unsent.isEmpty())
        MsgWin_OutputVisible(sentLine(unsent, false));
}

bool UnitSession::Modem_Expect(const QByteArray& expected)
{
    return reportCheck(run.LastReply() == expected, QStringLiteral("      (") + latin1(expected) +
                                                        QStringLiteral(") was expected."));
}

bool UnitSession::Modem_ExpectEither(const QByteArray& a, const QByteArray& b)
{
    return reportCheck(run.LastReply() == a || run.LastReply() == b,
                       QStringLiteral("      (") + latin1(a) + QStringLiteral(") OR (") +
                           latin1(b) + QStringLiteral(") was expected."));
}

bool UnitSession::Modem_ExpectQuiet(const QByteArray& expected)
{
    if (run.LastReply() == expected)
        return false;
    return Modem_Expect(expected);
}

void UnitSession::Modem_ShowReply()
{
    if (run.RunStopped())
        return;
    MsgWin_OutputVisible(QStringLiteral("  GOT (") + latin1(run.LastReply()) + QStringLiteral(")"));
}

void UnitSession::Modem_SetCmdMode()
{
    // A stopped run leaves the lines as they are; the runner shows their state at its end.
    if (run.RunStopped())
        return;
    MsgWin_Output(QStringLiteral("  Setting cmd-mode."));
    // With the port gone there is no line to raise; ticking the box would only raise the
    // "port not open" box in the middle of a run that is about to fail its next check.
    if (!MSComm1->PortOpen())
        return;
    CmdRTSCbox_Set(true);
    RTS_Set(true);
}

void UnitSession::Modem_SetDataMode()
{
    if (run.RunStopped())
        return;
    MsgWin_Output(QStringLiteral("  Setting data-mode."));
    CmdRTSCbox_Set(false);
    RTS_Set(false);
    Modem_Send(QByteArray(), 4, 250);
}
