// The main window: every control, the form-level state, and the procedures of every subsystem.
#pragma once

#include "script/RunRecord.h"
#include "script/RunState.h"
#include "script/ScriptFlags.h"
#include "serial/PortWatch.h"
#include "serial/RxState.h"
#include "terminal/ClearedLines.h"
#include "terminal/EscapeDecoder.h"
#include "terminal/LogFile.h"
#include "terminal/MsgLog.h"

#include <QByteArray>
#include <QColor>
#include <QMainWindow>
#include <QMap>
#include <QString>
#include <QVariant>
#include <array>
#include <memory>
#include <optional>

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QTimer;
class MSComm;
class MsgLogModel;
class MsgLogView;
class frmAbout;
namespace layout
{
class Growth;
}

class MainWin : public QMainWindow
{
    Q_OBJECT
    // Tests and benchmarks read and set the window's private parts through this one class.
    friend class WindowDoor;

public:
    // Builds every control, then runs Form_Load, as creating the window does.
    explicit MainWin(QWidget* parent = nullptr);
    ~MainWin() override;

    // Version text of the program.
    static inline const QString kVersion = QStringLiteral("1.05.1");
    static inline const QString kDesignCaption =
        QStringLiteral("Tarvex Brannoc(tm) Radio-Modem Configurator");

    // --- Terminal: the message window's output ---
    void MsgWin_Output(const QString& text);
    void MsgWin_OutputChar(quint8 byte);
    void MsgWin_OutputCooked(const QByteArray& text);
    void MsgWin_OutputVisible(const QString& text);
    void MsgWin_Clear();
    // --- Serial: statistics and waits ---
    void Stat_Inc(qint16 index, qint16 amount);
    void DelayMS(qint32 ms);
    void DelayJif(qint32 count);
    void TimerDelay(qint16 ms);
    void TimerDelayUntilRx(qint16 ms, qint16 count);
    void WaitMS(qint16 ms);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Tab and Shift+Tab pass over the controls of the panel that lies out of view.
    bool focusNextPrevChild(bool next) override;

private:
    // --- Controls (objectName = control name; array members "Name_Index") ---
    // Comm. Settings
    QGroupBox* GeneralFrame = nullptr;
    QComboBox* CommPort = nullptr;
    QCheckBox* CommOpenCbox = nullptr;
    QComboBox* CommFormat = nullptr;
    QComboBox* CommBaud = nullptr;
    QLabel* Label3 = nullptr;
    QTimer* StartKludgeTimer = nullptr;
    QTimer* CmdReplyTimer = nullptr;
    QTimer* RxIdleTimer = nullptr;
    QTimer* DelayCalTimer = nullptr;
    QTimer* CommWatchTimer = nullptr; // ticks while a lost port is awaited
    // Modem Configurator
    QGroupBox* UsercfgFrame = nullptr;
    QLabel* Label6 = nullptr;
    QRadioButton* CfgRestoreFactory = nullptr;
    QRadioButton* CfgChangeMode = nullptr;
    QComboBox* CfgNewDeviceConfig = nullptr;
    QRadioButton* CfgChangeChannel = nullptr;
    QComboBox* CfgNewChannel = nullptr;
    QRadioButton* CfgQuery = nullptr;
    QPushButton* CfgDoIt = nullptr;
    QLabel* Label7 = nullptr;
    // Test Console
    QGroupBox* TestConsoleFrame = nullptr;
    QComboBox* TestDeviceConfig = nullptr;
    QGroupBox* TestConfigurationFrame = nullptr;
    QRadioButton* TestIsBase = nullptr;
    QRadioButton* TestIsMobile = nullptr;
    QCheckBox* TestConfigOnly = nullptr;
    QCheckBox* TestTestOnly = nullptr;
    QPushButton* TestDoIt = nullptr;
    QLabel* Label5 = nullptr;
    QComboBox* TestSetBaudTo = nullptr;
    QCheckBox* TestSaveTxPwrOnCbox = nullptr;
    QPushButton* TestBaudswap = nullptr;
    QComboBox* TestNewBaud = nullptr;
    QLabel* Label4 = nullptr;
    QCheckBox* TestLeaveInCmdModeCbox = nullptr;
    QCheckBox* TestLeaveTxPwrOnCbox = nullptr;
    QCheckBox* TestSendInputWinAfterTestCbox = nullptr;
    QLineEdit* TestStateWin = nullptr;
    QProgressBar* TestProgress = nullptr; // radio-test progress, shown only during the test
    QMap<int, QLineEdit*> StatsView;      // indices 8, 9, 10
    // Terminal Window
    QGroupBox* TerminalFrame = nullptr;
    QGroupBox* TerminalOutputFrame = nullptr;
    QGroupBox* TerminalShortcutsFrame = nullptr;
    QComboBox* RxShowMode = nullptr;
    MsgLogView* MsgWin = nullptr;
    QCheckBox* CmdRTSCbox = nullptr;
    QCheckBox* CmdBreakCbox = nullptr;
    QCheckBox* CmdSendTypingImmediately = nullptr;
    QLabel* Label2 = nullptr;
    QComboBox* EOL = nullptr;
    QComboBox* CmdInputWin = nullptr;
    QPushButton* CmdSendAgainBtn = nullptr;
    QLabel* Label1 = nullptr;
    QMap<int, QPushButton*> CmdMacroByIndexBtn; // indices 0..5 and 7
    QMap<int, QLineEdit*> UpDownWin;            // index 3
    QMap<int, QScrollBar*> UpDown;              // index 3
    // Menus
    QMenu* menuFile = nullptr;
    QAction* menuFileOpen = nullptr;
    QAction* menuFileSaveAs = nullptr;
    QAction* menuFileKeepRecords = nullptr;
    QAction* menuFileReconnect = nullptr;
    QAction* menuFileStopRun = nullptr;
    QAction* menuExit = nullptr;
    QMenu* menuLog = nullptr;
    QAction* menuLogClear = nullptr;
    QAction* menuLogUndoClear = nullptr;
    QAction* menuLogCopy = nullptr;
    QAction* menuLogSave = nullptr;
    QAction* menuLogSavePrevious = nullptr;
    QAction* menuLogShowTimes = nullptr;
    QMenu* menuFactory = nullptr;
    QAction* menuOptionsShowHideShortcuts = nullptr;
    QAction* menuOptionsShowHideTestConsole = nullptr;
    QAction* menuViewChangeLog = nullptr;
    QMenu* menuHelp = nullptr;
    QAction* menuHelpOnlineHelp = nullptr;
    QAction* menuHelpAbout = nullptr;
    // The serial component
    MSComm* MSComm1 = nullptr;

