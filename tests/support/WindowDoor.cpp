// The door's procedures: each calls the procedure of that name of the window or its session.
#include "support/WindowDoor.h"

[[noreturn]] void WindowDoor::ReportInternalError(const QString& text)
{
    m_win.Session->ReportInternalError(text);
}

void WindowDoor::menuExit_Click()
{
    m_win.menuExit_Click();
}

void WindowDoor::menuHelpAbout_Click()
{
    m_win.menuHelpAbout_Click();
}

void WindowDoor::menuOptionsShowHideTestConsole_Click()
{
    m_win.menuOptionsShowHideTestConsole_Click();
}

void WindowDoor::menuViewChangeLog_Click()
{
    m_win.menuViewChangeLog_Click();
}

void WindowDoor::CommPort_DropDown()
{
    m_win.CommPort_DropDown();
}

void WindowDoor::RTS_Set(bool on)
{
    m_win.Session->RTS_Set(on);
}

bool WindowDoor::RTS_Get()
{
    return m_win.Session->RTS_Get();
}

void WindowDoor::RTS_Toggle(qint16 count)
{
    m_win.Session->RTS_Toggle(count);
}

void WindowDoor::Stat_Clear()
{
    m_win.Session->Stat_Clear();
}

void WindowDoor::TestStateWin_Output(const QString& text)
{
    m_win.Session->TestStateWin_Output(text);
}

QByteArray WindowDoor::SendCommandAutoRTS(const QByteArray& cmd)
{
    return m_win.Session->SendCommandAutoRTS(cmd);
}

QByteArray WindowDoor::Modem_Transact(const QByteArray& command, qint16 minBytes, qint16 timeoutMs)
{
    return m_win.Session->Modem_Transact(command, minBytes, timeoutMs);
}

void WindowDoor::Modem_Send(const QByteArray& command, qint16 minBytes, qint16 timeoutMs)
{
    m_win.Session->Modem_Send(command, minBytes, timeoutMs);
}

void WindowDoor::Modem_SendSlow(const QByteArray& command, qint16 timeoutMs)
{
    m_win.Session->Modem_SendSlow(command, timeoutMs);
}

bool WindowDoor::Modem_Expect(const QByteArray& expected)
{
    return m_win.Session->Modem_Expect(expected);
}

bool WindowDoor::Modem_ExpectEither(const QByteArray& a, const QByteArray& b)
{
    return m_win.Session->Modem_ExpectEither(a, b);
}

bool WindowDoor::Modem_ExpectQuiet(const QByteArray& expected)
{
    return m_win.Session->Modem_ExpectQuiet(expected);
}

void WindowDoor::Modem_ShowReply()
{
    m_win.Session->Modem_ShowReply();
}

void WindowDoor::Modem_SetCmdMode()
{
    m_win.Session->Modem_SetCmdMode();
}

void WindowDoor::Modem_SetDataMode()
{
    m_win.Session->Modem_SetDataMode();
}

bool WindowDoor::Modem_EstablishComm(ScriptFlags flags)
{
    return m_win.Session->Modem_EstablishComm(flags);
}

void WindowDoor::CfgDoIt_Click()
{
    m_win.CfgDoIt_Click();
}

void WindowDoor::Cfg_SetChannel(qint16 channel)
{
    m_win.Session->Cfg_SetChannel(channel);
}

void WindowDoor::Test_RunScript(const QString& name, ScriptFlags flags, const QByteArray& initId,
                                const QVariant& initArg, const QByteArray& testId)
{
    m_win.Session->Test_RunScript(name, flags, initId, initArg, testId);
}

void WindowDoor::TestDoIt_Click()
{
    m_win.Session->TestDoIt_Click();
}

void WindowDoor::SetCommBaud(qint32 rate)
{
    m_win.Session->SetCommBaud(rate);
}
