// The modem dialogue's primitives: one command/reply exchange, sending, checking, mode switches.
#include "platform/MSComm.h"
#include "serial/RxCapture.h"
#include "shell/MainWin.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QTimer>

namespace
{

// A byte of the line shows in the log as the Latin-1 character of that code.
QString latin1(const QByteArray& text)
{
    return QString::fromLatin1(text);
}

// Logs the outcome of a reply check on LastReply; a failure is counted first, and its second
// line says what was expected. True on failure.
bool reportCheck(MainWin& win, bool passed, const QString& expectedLine)
{
    // After a stop nothing is checked: the check fails quietly and counts nothing.
    if (win.RunStopped)
        return true;
    const QString got = QStringLiteral("  GOT (") + latin1(win.LastReply);
    if (passed) {
        win.MsgWin_OutputVisible(got + QStringLiteral(") as expected."));
        return false;
    }
    ++win.ErrCount;
    win.MsgWin_OutputVisible(got + QStringLiteral("): FAILURE"));
    win.MsgWin_OutputVisible(expectedLine);
    return true;
}

// Earlier output leaves the port before the next command goes out. The device gives no signal
// when its queue drains, so a 1 ms kick wakes the event loop while bytes are still queued; the
// loop blocks in between. A port that closes or is lost reads as drained.
void waitForOutputToLeave(const MainWin& win)
{
    const MSComm& comm = *win.MSComm1;
    if (comm.OutBufferCount() <= 0)
        return;
    QTimer kick;
    kick.setTimerType(Qt::PreciseTimer);
    kick.start(1);
    while (comm.OutBufferCount() > 0 && !win.RunStopped)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
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

QByteArray MainWin::Modem_Transact(const QByteArray& command, qint16 minBytes, qint16 timeoutMs)
{
    // A stopped run sends nothing more and gets no reply.
    if (RunStopped)
        return {};
    waitForOutputToLeave(*this);
    if (RunStopped)
        return {};

    RxNotCapturing = false;
    MSComm1->setInBufferCount(0);
    RxCount = 0;

    // On a port that is gone there is nothing to wait for: the exchange gets no reply at once.
    if (MSComm1->PortOpen()) {
        if (!command.isEmpty())
            MSComm1->setOutput(command);
        if (minBytes > 0)
            TimerDelayUntilRx(timeoutMs, minBytes);
        else
            TimerDelay(timeoutMs);
    }

    QByteArray reply = rxCaptured(RxBuf, RxCount);

    RxNotCapturing = true;
    MSComm1->setInBufferCount(0);
    RxCount = 0;
    return reply;
}

void MainWin::Modem_Send(const QByteArray& command, qint16 minBytes, qint16 timeoutMs)
{
    // Whether the port is there to take the command is known only once earlier output has left;
    // from that look to the write nothing else runs, so the line tells the truth.
    waitForOutputToLeave(*this);
    if (RunStopped) {
        LastReply.clear();
        return;
    }
    if (!command.isEmpty())
        MsgWin_OutputVisible(sentLine(command, MSComm1->PortOpen()));
    LastReply = Modem_Transact(command, minBytes, timeoutMs);
}

void MainWin::Modem_SendQuiet(const QByteArray& command, qint16 minBytes, qint16 timeoutMs)
{
    LastReply = Modem_Transact(command, minBytes, timeoutMs);
}

void MainWin::Modem_SendSlow(const QByteArray& command, qint16 timeoutMs)
{
    LastReply.clear();
    QByteArray sent;
    QByteArray unsent;
    // Every character but the last gets 100 ms; an answer to any of them ends the command there.
    // A character that finds no port is logged as not sent (its exchange gets no reply at once).
    for (qsizetype i = 0; i < command.size(); ++i) {
        const bool last = i + 1 == command.size();
        waitForOutputToLeave(*this);
        if (RunStopped)
            break;
        (MSComm1->PortOpen() ? sent : unsent).append(command.at(i));
        const QByteArray reply = Modem_Transact(command.mid(i, 1), 4, last ? timeoutMs : 100);
        if (last || !reply.isEmpty()) {
            LastReply = reply;
            break;
        }
    }
    if (!sent.isEmpty())
        MsgWin_OutputVisible(sentLine(sent, true));
    if (!unsent.isEmpty())
        MsgWin_OutputVisible(sentLine(unsent, false));
}

bool MainWin::Modem_Expect(const QByteArray& expected)
{
    return reportCheck(*this, LastReply == expected,
                       QStringLiteral("      (") + latin1(expected) +
                           QStringLiteral(") was expected."));
}

bool MainWin::Modem_ExpectEither(const QByteArray& a, const QByteArray& b)
{
    return reportCheck(*this, LastReply == a || LastReply == b,
                       QStringLiteral("      (") + latin1(a) + QStringLiteral(") OR (") +
                           latin1(b) + QStringLiteral(") was expected."));
}

bool MainWin::Modem_ExpectQuiet(const QByteArray& expected)
{
    if (LastReply == expected)
        return false;
    return Modem_Expect(expected);
}

void MainWin::Modem_ShowReply()
{
    if (RunStopped)
        return;
    MsgWin_OutputVisible(QStringLiteral("  GOT (") + latin1(LastReply) + QStringLiteral(")"));
}

void MainWin::Modem_SetCmdMode()
{
    // A stopped run leaves the lines as they are; the runner shows their state at its end.
    if (RunStopped)
        return;
    MsgWin_Output(QStringLiteral("  Setting cmd-mode."));
    // With the port gone there is no line to raise; ticking the box would only raise the
    // "port not open" box in the middle of a run that is about to fail its next check.
    if (!MSComm1->PortOpen())
        return;
    CmdRTSCbox->setChecked(true);
    RTS_Set(true);
}

void MainWin::Modem_SetDataMode()
{
    if (RunStopped)
        return;
    MsgWin_Output(QStringLiteral("  Setting data-mode."));
    CmdRTSCbox->setChecked(false);
    RTS_Set(false);
    Modem_Send(QByteArray(), 4, 250);
}