    // --- Form-level state ---
    QColor TestConsoleBackColor;
    QString PowerCycleMsg;
    QByteArray ReplyOK;
    QByteArray ReplyER;
    qint32 DelayJifValue = 0;
    QString LastTypedText;
    // The history line that Up and Down last recalled into the input box; -1 when none is.
    int CmdHistoryRecall = -1;
    // The receive state: the capture buffer, its count and whether bytes are captured.
    RxState rx;
    std::array<qint32, 11> Stats{};
    // The run state: errors, abort and stop, the step and the modem's last reply.
    RunState run;
    // The "\hh" escape decoder; its state lasts as long as the program.
    EscapeDecoder Escapes;
    // Depth of nested runs; the Do buttons are released only when the outermost run ends.
    int RunDepth = 0;
    // The button that had the focus when the run greyed it; it gets the focus back at the end.
    QWidget* RunFocusButton = nullptr;
    // The message window's lines.
    MsgLog* MsgLines = nullptr;
    // The run whose lines the message window holds, and the lines the latest run cleared from it.
    RunLabel MsgWinRun;
    std::optional<KeptRunLog> PreviousRunLog;
    // The lines the user's last clear removed, for "Undo Clear".
    ClearedLines MsgWinCleared;
    // The folder of the last successful save; the next save dialog starts there.
    QString MsgWinSaveFolder;
    // Keeping records: the folder (empty while records are off), the unit label given for the
    // next run and the last one recorded, the record of the outermost run under way, and the
    // lines that runs nested in it cleared from the window.
    QString RecordsFolder;
    QString RecordsUnit;
    QString RecordsLastUnit;
    std::optional<RunRecord> RecordUnderWay;
    std::optional<MsgLog> RecordEarlierLines;

