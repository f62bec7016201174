// The control inventory: every frame, control, timer and menu of the main window, as designed.
#include "shell/MainWin.h"
#include "shell/PortComboBox.h"
#include "shell/WrapButton.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>

namespace
{
// The window was laid out in twips; at 15 twips a pixel its 9000 x 7650 client area is 600 x 510.
constexpr int kTwipsPerPixel = 15;
constexpr int kClientWidth = 600;
constexpr int kClientHeight = 510;

// Height of a row of buttons and lists inside the frames.
constexpr int kRowHeight = 22;

template <typename T> T* named(T* widget, const QString& name)
{
    widget->setObjectName(name);
    return widget;
}

QGroupBox* frame(QWidget* parent, const QString& name, const QString& caption, int left, int top,
                 int width, int height)
{
    auto* box = new QGroupBox(caption, parent);
    box->setObjectName(name);
    box->setGeometry(left / kTwipsPerPixel, top / kTwipsPerPixel, width / kTwipsPerPixel,
                     height / kTwipsPerPixel);
    return box;
}

QFont sansFont(int pointSize, bool bold)
{
    QFont font(QStringLiteral("Sans Serif"), pointSize, bold ? QFont::Bold : QFont::Normal);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

QComboBox* dropDownList(QWidget* parent, const QString& name, const QStringList& items)
{
    auto* combo = named(new QComboBox(parent), name);
    combo->addItems(items);
    // No selection until start-up makes one, so that the first selection raises the change.
    combo->setCurrentIndex(-1);
    return combo;
}

QComboBox* editableCombo(QComboBox* combo, const QString& name, const QStringList& items,
                         const QString& text)
{
    combo->setObjectName(name);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    // No inline completion: in immediate mode every character typed must be what is sent.
    combo->setCompleter(nullptr);
    combo->addItems(items);
    combo->setCurrentIndex(-1);
    combo->setEditText(text);
    return combo;
}

// Places the widget with its top left at x, y; a width or height of 0 takes its natural size.
// Returns the x just right of it.
int put(QWidget* widget, int x, int y, int width = 0, int height = 0)
{
    const QSize natural = widget->sizeHint();
    widget->setGeometry(x, y, width > 0 ? width : natural.width(),
                        height > 0 ? height : natural.height());
    return x + widget->width();
}

int widest(std::initializer_list<QWidget*> widgets)
{
    int width = 0;
    for (QWidget* w : widgets)
        width = qMax(width, w->sizeHint().width());
    return width;
}

QTimer* timer(QObject* parent, const QString& name)
{
    auto* t = named(new QTimer(parent), name);
    t->setInterval(0);
    return t;
}

QAction* entry(QMenu* menu, const QString& name, const QString& caption, bool hasAction)
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    action->setEnabled(hasAction);
    return action;
}

const QStringList kBaudRates = {QStringLiteral("1200"),  QStringLiteral("2400"),
                                QStringLiteral("4800"),  QStringLiteral("9600"),
                                QStringLiteral("19200"), QStringLiteral("38400"),
                                QStringLiteral("57600"), QStringLiteral("115200")};
} // namespace

