// One unit's session on one port: the line, the waits, the runs and their log, without a window.
// The window is a view of it; the command line drives it from its arguments.
#pragma once

#include "platform/PortBackends.h"
#include "platform/Question.h"
#include "records/StoredRun.h"
#include "script/RunRecord.h"
#include "script/RunState.h"
#include "script/RunVerdict.h"
#include "script/ScriptFlags.h"
#include "serial/PortWatch.h"
#include "serial/RxState.h"
#include "terminal/ClearedLines.h"
#include "terminal/EscapeDecoder.h"
#include "terminal/LogFile.h"
#include "terminal/MsgLog.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QVariant>
#include <array>
#include <memory>
#include <optional>

class QTimer;
class MSComm;
class SessionOptions;
class SessionQuestions;

// The four actions of the Modem Configurator's "Do It".
enum class CfgAction { RestoreFactory, SetChannel, SetConfig, Query };

class UnitSession : public QObject
{
    Q_OBJECT
    // Tests and benchmarks read and set the session's private parts through the window's door.
    friend class WindowDoor;

public:
    // Starts as the program's start-up leaves the line: receive state reset, statistics 0, the
    // port closed, "<= Press to begin Test." on the state line. Options and questions outlive
    // the session.
    UnitSession(PortBackends backends, SessionOptions& options, SessionQuestions& questions,
                QObject* parent = nullptr);
    ~UnitSession() override;

    // --- The state a view mirrors ---
    const QString& portText() const { return PortText; }
    const QString& baudText() const { return BaudText; }
    const QString& formatText() const { return FormatText; }
    bool portOpenBox() const { return PortOpenBox; }
    bool cmdRtsBox() const { return CmdRTSBox; }
    bool breakBox() const { return BreakBox; }
    const QString& testNewBaud() const { return TestNewBaud; }
    const QString& stateLine() const { return StateText; }
    RunVerdict verdict() const { return Verdict; }
    bool busy() const { return RunDepth > 0; }
    qint32 stat(int index) const { return Stats.at(static_cast<size_t>(index)); }
    bool portOpen() const;
    // The port text the open port was opened with.
    const QString& openPortText() const { return CommPortOpenText; }
    const RunState& runState() const { return run; }
    MsgLog& log() { return *MsgLines; }
    const RunLabel& logRun() const { return MsgWinRun; }
    const std::optional<KeptRunLog>& previousRunLog() const { return PreviousRunLog; }
    bool undoClearOffered() const { return RunDepth == 0 && !MsgWinCleared.isEmpty(); }
    const QString& recordsFolder() const { return RecordsFolder; }
    // The record of the latest outermost run, complete once it has ended.
    const std::optional<RunRecord>& lastRun() const { return LastRun; }

    // --- Requests of a view or the command line, each as the control's handler does it ---
    void CommPort_Set(const QString& text);
    // Text typed into a list box, not yet applied: read where the box's text is read.
    void CommPort_Typed(const QString& text);
    void CommFormat_Typed(const QString& text);
    void CommBaud_Set(const QString& text);
    void CommFormat_Set(const QString& text);
    void CommOpenCbox_Set(bool on);
    void CmdRTSCbox_Set(bool on);
    void CmdBreakCbox_Set(bool on);
    void TestNewBaud_Set(const QString& text);
    void Cfg_DoIt(CfgAction action, qint16 channel, const QByteArray& config);
    void TestDoIt_Click();
    void TestBaudswap_Click();
    void menuFileStopRun_Click();
    // "Reconnect Automatically": a lost port is awaited and opened again when it comes back.
    void menuFileReconnect_Set(bool on);
    // Records kept in that folder (records off when it is empty), as the Keep Records entry does.
    void setRecordsFolder(const QString& folder);
    // Records kept or not, for the station of that name, filed in the folder and forwarded to
    // the server (its address without a password), either empty for none.
    void setRecords(bool keep, const QString& station, const QString& folder,
                    const QString& server);
    // The unit's label for the next run, as if typed at its prompt.
    void setNextUnit(const QString& label) { RecordsUnit = label.trimmed(); }
    // The user's clear (double click, Log > Clear) and its undo.
    void MsgWin_ClearAside();
    void MsgWin_UndoClear();
    // Raw bytes to the port, one command in command mode, typed text with "\hh" escapes.
    void SendRaw(const QByteArray& text);
    QByteArray SendCommandAutoRTS(const QByteArray& cmd);
    void SendEscaped(const QByteArray& text);
    [[noreturn]] void ReportInternalError(const QString& text);
    // Closes the port without sending what waits, as the program's end does.
    void releasePort();

    // --- The message window's output ---
    void MsgWin_Output(const QString& text);
    void MsgWin_OutputChar(quint8 byte);
    void MsgWin_OutputCooked(const QByteArray& text);
    void MsgWin_OutputVisible(const QString& text);
    void MsgWin_Clear();
    // --- Statistics and waits ---
    void Stat_Inc(qint16 index, qint16 amount);
    void DelayMS(qint32 ms);
    void DelayJif(qint32 count);
    void TimerDelay(qint16 ms);
    void TimerDelayUntilRx(qint16 ms, qint16 count);
    void WaitMS(qint16 ms);

signals:
    void baudTextChanged(const QString& text);
    void portOpenBoxChanged(bool on);
    void cmdRtsBoxChanged(bool on);
    void breakBoxChanged(bool on);
    void testNewBaudChanged(const QString& text);
    void stateLineChanged(const QString& text);
    void verdictChanged(RunVerdict verdict);
    // The radio test's progress display: shown or hidden, and its value and text.
    void progressShown(bool shown);
    void progressChanged(int value, const QString& text);
    void statChanged(int index, qint32 value);
    // The Do buttons are greyed while a run is under way (busy) and given back after it.
    void busyChanged(bool busy);
    void undoClearChanged(bool offered);
    void previousRunKept();
    void recordsFolderChanged(const QString& folder);
    // A recorded run has ended: the store is to keep it, then its folder and server.
    void runToKeep(const StoredRun& run, const QString& folder, const QString& server);
    // An outermost run began or ended (its name).
    void runStarted(const QString& name);
    void runEnded(const QString& name);

private:
    SessionOptions& Options;
    SessionQuestions& Questions;
    PortBackends Backends;

