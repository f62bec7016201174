// The door's procedures: each calls the window's procedure of that name.
#include "support/WindowDoor.h"

[[noreturn]] void WindowDoor::ReportInternalError(const QString& text)
{
    m_win.ReportInternalError(text);
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
    m_win.RTS_Set(on);
}

bool WindowDoor::RTS_Get()
{
    return m_win.RTS_Get();
}

void WindowDoor::RTS_Toggle(qint16 count)
{
    m_win.RTS_Toggle(count);
}

void WindowDoor::Stat_Clear()
{
    m_win.Stat_Clear();
}

void WindowDoor::TestStateWin_Output(const QString& text)
{
    m_win.TestStateWin_Output(text);
}

QByteArray WindowDoor::SendCommandAutoRTS(const QByteArray& cmd)
{
    return m_win.SendCommandAutoRTS(cmd);
}

QByteArray WindowDoor::Modem_Transact(const QByteArray& command, qint16 minBytes, qint16 timeoutMs)
{
    return m_win.Modem_Transact(command, minBytes, timeoutMs);
}

void WindowDoor::Modem_Send(const QByteArray& command, qint16 minBytes, qint16 timeoutMs)
{
    m_win.Modem_Send(command, minBytes, timeoutMs);
}

void WindowDoor::Modem_SendSlow(const QByteArray& command, qint16 timeoutMs)
{
    m_win.Modem_SendSlow(command, timeoutMs);
}

bool WindowDoor::Modem_Expect(const QByteArray& expected)
{
    return m_win.Modem_Expect(expected);
}

bool WindowDoor::Modem_ExpectEither(const QByteArray& a, const QByteArray& b)
{
    return m_win.Modem_ExpectEither(a, b);
}

bool WindowDoor::Modem_ExpectQuiet(const QByteArray& expected)
{
    return m_win.Modem_ExpectQuiet(expected);
}

void WindowDoor::Modem_ShowReply()
{
    m_win.Modem_ShowReply();
}

void WindowDoor::Modem_SetCmdMode()
{
    m_win.Modem_SetCmdMode();
}

void WindowDoor::Modem_SetDataMode()
{
    m_win.Modem_SetDataMode();
}

bool WindowDoor::Modem_EstablishComm(ScriptFlags flags)
{
    return m_win.Modem_EstablishComm(flags);
}

void WindowDoor::CfgDoIt_Click()
{
    m_win.CfgDoIt_Click();
}

void WindowDoor::Cfg_SetChannel(qint16 channel)
{
    m_win.Cfg_SetChannel(channel);
}

void WindowDoor::Test_RunScript(const QString& name, ScriptFlags flags, const QByteArray& initId,
                                const QVariant& initArg, const QByteArray& testId)
{
    m_win.Test_RunScript(name, flags, initId, initArg, testId);
}

void WindowDoor::TestDoIt_Click()
{
    m_win.TestDoIt_Click();
}

void WindowDoor::SetCommBaud(qint32 rate)
{
    m_win.SetCommBaud(rate);
}
