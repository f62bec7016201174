// Receive path: the serial component's events, reply capture or display of received bytes.
#include "platform/MSComm.h"
#include "session/SessionOptions.h"
#include "session/UnitSession.h"

#include <QTimer>

void UnitSession::MSComm1_OnComm()
{
    switch (MSComm1->CommEvent()) {
    case comEvReceive:
        if (MSComm1->InBufferCount() > 0)
            Rx_Process(MSComm1->Input());
        break;
    case comEventBreak:
        MsgWin_Output(QStringLiteral("Break"));
        break;
    case comEventFrame:
        MsgWin_Output(QStringLiteral("Frame error"));
        Stat_Inc(10, 1);
        break;
    case comEventOverrun:
        MsgWin_Output(QStringLiteral("Overrun error"));
        Stat_Inc(8, 1);
        break;
    case comEventRxOver:
        MsgWin_Output(QStringLiteral("Rx Overflow error"));
        Stat_Inc(9, 1);
        break;
    case comEventRxParity:
        // Noise on the line: worth a line in the log, never the end of the program.
        MsgWin_Output(QStringLiteral("Parity error"));
        break;
    case comEventDCB:
        // The port refused its line format; clearing the box drops the lines and closes it.
        CommPort_OpenFailed(CommPortOpenText, QStringLiteral("the port refused the line format ") +
                                                  MSComm1->Settings());
        break;
    case comEventTxFull:
        // Writes are buffered without limit, so the component never reports this.
        ReportInternalError(QStringLiteral("comEventTxFull"));
    case comEvEOF:
        // Bytes are passed on as bytes; no end-of-file character is ever looked for.
        ReportInternalError(QStringLiteral("comEvEOF event"));
    default:
        break;
    }
}

void UnitSession::MSComm1_OnLost(const QString& reason)
{
    MsgWin_Output(CommPortOpenText + QStringLiteral(" lost: ") + reason);
    // A wait in progress has nothing more to wait for: end it now.
    StartKludgeTimer->stop();
    if (MSComm1->PortOpen())
        MSComm1->setPortOpen(false);
    // Runs the box's clear path: lines off.
    CommOpenCbox_Set(false);
    // Command mode ends with the port (a pending automatic command's timer stops too), so the
    // next open starts in data mode.
    CmdRTSCbox_Set(false);
    if (ReconnectOn)
        CommWatch_Start(CommPortOpenText);
}

void UnitSession::MSComm1_OnNotice(const QString& text)
{
    MsgWin_Output(text);
}

void UnitSession::Rx_Process(const QByteArray& bytes)
{
    const QByteArray shown = rx.accept(bytes);
    for (const char byte : shown)
        MsgWin_OutputChar(static_cast<quint8>(byte));
}

void UnitSession::Rx_Reset()
{
    rx.reset();
}
