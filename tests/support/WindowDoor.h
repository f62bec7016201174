// The one way for tests and benchmarks into the main window's private state and procedures.
#pragma once

#include "platform/MSComm.h"
#include "session/UnitSession.h"
#include "shell/MainWin.h"

// Reads and sets the private parts of the window and of its session by name, one line a member;
// a door is cheap to make and holds only the window. Controls that few tests use are found by their
// objectName instead (WindowFixture::control).
class WindowDoor
{
public:
    explicit WindowDoor(MainWin& win) : m_win(win) {}

    // --- The run state ---
    qint16 ErrCount() const { return ses().run.ErrCount(); }
    void setErrCount(qint16 count) { ses().run.m_errCount = count; }
    bool RunAborted() const { return ses().run.RunAborted(); }
    void setRunAborted(bool aborted) { ses().run.m_runAborted = aborted; }
    bool RunStopped() const { return ses().run.RunStopped(); }
    void setScriptStep(const QString& step) { ses().run.m_scriptStep = step; }
    const QByteArray& LastReply() const { return ses().run.LastReply(); }
    void setLastReply(const QByteArray& reply) { ses().run.m_lastReply = reply; }
    int RunDepth() const { return ses().RunDepth; }

    // --- The receive state and the statistics ---
    const RxBuffer& RxBuf() const { return ses().rx.RxBuf(); }
    qint16 RxCount() const { return ses().rx.RxCount(); }
    void setRxCount(qint16 count) { ses().rx.m_rxCount = count; }
    bool RxNotCapturing() const { return ses().rx.RxNotCapturing(); }
    void setRxNotCapturing(bool notCapturing) { ses().rx.m_rxNotCapturing = notCapturing; }
    const std::array<qint32, 11>& Stats() const { return ses().Stats; }

    // --- Form-level state ---
    MsgLog* MsgLines() const { return ses().MsgLines.get(); }
    const QString& LastTypedText() const { return m_win.LastTypedText; }
    const QString& PowerCycleMsg() const { return ses().PowerCycleMsg; }
    const QByteArray& ReplyOK() const { return ses().ReplyOK; }
    const QByteArray& ReplyER() const { return ses().ReplyER; }
    const QColor& TestConsoleBackColor() const { return m_win.TestConsoleBackColor; }
    qint32 DelayJifValue() const { return ses().DelayJifValue; }

    // --- Controls many tests use ---
    MSComm* MSComm1() const { return ses().MSComm1; }
    QComboBox* CommPort() const { return m_win.CommPort; }
    QCheckBox* CommOpenCbox() const { return m_win.CommOpenCbox; }
    QComboBox* CommBaud() const { return m_win.CommBaud; }
    QPushButton* CfgDoIt() const { return m_win.CfgDoIt; }
    QRadioButton* CfgQuery() const { return m_win.CfgQuery; }
    QGroupBox* TestConsoleFrame() const { return m_win.TestConsoleFrame; }
    QComboBox* TestDeviceConfig() const { return m_win.TestDeviceConfig; }
    QRadioButton* TestIsMobile() const { return m_win.TestIsMobile; }
    QPushButton* TestDoIt() const { return m_win.TestDoIt; }
    QLineEdit* TestStateWin() const { return m_win.TestStateWin; }
    QProgressBar* TestProgress() const { return m_win.TestProgress; }
    MsgLogView* MsgWin() const { return m_win.MsgWin; }
    QCheckBox* CmdRTSCbox() const { return m_win.CmdRTSCbox; }
    QComboBox* CmdInputWin() const { return m_win.CmdInputWin; }
    const QMap<int, QLineEdit*>& StatsView() const { return m_win.StatsView; }
    const QMap<int, QPushButton*>& CmdMacroByIndexBtn() const { return m_win.CmdMacroByIndexBtn; }
    const QMap<int, QLineEdit*>& UpDownWin() const { return m_win.UpDownWin; }
    const QMap<int, QScrollBar*>& UpDown() const { return m_win.UpDown; }

    // --- Procedures only the window itself calls ---
    [[noreturn]] void ReportInternalError(const QString& text);
    void menuExit_Click();
    void menuHelpAbout_Click();
    void menuOptionsShowHideTestConsole_Click();
    void menuViewChangeLog_Click();
    void CommPort_DropDown();
    void RTS_Set(bool on);
    bool RTS_Get();
    void RTS_Toggle(qint16 count);
    void Stat_Clear();
    void TestStateWin_Output(const QString& text);
    QByteArray SendCommandAutoRTS(const QByteArray& cmd);
    QByteArray Modem_Transact(const QByteArray& command, qint16 minBytes, qint16 timeoutMs);
    void Modem_Send(const QByteArray& command, qint16 minBytes, qint16 timeoutMs);
    void Modem_SendSlow(const QByteArray& command, qint16 timeoutMs);
    bool Modem_Expect(const QByteArray& expected);
    bool Modem_ExpectEither(const QByteArray& a, const QByteArray& b);
    bool Modem_ExpectQuiet(const QByteArray& expected);
    void Modem_ShowReply();
    void Modem_SetCmdMode();
    void Modem_SetDataMode();
    bool Modem_EstablishComm(ScriptFlags flags);
    void CfgDoIt_Click();
    void Cfg_SetChannel(qint16 channel);
    void Test_RunScript(const QString& name, ScriptFlags flags, const QByteArray& initId,
                        const QVariant& initArg, const QByteArray& testId);
    void TestDoIt_Click();
    void SetCommBaud(qint32 rate);

private:
    UnitSession& ses() const { return *m_win.Session; }
    MainWin& m_win;
};