    // --- Shell: control inventory, start-up and shutdown, menus, About window ---
    void Form_Load();
    void InitControlDefaults();
    void StartKludgeTimer_Timer();
    void menuExit_Click();
    // Ends the run under way at once: nothing more is sent, checked or asked.
    void menuFileStopRun_Click();
    [[noreturn]] void ReportInternalError(const QString& text);
    void menuLogClear_Click();
    void menuLogUndoClear_Click();
    void menuLogCopy_Click();
    void menuLogSave_Click();
    void menuLogSavePrevious_Click();
    void menuLogShowTimes_Click();
    void menuFileKeepRecords_Click();
    void menuOptionsShowHideShortcuts_Click();
    void menuOptionsShowHideTestConsole_Click();
    void menuViewChangeLog_Click();
    void menuHelpAbout_Click();
    void menuFactory_Toggle(); // Ctrl+Shift+F: shows or hides the Factory menu

    // --- Serial: port settings and opening ---
    void CommPort_Apply();
    void CommPort_Reopen();
    void CommSettings_Enable();
    void CommOpenCbox_Click();
    void CommPort_Click();
    void CommBaud_Click();
    void CommFormat_Click();
    void CommPort_DropDown(); // refreshes the list of the system's ports when it opens
    // Reports a port that would not open (line, box) and clears "Open Comm Port?".
    void CommPort_OpenFailed(const QString& portText, const QString& description);
    // The port text the open port was opened with; named in the log when the device is lost.
    QString CommPortOpenText;
    // --- Serial: waiting for a lost port to come back ---
    void menuFileReconnect_Click();
    // Starts waiting for the port of that text after it was lost.
    void CommWatch_Start(const QString& portText);
    // Ends a wait under way and says so; does nothing when there is none.
    void CommWatch_Stop();
    void CommWatchTimer_Timer();
    PortWatch CommWatch;
    // --- Serial: control lines ---
    void RTS_Set(bool on);
    bool RTS_Get();
    void RTS_Toggle(qint16 count);
    void CmdRTSCbox_Click();
    void CmdBreakCbox_Click();
    // --- Serial: waits ---
    void DelayJif_Helper(qint32& out);
    // --- Serial: receive path and statistics ---
    void MSComm1_OnComm();
    void MSComm1_OnLost(const QString& reason);
    void MSComm1_OnNotice(const QString& text);
    void Rx_Process(const QByteArray& bytes);
    void Rx_Reset();
    void Stat_Clear();

    // --- Terminal: message window ---
    void MsgWin_Attach(); // creates the log model behind MsgWin; called once by the constructor
    void MsgWin_DblClick();
    // The user's clear: the lines removed are kept for "Undo Clear".
    void MsgWin_ClearAside();
    // "Undo Clear" is offered while cleared lines are kept and no run is under way.
    void MsgWin_UndoClearRefresh();
    void TestStateWin_Output(const QString& text);
    // --- Terminal: saving the log ---
    // Keeps the message window's lines as the previous run's before a run clears them.
    void MsgWin_KeepPreviousRun();
    // Asks for a file in a dialog titled after the subject and writes the lines to it.
    void MsgWin_SaveToFile(MsgLog lines, RunLabel label, const QString& subject);
    // --- Terminal: command input and escapes ---
    void CmdInputWin_Change();
    void CmdInputWin_Keypress(qint16 keyascii);
    // Up and Down recall history lines into the input box.
    void CmdInputWin_KeyDown(int key);
    void CmdSendTypingImmediately_Click();
    void CmdSendAgainBtn_Click();
    QByteArray GetEolEscape();
    void SendEscaped(const QByteArray& text);
    void SendRaw(const QByteArray& text);
    QByteArray SendCommandAutoRTS(const QByteArray& cmd);
    void CmdReplyTimer_Timer();
    // --- Terminal: shortcut buttons and channel selector ---
    void CmdMacroByIndexBtn_Click(qint16 index);
    void UpDown_Change(qint16 index);
    void UpDownWin_GotFocus(qint16 index);
    void UpDownWin_LostFocus(qint16 index);
    // Up and Down in the channel box step the channel as the spinner's arrows do.
    void UpDownWin_KeyDown(qint16 index, int key);
    void UpDownWin_Refresh(qint16 index);

    // --- Modem: command and reply primitives ---
    QByteArray Modem_Transact(const QByteArray& command, qint16 minBytes, qint16 timeoutMs);
    // Logs the outcome of a reply check on the last reply; a failure is counted first, and its
    // second line says what was expected. True on failure.
    bool reportCheck(bool passed, const QString& expectedLine);
    // Earlier output leaves the port before the next command goes out.
    void waitForOutputToLeave();
    void Modem_Send(const QByteArray& command, qint16 minBytes, qint16 timeoutMs);
    void Modem_SendQuiet(const QByteArray& command, qint16 minBytes, qint16 timeoutMs);
    void Modem_SendSlow(const QByteArray& command, qint16 timeoutMs);
    bool Modem_Expect(const QByteArray& expected);
    bool Modem_ExpectEither(const QByteArray& a, const QByteArray& b);
    bool Modem_ExpectQuiet(const QByteArray& expected);
    void Modem_ShowReply();
    void Modem_SetCmdMode();
    void Modem_SetDataMode();
    // --- Modem: establishing communication ---
    bool Modem_EstablishComm(ScriptFlags flags);

