// The main window: every control, and the view of its unit's session that turns clicks and keys
// into the session's requests and mirrors its state.
#pragma once

#include "platform/PortBackends.h"
#include "session/ProgramVersion.h"
#include "terminal/LogFile.h"

#include <QByteArray>
#include <QColor>
#include <QMainWindow>
#include <QMap>
#include <QPointer>
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
class MsgLogModel;
class RecordKeeper;
class ResultsBoard;
class UnitSession;
class WindowOptions;
class WindowQuestions;
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
    // Builds every control and the window's session on those port backends, then runs
    // Form_Load, as creating the window does.
    explicit MainWin(PortBackends backends, QWidget* parent = nullptr);
    ~MainWin() override;

    // Version text of the program.
    static inline const QString kVersion = kProgramVersion;
    static inline const QString kDesignCaption =
        QStringLiteral("Tarvex Brannoc(tm) Radio-Modem Configurator");

    // The unit's session the window shows.
    UnitSession& session() const { return *Session; }

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
    QAction* menuFactoryResults = nullptr;
    QMenu* menuHelp = nullptr;
    QAction* menuHelpOnlineHelp = nullptr;
    QAction* menuHelpAbout = nullptr;
    // --- The session and what it asks of the window ---
    std::unique_ptr<WindowOptions> Options;
    std::unique_ptr<WindowQuestions> Questions;
    UnitSession* Session = nullptr;
    // Keeps the session's recorded runs: the station's store, then the records folder.
    RecordKeeper* Keeper = nullptr;
    // Beside the state line: the runs not yet in the records folder; the folder's trouble is
    // said once until the folder can be written again.
    QLabel* RecordsWaiting = nullptr;
    bool RecordsTroubleSaid = false;
    bool StoreTroubleSaid = false;
    // The results board, while it is open.
    QPointer<ResultsBoard> Board;

    // --- Form-level state ---
    QColor TestConsoleBackColor;
    QString LastTypedText;
    // The history line that Up and Down last recalled into the input box; -1 when none is.
    int CmdHistoryRecall = -1;
    // The button that had the focus when the run greyed it; it gets the focus back at the end.
    QWidget* RunFocusButton = nullptr;
    // The folder of the last successful save; the next save dialog starts there.
    QString MsgWinSaveFolder;

    // --- Shell: start-up, menus, About window ---
    void Form_Load();
    void InitControlDefaults();
    void menuExit_Click();
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
    // Opens the results board beside the window, or brings it forward.
    void menuFactoryResults_Click();
    // Connects the session's state to the controls that show it.
    void mirrorSession();
    // The Do buttons greyed during a run; the focus waits in the message window meanwhile.
    void DoButtons_ShowBusy(bool busy);
    // "Undo Clear" is offered while cleared lines are kept and no run is under way.
    void MsgWin_UndoClearRefresh();
    void TestStateWin_Show(const QString& text);
    // The Keep Records entry ticked and naming the folder while records are kept.
    void KeepRecords_Show(const QString& folder);
    // The keeper's news: a store that cannot be written, runs waiting for their folder.
    void Records_ShowStore(const QString& error);
    void Records_ShowFolder(qint64 waiting, const QString& folder, const QString& error);

    // --- Serial: the port list ---
    void CommPort_DropDown(); // refreshes the list of the system's ports when it opens

    // --- Terminal: message window ---
    void MsgWin_Attach(); // creates the log model behind MsgWin; called once by the constructor
    // Asks for a file in a dialog titled after the subject and writes the lines to it.
    void MsgWin_SaveToFile(MsgLog lines, RunLabel label, const QString& subject);
    // --- Terminal: command input ---
    void CmdInputWin_Change();
    void CmdInputWin_Keypress(qint16 keyascii);
    // Up and Down recall history lines into the input box.
    void CmdInputWin_KeyDown(int key);
    void CmdSendTypingImmediately_Click();
    void CmdSendAgainBtn_Click();
    QByteArray GetEolEscape();
    // --- Terminal: shortcut buttons and channel selector ---
    void CmdMacroByIndexBtn_Click(qint16 index);
    void UpDown_Change(qint16 index);
    void UpDownWin_GotFocus(qint16 index);
    void UpDownWin_LostFocus(qint16 index);
    // Up and Down in the channel box step the channel as the spinner's arrows do.
    void UpDownWin_KeyDown(qint16 index, int key);
    void UpDownWin_Refresh(qint16 index);

    // --- Configurator and Test Console: the window's handlers ---
    void CfgDoIt_Click();
    void CfgNewDeviceConfig_Click();
    void CfgNewChannel_Click();
    void TestSetBaudTo_Click();
    void TestConsole_ShowBaudWarning();

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