    // --- The line and its timers ---
    MSComm* MSComm1 = nullptr;
    QTimer* StartKludgeTimer = nullptr;
    QTimer* CmdReplyTimer = nullptr;
    QTimer* CommWatchTimer = nullptr; // ticks while a lost port is awaited
    // The form's two timers without a tick handler; start-up stops them.
    QTimer* RxIdleTimer = nullptr;
    QTimer* DelayCalTimer = nullptr;

    // --- Box values and lists the session owns ---
    QString PortText = QStringLiteral("COM1");
    QString BaudText = QStringLiteral("9600");
    QString FormatText = QStringLiteral("N,8,1");
    bool PortOpenBox = false;
    bool CmdRTSBox = false;
    bool BreakBox = false;
    bool ReconnectOn = false;
    QString TestNewBaud = QStringLiteral("19200");
    QString StateText;
    RunVerdict Verdict = RunVerdict::None;

    // --- Run state ---
    QString PowerCycleMsg;
    QByteArray ReplyOK;
    QByteArray ReplyER;
    qint32 DelayJifValue = 0;
    RxState rx;
    std::array<qint32, 11> Stats{};
    RunState run;
    EscapeDecoder Escapes;
    int RunDepth = 0;
    bool StopLogged = false;
    // A run has shown itself on the state line since the outermost hold began.
    bool RunShown = false;
    std::unique_ptr<MsgLog> MsgLines;
    RunLabel MsgWinRun;
    std::optional<KeptRunLog> PreviousRunLog;
    ClearedLines MsgWinCleared;
    RunLabel MsgWinClearedRun; // the run whose lines the user's last clear put aside
    QString CommPortOpenText;
    PortWatch CommWatch;
    // Keeping records: the folder (empty while records are off), the unit label given for the
    // next run and the last one recorded, the record of the outermost run under way, and the
    // lines that runs nested in it cleared from the window.
    bool RecordsKeep = false;
    QString RecordsStation;
    QString RecordsServer;
    QString RecordsFolder;
    QString RecordsUnit;
    QString RecordsLastUnit;
    std::optional<RunRecord> RecordUnderWay;
    std::optional<MsgLog> RecordEarlierLines;
    std::optional<RunRecord> LastRun;

    // --- Start-up ---
    void Form_Load();
    void StartKludgeTimer_Timer();
    // --- Serial: port settings and opening ---
    void CommPort_Apply();
    void CommPort_Reopen();
    void CommOpenCbox_Click();
    void CommPort_Click();
    void CommBaud_Click();
    void CommFormat_Click();
    void CommPort_OpenFailed(const QString& portText, const QString& description);
    // --- Serial: waiting for a lost port ---
    void CommWatch_Start(const QString& portText);
    void CommWatch_Stop();
    void CommWatchTimer_Timer();
    // --- Serial: control lines ---
    void RTS_Set(bool on);
    bool RTS_Get();
    void RTS_Toggle(qint16 count);
    void CmdRTSCbox_Click();
    void CmdBreakCbox_Click();
    void DelayJif_Helper(qint32& out);
    // --- Serial: receive path and statistics ---
    void MSComm1_OnComm();
    void MSComm1_OnLost(const QString& reason);
    void MSComm1_OnNotice(const QString& text);
    void Rx_Process(const QByteArray& bytes);
    void Rx_Reset();
    void Stat_Clear();
    // --- Terminal ---
    void TestStateWin_Output(const QString& text);
    void TestStateWin_SetVerdict(RunVerdict verdict);
    void MsgWin_KeepPreviousRun();
    void CmdReplyTimer_Timer();
    // --- Modem ---
    QByteArray Modem_Transact(const QByteArray& command, qint16 minBytes, qint16 timeoutMs);
    bool reportCheck(bool passed, const QString& expectedLine);
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
    bool Modem_EstablishComm(ScriptFlags flags);
    // --- Configurator ---
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
    void Test_RunConfig();
    void Test_RunTest();
    void SetCommBaud(qint32 rate);
    // --- Script: records ---
    bool Records_AskUnit();
    bool Records_RunStarting();
    void Records_RunEnded(const QString& name);
    // --- Script: the script routine and its phases ---
    void Test_Script(ScriptFlags flags, const QByteArray& initId, const QVariant& initArg,
                     const QByteArray& testId);
    struct ScriptRun;
    bool scriptBaudPrecondition(const ScriptRun& script);
    bool scriptEstablish(const ScriptRun& script);
    void scriptQueryVersion(ScriptRun& script);
    bool scriptConsolePreamble(const ScriptRun& script);
    bool scriptConfigure(ScriptRun& script);
    bool scriptSave(const ScriptRun& script);
    void scriptClose(const ScriptRun& script);
    void runSettingsQuery();
    bool runRadioTest(const ScriptRun& script);
    bool sendAndCheck(const QByteArray& command);
    bool powerCycleModem(const QString& intro);
    void Test_ReportStop();
};
