// Port settings and opening: the port name, baud rate and format, and the "Open Comm Port?" box.
#include "platform/CommSettings.h"
#include "platform/MSComm.h"
#include "serial/BaudRates.h"
#include "serial/PortName.h"
#include "session/SessionQuestions.h"
#include "session/UnitSession.h"

void UnitSession::CommPort_Apply()
{
    if (!PortOpenBox) {
        RTS_Set(false);
        if (MSComm1->PortOpen())
            MSComm1->setPortOpen(false);
        return;
    }

    if (MSComm1->PortOpen())
        MSComm1->setPortOpen(false);
    const QString portText = PortText;
    const PortChoice port = choosePort(portText);
    if (!port.ok) {
        CommPort_OpenFailed(portText, port.error);
        return;
    }
    MSComm1->setCommPort(port.number);
    MSComm1->setPortName(port.deviceName);
    const QString settings = BaudText + QLatin1Char(',') + FormatText;
    QString refused;
    if (!parseCommSettings(settings, nullptr, &refused) || !MSComm1->setSettings(settings)) {
        CommPort_OpenFailed(portText, refused);
        return;
    }
    MSComm1->setInBufferSize(2048);
    MSComm1->setOutBufferSize(512);
    MSComm1->setSThreshold(MSComm1->OutBufferSize() - 50);
    MSComm1->setInputLen(0);
    MSComm1->setInputMode(1);
    MSComm1->setRThreshold(1);
    RTS_Set(CmdRTSBox);
    QString failure;
    if (!MSComm1->setPortOpen(true, &failure)) {
        CommPort_OpenFailed(portText, failure);
        return;
    }
    CommPortOpenText = portText;
    MsgWin_Output(QStringLiteral("Open ") + portText + QStringLiteral(" for ") + settings);
}

void UnitSession::CommPort_OpenFailed(const QString& portText, const QString& description)
{
    const QString line =
        QStringLiteral("Open ") + portText + QStringLiteral(" failed: ") + description;
    MsgWin_Output(line);
    Questions.ask(line + QStringLiteral("\n\nSelect another CommPort and click OPEN COMM PORT"),
                  kTitlePrefix + QStringLiteral("Failed to Open CommPort"), MsgButtons::Ok);
    CommOpenCbox_Set(false);
}

void UnitSession::CommPort_Reopen()
{
    if (MSComm1->PortOpen())
        MSComm1->setPortOpen(false);
    if (PortOpenBox)
        CommPort_Apply();
}

void UnitSession::CommOpenCbox_Click()
{
    // A tick ends a wait for a lost port; the port opens as on any tick.
    if (PortOpenBox)
        CommWatch_Stop();
    CommPort_Apply();
}

void UnitSession::CommPort_Click()
{
    // Another port chosen while the lost one is awaited: the wait is over.
    if (CommWatch.active() && PortText != CommWatch.portText())
        CommWatch_Stop();
    if (PortOpenBox)
        CommPort_Reopen();
}

void UnitSession::CommBaud_Click()
{
    if (PortOpenBox)
        CommPort_Reopen();
}

void UnitSession::CommFormat_Click()
{
    if (PortOpenBox)
        CommPort_Reopen();
}

// Each box value changes as a control's does: the change's handler runs when the value changed.
void UnitSession::CommOpenCbox_Set(bool on)
{
    if (PortOpenBox == on)
        return;
    PortOpenBox = on;
    emit portOpenBoxChanged(on);
    CommOpenCbox_Click();
}

void UnitSession::CommPort_Set(const QString& text)
{
    PortText = text;
    CommPort_Click();
}

// A port name being typed is the port text, though it has not been applied yet.
void UnitSession::CommPort_Typed(const QString& text)
{
    PortText = text;
}

// The baud list holds only its rates: another text chooses nothing, as on the list.
void UnitSession::CommBaud_Set(const QString& text)
{
    if (text == BaudText || !baudRates().contains(text))
        return;
    BaudText = text;
    emit baudTextChanged(text);
    CommBaud_Click();
}

void UnitSession::CommFormat_Set(const QString& text)
{
    FormatText = text;
    CommFormat_Click();
}

void UnitSession::CommFormat_Typed(const QString& text)
{
    FormatText = text;
}
