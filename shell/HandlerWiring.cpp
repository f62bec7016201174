// Handler wiring: each control's change or click signal to the procedure named after it.
#include "session/UnitSession.h"
#include "shell/ListPick.h"
#include "shell/MainWin.h"
#include "shell/PortComboBox.h"
#include "shell/TypedText.h"
#include "terminal/MsgLogView.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>

void MainWin::connectHandlers()
{
    // Comm. Settings
    // The session owns the port settings; the window's lists and box ask for its changes.
    connect(CommOpenCbox, &QCheckBox::toggled, this,
            [this](bool on) { Session->CommOpenCbox_Set(on); });
    connect(CommPort, &QComboBox::currentIndexChanged, this,
            [this] { Session->CommPort_Set(CommPort->currentText()); });
    connect(CommBaud, &QComboBox::currentIndexChanged, this,
            [this] { Session->CommBaud_Set(CommBaud->currentText()); });
    connect(CommFormat, &QComboBox::currentIndexChanged, this,
            [this] { Session->CommFormat_Set(CommFormat->currentText()); });
    connect(static_cast<PortComboBox*>(CommPort), &PortComboBox::popupAboutToShow, this,
            [this] { CommPort_DropDown(); });
    // A typed port name or format applies on Enter or on leaving the box, as a pick does; while
    // it is typed, it is the text a run or the wait for a lost port reads.
    connectTypedText(CommPort, [this] { Session->CommPort_Set(CommPort->currentText()); });
    connectTypedText(CommFormat, [this] { Session->CommFormat_Set(CommFormat->currentText()); });
    connect(CommPort, &QComboBox::editTextChanged, this,
            [this](const QString& text) { Session->CommPort_Typed(text); });
    connect(CommFormat, &QComboBox::editTextChanged, this,
            [this](const QString& text) { Session->CommFormat_Typed(text); });

    // Modem Configurator
    connect(CfgDoIt, &QPushButton::clicked, this, [this] { CfgDoIt_Click(); });
    // Picking a value picks the action that uses it, also when the value was already shown.
    connectPick(CfgNewDeviceConfig, [this] { CfgNewDeviceConfig_Click(); });
    connectPick(CfgNewChannel, [this] { CfgNewChannel_Click(); });

    // Test Console
    connect(TestDoIt, &QPushButton::clicked, this, [this] { Session->TestDoIt_Click(); });
    connect(TestBaudswap, &QPushButton::clicked, this, [this] { Session->TestBaudswap_Click(); });
    connect(TestNewBaud, &QComboBox::currentIndexChanged, this,
            [this] { Session->TestNewBaud_Set(TestNewBaud->currentText()); });
    connect(TestSetBaudTo, &QComboBox::currentIndexChanged, this,
            [this] { TestSetBaudTo_Click(); });

    // Terminal Window
    connect(CmdRTSCbox, &QCheckBox::toggled, this,
            [this](bool on) { Session->CmdRTSCbox_Set(on); });
    connect(CmdBreakCbox, &QCheckBox::toggled, this,
            [this](bool on) { Session->CmdBreakCbox_Set(on); });
    connect(CmdSendTypingImmediately, &QCheckBox::toggled, this,
            [this] { CmdSendTypingImmediately_Click(); });
    connect(CmdInputWin, &QComboBox::editTextChanged, this, [this] { CmdInputWin_Change(); });
    connect(CmdSendAgainBtn, &QPushButton::clicked, this, [this] { CmdSendAgainBtn_Click(); });
    for (auto it = CmdMacroByIndexBtn.cbegin(); it != CmdMacroByIndexBtn.cend(); ++it) {
        const auto index = static_cast<qint16>(it.key());
        connect(it.value(), &QPushButton::clicked, this,
                [this, index] { CmdMacroByIndexBtn_Click(index); });
    }
    connect(UpDown.value(3), &QScrollBar::valueChanged, this, [this] { UpDown_Change(3); });
    // Key presses of the input box, the channel box's focus changes and keys, double clicks in
    // the message window and the arrow keys on the Do buttons come through eventFilter.
    CmdInputWin->installEventFilter(this);
    UpDownWin.value(3)->installEventFilter(this);
    MsgWin->viewport()->installEventFilter(this);
    // The arrow keys on the Do buttons, where the focus comes back after a run, stay there.
    CfgDoIt->installEventFilter(this);
    TestDoIt->installEventFilter(this);

    // Menus
    connect(menuFileStopRun, &QAction::triggered, this,
            [this] { Session->menuFileStopRun_Click(); });
    connect(menuFileReconnect, &QAction::toggled, this,
            [this](bool on) { Session->menuFileReconnect_Set(on); });
    connect(menuExit, &QAction::triggered, this, [this] { menuExit_Click(); });
    connect(menuLogClear, &QAction::triggered, this, [this] { menuLogClear_Click(); });
    connect(menuLogUndoClear, &QAction::triggered, this, [this] { menuLogUndoClear_Click(); });
    connect(menuLogCopy, &QAction::triggered, this, [this] { menuLogCopy_Click(); });
    connect(menuLogSave, &QAction::triggered, this, [this] { menuLogSave_Click(); });
    connect(menuLogSavePrevious, &QAction::triggered, this,
            [this] { menuLogSavePrevious_Click(); });
    connect(menuLogShowTimes, &QAction::toggled, this, [this] { menuLogShowTimes_Click(); });
    connect(menuFileKeepRecords, &QAction::triggered, this,
            [this] { menuFileKeepRecords_Click(); });
    connect(menuOptionsShowHideShortcuts, &QAction::triggered, this,
            [this] { menuOptionsShowHideShortcuts_Click(); });
    connect(menuOptionsShowHideTestConsole, &QAction::triggered, this,
            [this] { menuOptionsShowHideTestConsole_Click(); });
    connect(menuViewChangeLog, &QAction::triggered, this, [this] { menuViewChangeLog_Click(); });
    connect(menuHelpAbout, &QAction::triggered, this, [this] { menuHelpAbout_Click(); });
    connect(menuFactoryResults, &QAction::triggered, this, [this] { menuFactoryResults_Click(); });

    // The factory operators' key: shows or hides the Factory menu; it is listed in no menu.
    auto* factoryKey = new QShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+F")), this);
    factoryKey->setObjectName(QStringLiteral("FactoryShortcut"));
    factoryKey->setContext(Qt::WindowShortcut);
    connect(factoryKey, &QShortcut::activated, this, [this] { menuFactory_Toggle(); });
}