void MainWin::buildControls()
{
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("ClientArea"));
    client->setFixedSize(kClientWidth, kClientHeight);
    // The design's form font was an 8 pt sans serif; the captions are sized for it.
    client->setFont(sansFont(8, false));
    setCentralWidget(client);
    setWindowTitle(kDesignCaption);

    // Controls are created in reading order, which is also the tab order. Widths follow the
    // captions' natural sizes, so that nothing is clipped in any font.

    // --- Comm. Settings ---
    GeneralFrame = frame(client, QStringLiteral("GeneralFrame"), QStringLiteral("Comm. Settings"),
                         0, 0, 9015, 615);
    CommPort = editableCombo(new PortComboBox(GeneralFrame), QStringLiteral("CommPort"),
                             {QStringLiteral("COM1"), QStringLiteral("COM2"),
                              QStringLiteral("COM3"), QStringLiteral("COM4")},
                             QStringLiteral("CommPort"));
    for (int i = 0; i < 4; ++i)
        CommPort->setItemData(i, i + 1);
    CommOpenCbox = named(new QCheckBox(QStringLiteral("Open Comm Port?"), GeneralFrame),
                         QStringLiteral("CommOpenCbox"));
    CommFormat =
        editableCombo(new QComboBox(GeneralFrame), QStringLiteral("CommFormat"),
                      {QStringLiteral("N,8,1"), QStringLiteral("E,8,1")}, QStringLiteral("N,8,1"));
    CommBaud = dropDownList(GeneralFrame, QStringLiteral("CommBaud"), kBaudRates);
    int x = put(CommPort, 8, 15, 150);
    x = put(CommOpenCbox, x + 10, 15);
    x = put(CommFormat, x + 10, 15, 72);
    put(CommBaud, x + 8, 15, 84);
    Label3 = named(new QLabel(QStringLiteral("Tarvex"), GeneralFrame), QStringLiteral("Label3"));
    Label3->setFont(sansFont(24, true));
    Label3->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // The logo is taller than the strip's inner area; it sits over the frame's right end.
    const int logoWidth = Label3->sizeHint().width();
    Label3->setGeometry(GeneralFrame->width() - 6 - logoWidth, 1, logoWidth,
                        GeneralFrame->height() - 2);

    StartKludgeTimer = timer(this, QStringLiteral("StartKludgeTimer"));
    CmdReplyTimer = timer(this, QStringLiteral("CmdReplyTimer"));
    RxIdleTimer = timer(this, QStringLiteral("RxIdleTimer"));
    DelayCalTimer = timer(this, QStringLiteral("DelayCalTimer"));

    // --- Modem Configurator ---
    UsercfgFrame = frame(client, QStringLiteral("UsercfgFrame"),
                         QStringLiteral("Modem Configurator"), 0, 600, 9015, 2175);
    Label6 =
        named(new QLabel(QStringLiteral("I want to:"), UsercfgFrame), QStringLiteral("Label6"));
    put(Label6, 12, 18);
    CfgRestoreFactory =
        named(new QRadioButton(QStringLiteral("Restore Modem to Factory Defaults"), UsercfgFrame),
              QStringLiteral("CfgRestoreFactory"));
    put(CfgRestoreFactory, 24, 38);
    CfgChangeMode = named(new QRadioButton(QStringLiteral("Restore the Mode to:"), UsercfgFrame),
                          QStringLiteral("CfgChangeMode"));
    CfgNewDeviceConfig =
        dropDownList(UsercfgFrame, QStringLiteral("CfgNewDeviceConfig"),
                     {QStringLiteral("PBASIC"), QStringLiteral("Factory Defaults")});
    CfgChangeChannel =
        named(new QRadioButton(QStringLiteral("Change the Channel to:"), UsercfgFrame),
              QStringLiteral("CfgChangeChannel"));
    CfgNewChannel = dropDownList(UsercfgFrame, QStringLiteral("CfgNewChannel"),
                                 {QStringLiteral("4"), QStringLiteral("13"), QStringLiteral("22"),
                                  QStringLiteral("31"), QStringLiteral("40")});
    // The two lists line up after the longer of their options' captions.
    const int listX = 24 + widest({CfgChangeMode, CfgChangeChannel}) + 8;
    put(CfgChangeMode, 24, 62);
    put(CfgNewDeviceConfig, listX, 61, 130);
    put(CfgChangeChannel, 24, 88);
    put(CfgNewChannel, listX, 87, 60);
    CfgQuery = named(
        new QRadioButton(QStringLiteral("Query my Modem's Current Configuration"), UsercfgFrame),
        QStringLiteral("CfgQuery"));
    put(CfgQuery, 24, 114);
    CfgDoIt =
        named(new QPushButton(QStringLiteral("Do It"), UsercfgFrame), QStringLiteral("CfgDoIt"));
    CfgDoIt->setFont(sansFont(12, true));
    put(CfgDoIt, 400, 28, 150, 42);
    Label7 = named(new QLabel(QStringLiteral("Note: Modem will be left in Command Mode after "
                                             "configuration; uncheck RTS/Cmd for data mode."),
                              UsercfgFrame),
                   QStringLiteral("Label7"));
    Label7->setWordWrap(true);
    Label7->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    put(Label7, 360, 82, 232, 56);

    // --- Terminal Window ---
    TerminalFrame = frame(client, QStringLiteral("TerminalFrame"),
                          QStringLiteral("Terminal Window"), 0, 2760, 9015, 4815);
    RxShowMode = dropDownList(TerminalFrame, QStringLiteral("RxShowMode"),
                              {QStringLiteral("chars"), QStringLiteral("hex")});
    RxShowMode->setToolTip(QStringLiteral("Select how Terminal output shall be displayed."));
    put(RxShowMode, 6, 24, 68);

    TerminalShortcutsFrame = frame(TerminalFrame, QStringLiteral("TerminalShortcutsFrame"),
                                   QStringLiteral("Shortcuts"), 0, 1200, 1215, 3615);
    // The buttons top to bottom, with the channel selector after "Set Ch.".
    struct Shortcut {
        int index;
        const char* caption;
        const char* tip;
    };
    const Shortcut shortcuts[] = {
        {3, "Query", "Send '?' to query current modem settings."},
        {2, "Set Ch.", "Send command to set current channel."},
        {5, "Enb.Ext.Ch", nullptr},
        {0, "Tx Pwr On", "Send command to turn on Transmitter Power."},
        {1, "Tx Pwr Off", "Send command to turn off Transmitter Power."},
        {4, "Config", "Send command to turn off Transmitter Power."},
        {7, "Save Current Settings", "Send command to save current modem settings in EEPROM."},
    };
    int y = 16;
    for (const Shortcut& s : shortcuts) {
        const QString caption = QString::fromLatin1(s.caption);
        const bool twoLines = s.index == 7;
        QPushButton* button = twoLines ? new WrapButton(caption, TerminalShortcutsFrame)
                                       : new QPushButton(caption, TerminalShortcutsFrame);
        button->setObjectName(QStringLiteral("CmdMacroByIndexBtn_%1").arg(s.index));
        const int height = twoLines ? 40 : kRowHeight;
        put(button, 4, y, 73, height);
        if (s.tip)
            button->setToolTip(QString::fromLatin1(s.tip));
        // A click must take the focus, so that a channel typed in the box is applied first.
        button->setFocusPolicy(Qt::StrongFocus);
        CmdMacroByIndexBtn.insert(s.index, button);
        y += height + 2;
        if (s.index == 2) {
            auto* box = named(new QLineEdit(TerminalShortcutsFrame), QStringLiteral("UpDownWin_3"));
            put(box, 4, y + 6, 54, kRowHeight);
            UpDownWin.insert(3, box);
            auto* spinner = named(new QScrollBar(Qt::Vertical, TerminalShortcutsFrame),
                                  QStringLiteral("UpDown_3"));
            spinner->setRange(1, 40);
            spinner->setSingleStep(1);
            spinner->setPageStep(1);
            spinner->setValue(1);
            // The upper arrow raises the channel, as on a spin box: each step is turned around
            // before the value changes.
            connect(spinner, &QScrollBar::actionTriggered, spinner, [spinner](int action) {
                const int step = spinner->singleStep();
                if (action == QAbstractSlider::SliderSingleStepAdd ||
                    action == QAbstractSlider::SliderPageStepAdd)
                    spinner->setSliderPosition(spinner->value() - step);
                else if (action == QAbstractSlider::SliderSingleStepSub ||
                         action == QAbstractSlider::SliderPageStepSub)
                    spinner->setSliderPosition(spinner->value() + step);
            });
            put(spinner, 60, y, 17, 34);
            UpDown.insert(3, spinner);
            y += 36;
        }
    }

    TerminalOutputFrame = frame(TerminalFrame, QStringLiteral("TerminalOutputFrame"),
                                QStringLiteral("Messages / Received Data"), 1200, 240, 7815, 4575);
    const int outputRight = TerminalOutputFrame->width() - 4;
    MsgWin = named(new QListView(TerminalOutputFrame), QStringLiteral("MsgWin"));
    MsgWin->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    MsgWin->setUniformItemSizes(true);
    MsgWin->setEditTriggers(QAbstractItemView::NoEditTriggers);
    MsgWin->setSelectionMode(QAbstractItemView::SingleSelection);
    put(MsgWin, 4, 16, outputRight - 4, 3180 / kTwipsPerPixel);

    const int lines = 231;
    CmdRTSCbox = named(new QCheckBox(QStringLiteral("RTS/Cmd"), TerminalOutputFrame),
                       QStringLiteral("CmdRTSCbox"));
    CmdRTSCbox->setToolTip(
        QStringLiteral("Set or clear RTS to enable or disable Modem command mode."));
    CmdBreakCbox = named(new QCheckBox(QStringLiteral("Break"), TerminalOutputFrame),
                         QStringLiteral("CmdBreakCbox"));
    CmdBreakCbox->setToolTip(
        QStringLiteral("Send Break condition (NOTE: cleared when RTS is toggled)"));
    CmdSendTypingImmediately =
        named(new QCheckBox(QStringLiteral("Send chars immediately as typed"), TerminalOutputFrame),
              QStringLiteral("CmdSendTypingImmediately"));
    x = put(CmdRTSCbox, 6, lines);
    x = put(CmdBreakCbox, x + 10, lines);
    put(CmdSendTypingImmediately, x + 10, lines);

    // The input line, then the terminator that "Send Again" adds and the button itself.
    const int input = lines + 23;
    CmdInputWin =
        editableCombo(new QComboBox(TerminalOutputFrame), QStringLiteral("CmdInputWin"), {}, {});
    CmdInputWin->setToolTip(QStringLiteral("Type here to send commands or data to Modem, or select "
                                           "a previously typed string to Send Again."));
    Label2 = named(new QLabel(QStringLiteral("Send line terminator:"), TerminalOutputFrame),
                   QStringLiteral("Label2"));
    EOL = editableCombo(new QComboBox(TerminalOutputFrame), QStringLiteral("EOL"),
                        {QStringLiteral("NONE"), QStringLiteral("CR"), QStringLiteral("LF"),
                         QStringLiteral("CRLF"), QStringLiteral("\\0d\\0a")},
                        QStringLiteral("EOL"));
    EOL->setToolTip(
        QStringLiteral("Select a line terminator to be sent when Send Again is pressed."));
    CmdSendAgainBtn = named(new QPushButton(QStringLiteral("Send Again"), TerminalOutputFrame),
                            QStringLiteral("CmdSendAgainBtn"));
    const int againWidth = qMax(80, CmdSendAgainBtn->sizeHint().width());
    const int againX = outputRight - againWidth;
    const int eolWidth = qMax(64, EOL->sizeHint().width());
    const int eolX = againX - 6 - eolWidth;
    const int labelX = eolX - 4 - Label2->sizeHint().width();
    put(CmdInputWin, 6, input, labelX - 8 - 6);
    Label2->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    put(Label2, labelX, input, 0, kRowHeight);
    put(EOL, eolX, input, eolWidth);
    put(CmdSendAgainBtn, againX, input, againWidth, kRowHeight);
    Label1 = named(new QLabel(QStringLiteral("(Enter arbitrary bytes in hex as \"\\hh\", example: "
                                             "\"Hello\\0d\\0a\")"),
                              TerminalOutputFrame),
                   QStringLiteral("Label1"));
    put(Label1, 8, input + 25);

    // --- Test Console (below the visible client area until the panels are swapped) ---
    TestConsoleFrame = frame(client, QStringLiteral("TestConsoleFrame"),
                             QStringLiteral("Test Console"), 0, 7680, 9015, 2175);
    // Filled, so that a change of its background colour shows.
    TestConsoleFrame->setAutoFillBackground(true);
    TestDeviceConfig = dropDownList(TestConsoleFrame, QStringLiteral("TestDeviceConfig"), {});
    // Wide enough for the longest configuration name that start-up puts in the list.
    const int configWidth = qMax(150, TestDeviceConfig->fontMetrics().horizontalAdvance(
                                          QStringLiteral("Teamboard-MultiMode")) +
                                          36);
    put(TestDeviceConfig, 8, 16, configWidth);
    TestConfigurationFrame = frame(TestConsoleFrame, QStringLiteral("TestConfigurationFrame"),
                                   QStringLiteral("Modem Configuration"), 120, 720, 2055, 495);
    // The design's 137 x 33 frame cannot hold two option buttons under its caption.
    TestConfigurationFrame->setGeometry(8, 41, configWidth, 56);
    TestIsBase =
        named(new QRadioButton(QStringLiteral("BASE (chrome ant.)"), TestConfigurationFrame),
              QStringLiteral("TestIsBase"));
    TestIsMobile =
        named(new QRadioButton(QStringLiteral("MOBILE (rubber ant.)"), TestConfigurationFrame),
              QStringLiteral("TestIsMobile"));
    put(TestIsBase, 6, 16);
    put(TestIsMobile, 6, 35);

    TestConfigOnly = named(new QCheckBox(QStringLiteral("Cfg only?"), TestConsoleFrame),
                           QStringLiteral("TestConfigOnly"));
    TestTestOnly = named(new QCheckBox(QStringLiteral("Test only?"), TestConsoleFrame),
                         QStringLiteral("TestTestOnly"));
    TestDoIt = named(new QPushButton(QStringLiteral("Do Test"), TestConsoleFrame),
                     QStringLiteral("TestDoIt"));
    const int doX = 8 + configWidth + 8;
    const int doWidth = qMax(80, widest({TestConfigOnly, TestTestOnly}));
    put(TestConfigOnly, doX, 17);
    put(TestTestOnly, doX, 37);
    put(TestDoIt, doX, 62, doWidth, 30);

    const int baudX = doX + doWidth + 8;
    Label5 = named(new QLabel(QStringLiteral("Set Modem Baud To:"), TestConsoleFrame),
                   QStringLiteral("Label5"));
    TestSetBaudTo =
        dropDownList(TestConsoleFrame, QStringLiteral("TestSetBaudTo"),
                     {QStringLiteral("Standard"), QStringLiteral("DontSet"), QStringLiteral("2400"),
                      QStringLiteral("4800"), QStringLiteral("9600"), QStringLiteral("19200")});
    TestSaveTxPwrOnCbox =
        named(new QCheckBox(QStringLiteral("SAVE with Tx Pwr ON"), TestConsoleFrame),
              QStringLiteral("TestSaveTxPwrOnCbox"));
    TestBaudswap = named(new QPushButton(QStringLiteral("baudswap"), TestConsoleFrame),
                         QStringLiteral("TestBaudswap"));
    TestNewBaud = dropDownList(TestConsoleFrame, QStringLiteral("TestNewBaud"), kBaudRates);
    put(Label5, baudX, 16);
    put(TestSetBaudTo, baudX, 33, 84);
    put(TestSaveTxPwrOnCbox, baudX, 56);
    x = put(TestBaudswap, baudX, 76, qMax(70, TestBaudswap->sizeHint().width()), kRowHeight);
    put(TestNewBaud, x + 4, 76, 72);

    const int afterX = baudX + qMax(widest({Label5, TestSaveTxPwrOnCbox}), x + 4 + 72 - baudX) + 8;
    Label4 = named(new QLabel(QStringLiteral("After Test:"), TestConsoleFrame),
                   QStringLiteral("Label4"));
    TestLeaveInCmdModeCbox =
        named(new QCheckBox(QStringLiteral("...Leave RTS ON?"), TestConsoleFrame),
              QStringLiteral("TestLeaveInCmdModeCbox"));
    TestLeaveTxPwrOnCbox =
        named(new QCheckBox(QStringLiteral("...Leave Tx Pwr ON?"), TestConsoleFrame),
              QStringLiteral("TestLeaveTxPwrOnCbox"));
    TestLeaveTxPwrOnCbox->setChecked(true);
    TestSendInputWinAfterTestCbox =
        named(new QCheckBox(QStringLiteral("...Send InputWin as Cmd?"), TestConsoleFrame),
              QStringLiteral("TestSendInputWinAfterTestCbox"));
    put(Label4, afterX, 16);
    put(TestLeaveInCmdModeCbox, afterX, 34);
    put(TestLeaveTxPwrOnCbox, afterX, 54);
    put(TestSendInputWinAfterTestCbox, afterX, 74);

    TestStateWin = named(new QLineEdit(QStringLiteral("TestStateWin"), TestConsoleFrame),
                         QStringLiteral("TestStateWin"));
    TestStateWin->setFont(sansFont(24, false));
    TestStateWin->setReadOnly(true);
    const int stateX = put(TestStateWin, 8, 98, 7695 / kTwipsPerPixel, 675 / kTwipsPerPixel);
    TestProgress = named(new QProgressBar(TestConsoleFrame), QStringLiteral("TestProgress"));
    TestProgress->setOrientation(Qt::Vertical);
    TestProgress->setRange(0, 72);
    TestProgress->setValue(0);
    TestProgress->setTextVisible(false);
    put(TestProgress, stateX + 4, 98, 12, 675 / kTwipsPerPixel);
    TestProgress->hide();
    for (int i = 8; i <= 10; ++i) {
        auto* view = named(new QLineEdit(QStringLiteral("0"), TestConsoleFrame),
                           QStringLiteral("StatsView_%1").arg(i));
        view->setReadOnly(true);
        view->setAlignment(Qt::AlignRight);
        // Three counters stand beside the state line, a third of its height each.
        view->setFrame(false);
        put(view, stateX + 20, 98 + (i - 8) * 15, 615 / kTwipsPerPixel, 14);
        StatsView.insert(i, view);
    }

    // --- Menus ---
    menuFile = named(menuBar()->addMenu(QStringLiteral("&File")), QStringLiteral("menuFile"));
    menuFileOpen =
        entry(menuFile, QStringLiteral("menuFileOpen"), QStringLiteral("&Open Config..."), false);
    menuFileSaveAs = entry(menuFile, QStringLiteral("menuFileSaveAs"),
                           QStringLiteral("&Save Config As..."), false);
    menuExit = entry(menuFile, QStringLiteral("menuExit"), QStringLiteral("&Exit"), true);
    menuLog = named(menuBar()->addMenu(QStringLiteral("&Log")), QStringLiteral("menuLog"));
    menuLogClear = entry(menuLog, QStringLiteral("menuLogClear"), QStringLiteral("Clea&r"), true);
    menuLogCopy =
        entry(menuLog, QStringLiteral("menuLogCopy"), QStringLiteral("&Copy to Clipboard"), true);
    menuFactory =
        named(menuBar()->addMenu(QStringLiteral("&Factory")), QStringLiteral("menuFactory"));
    menuOptionsShowHideShortcuts =
        entry(menuFactory, QStringLiteral("menuOptionsShowHideShortcuts"),
              QStringLiteral("Toggle Terminal &Shortcuts"), true);
    menuOptionsShowHideTestConsole =
        entry(menuFactory, QStringLiteral("menuOptionsShowHideTestConsole"),
              QStringLiteral("Toggle Modem &Configurator"), true);
    // Its handler does nothing, so the entry is shown greyed like the others without an action.
    menuViewChangeLog = entry(menuFactory, QStringLiteral("menuViewChangeLog"),
                              QStringLiteral("View Change &History"), false);
    menuHelp = named(menuBar()->addMenu(QStringLiteral("&Help")), QStringLiteral("menuHelp"));
    menuHelpOnlineHelp = entry(menuHelp, QStringLiteral("menuHelpOnlineHelp"),
                               QStringLiteral("&Online Help"), false);
    menuHelpAbout =
        entry(menuHelp, QStringLiteral("menuHelpAbout"), QStringLiteral("&About..."), true);
}