    // --- Configurator: the four "Do It" actions ---
    void CfgDoIt_Click();
    void CfgNewDeviceConfig_Click();
    void CfgNewChannel_Click();
    void Cfg_RestoreFactory(ScriptFlags flags);
    void Cfg_SetChannel(qint16 channel);
    void Cfg_SetConfig(const QByteArray& config);
    void Cfg_QueryConfig();

    // --- Script: runner and Test Console ---
    void Test_RunScript(const QString& name, ScriptFlags flags, const QByteArray& initId,
                        const QVariant& initArg, const QByteArray& testId);
    void Test_BeginStep(const QString& step);
    void Test_Log(const QString& text);
    void TestStateWin_Ready();
    void DoButtons_SetBusy(bool busy);
    void TestDoIt_Click();
    void Test_RunConfig();
    void Test_RunTest();
    void SetCommBaud(qint32 rate);
    void TestBaudswap_Click();
    void TestSetBaudTo_Click();
    void TestConsole_ShowBaudWarning();
    // --- Script: keeping records of runs ---
    // While records are kept, asks for the unit's label; false when the user cancels.
    bool Records_AskUnit();
    // Called before a run clears the window; true when it is the outermost run, which begins a
    // record.
    bool Records_RunStarting();
    // Called at the end of the outermost run, after its verdict: files its log and its row.
    void Records_RunEnded(const QString& name);
    // --- Script: the script routine, its phases, the radio test and the settings query ---
    void Test_Script(ScriptFlags flags, const QByteArray& initId, const QVariant& initArg,
                     const QByteArray& testId);

    // The values of one run of Test_Script (script/ScriptRun.h).
    struct ScriptRun;
    // The phases of Test_Script; those returning bool return false when they abort the run.
    bool scriptBaudPrecondition(const ScriptRun& script);
    bool scriptEstablish(const ScriptRun& script);
    void scriptQueryVersion(ScriptRun& script);
    bool scriptConsolePreamble(const ScriptRun& script);
    bool scriptConfigure(ScriptRun& script);
    bool scriptSave(const ScriptRun& script);
    void scriptClose(const ScriptRun& script);
    void runSettingsQuery();
    bool runRadioTest(const ScriptRun& script);
    // Sends a command one character at a time; true when the modem answered "OK" + CR LF.
    bool sendAndCheck(const QByteArray& command);
    // The power-cycle box (its text begins with intro), then the RTS pulses and the settling
    // wait. False, with the run abandoned and no errors counted, when the user gave up or the
    // port went away meanwhile.
    bool powerCycleModem(const QString& intro);
    // Logs that the user stopped the run, once for the whole run.
    void Test_ReportStop();
    bool StopLogged = false;

    // Control inventory: creates the frames, controls and menus with their design-time values,
    // one builder a frame.
    void buildControls();
    void buildCommSettings(QWidget* client);
    void buildConfigurator(QWidget* client);
    void buildTerminal(QWidget* client);
    void buildTestConsole(QWidget* client);
    void buildMenus();
    // Shows or hides the radio test's progress display; the state line's text makes room for it.
    void TestProgress_SetShown(bool shown);
    // Connects every control's change or click signal to its handler.
    void connectHandlers();
    // Keyboard focus: the tab order follows the frames as they are shown (Comm. Settings, the
    // panel in view, Terminal Window); the panel out of view comes last, and the focus leaves it
    // for the panel in view.
    void orderTabs();
    bool isInView(const QWidget* control) const;
    // The panel whose top lies below the designed client area is hidden and the other shown: the
    // window may grow over that place, yet the panel out of view is neither drawn nor reached by
    // Tab nor shown to screen readers.
    void Panels_Park();
    // Where each control goes when the window is larger than designed.
    std::unique_ptr<layout::Growth> windowGrowth();
    std::unique_ptr<layout::Growth> Growth;

    frmAbout* About = nullptr;
};
