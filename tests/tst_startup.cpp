// The main window as start-up leaves it: inventory, layout, start-up values, and the program's end.
#include "shell/frmAbout.h"
#include "support/ChildScenario.h"
#include "support/DataTable.h"
#include "support/ScriptedDevice.h"
#include "support/UserInput.h"
#include "support/WindowFixture.h"
#include "terminal/MsgLogView.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>
#include <QtTest>

#include <algorithm>

namespace
{
// What a screen reader says a combo box is for: its caption through the "labelled by" relation,
// or else its description.
QString spokenLabel(QAccessibleInterface* iface)
{
    const auto labels = iface->relations(QAccessible::Label);
    if (!labels.isEmpty())
        return labels.first().first->text(QAccessible::Name);
    return iface->text(QAccessible::Description);
}

QString captionOf(QWidget* w)
{
    if (auto* box = qobject_cast<QGroupBox*>(w))
        return box->title();
    if (auto* button = qobject_cast<QAbstractButton*>(w))
        return button->text();
    if (auto* label = qobject_cast<QLabel*>(w))
        return label->text();
    if (auto* edit = qobject_cast<QLineEdit*>(w))
        return edit->text();
    return {};
}

QStringList itemsOf(const QComboBox* combo)
{
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items.append(combo->itemText(i));
    return items;
}

// Runs in the child process: a window whose port is open on a scripted line, then one way of
// ending the program. Boxes and line calls are printed as they happen; "RETURNED" is printed
// only if the program did not end.
int runEndScenario(int argc, char** argv, const QByteArray& scenario)
{
    QApplication app(argc, argv);
    using ChildScenario::print;
    WindowFixture fixture;
    fixture.recorder().setObserver([&](const RecordedBox& box) {
        print(QStringLiteral("BOX|%1|%2|%3")
                  .arg(box.title, box.text,
                       box.buttons == MsgButtons::Ok ? QStringLiteral("Ok")
                                                     : QStringLiteral("OkCancel")));
    });
    auto line = ScriptedLine::create();
    line->installOn(*fixture.door().MSComm1());
    fixture.door().MSComm1()->setPortOpen(true);
    line->setPendingOutput(5);
    line->setCallHook([&](const QString& call) { print(QStringLiteral("CALL|") + call); });
    print(QStringLiteral("READY"));

    if (scenario == "internal-error-empty")
        fixture.door().ReportInternalError(QString());
    else if (scenario == "internal-error")
        fixture.door().ReportInternalError(
            QStringLiteral("CmdRTSCbox=0 but CmdReplyTimer running"));
    else if (scenario == "exit")
        fixture.door().menuExit_Click();
    else if (scenario == "exit-menu")
        fixture.control<QAction>("menuExit")->trigger();
    else if (scenario == "close")
        fixture.win().close();
    print(QStringLiteral("RETURNED"));
    return 3;
}

// Makes the window the active one, so that keys typed go to it; returns whether it became so.
bool activate(MainWin& win)
{
    win.activateWindow();
    return QTest::qWaitForWindowActive(&win);
}

// The panel in view below the settings: with console, the Test Console, swapped in by its menu
// entry; otherwise the Modem Configurator, in view from start-up.
QGroupBox* panelInView(WindowFixture& own, bool console)
{
    if (!console)
        return own.control<QGroupBox>("UsercfgFrame");
    own.control<QAction>("menuOptionsShowHideTestConsole")->trigger();
    return own.door().TestConsoleFrame();
}

} // namespace

class tst_startup : public QObject
{
    Q_OBJECT
private slots:
    // One window as start-up left it serves every test that only looks; tests that change the
    // window make their own.
    void initTestCase() { m_startup = std::make_unique<WindowFixture>(); }
    void cleanupTestCase() { m_startup.reset(); }

    void titleHasTheVersion();
    void controlsPresent_data();
    void controlsPresent();
    void comboBoxes_data();
    void comboBoxes();
    void toolTips_data();
    void toolTips();
    void shortcutButtonsAreSeven();
    void commPortItemData();
    void frameGeometry_data();
    void frameGeometry();
    void clientAreaStartsAtTheDesignedSize();
    void windowGrows_data();
    void windowGrows();
    void controlsFitTheirFrames_data();
    void controlsFitTheirFrames();
    void testConsoleStartsOutOfView();
    void fontsAsDesigned();
    void optionButtonsExclusiveWithinTheirFrame();
    void startupValues();
    void startupSelectionsAreMade();
    void formLevelValues();
    void timersIdle();
    void factoryMenuHidden();
    void waitTimerTickStopsIt();
    void typingAtStartupGoesToTheInputBox();
    void shortcutButtonTakesFocus();
    void spinnerShowsItsFocus();
    void tabOrderFollowsTheFrames_data();
    void tabOrderFollowsTheFrames();
    void accessibleNames_data();
    void accessibleNames();
    void comboBoxesSayLabelAndChoice_data();
    void comboBoxesSayLabelAndChoice();
    void comboBoxesSayTheProgramsChoice_data();
    void comboBoxesSayTheProgramsChoice();
    void tabOrderInsidePanels_data();
    void tabOrderInsidePanels();
    void everyControlAnnouncesItself();
    void programEnds_data();
    void programEnds();

private:
    WindowFixture& fx() { return *m_startup; }
    std::unique_ptr<WindowFixture> m_startup;
};

void tst_startup::titleHasTheVersion()
{
    QCOMPARE(fx().win().windowTitle(),
             QStringLiteral("Tarvex Brannoc(tm) Radio-Modem Configurator V1.05.1"));
}

void tst_startup::controlsPresent_data()
{
    addColumns<QString, QString, QString, QString>({"name", "kind", "container", "caption"});

    struct Row {
        const char* name;
        const char* kind;
        const char* container;
        const char* caption;
    };
    // Captions of text boxes are their design-time texts; start-up overwrites TestStateWin.
    const Row rows[] = {
        {"GeneralFrame", "QGroupBox", "ClientArea", "Comm. Settings"},
        {"UsercfgFrame", "QGroupBox", "ClientArea", "Modem Configurator"},
        {"TestConsoleFrame", "QGroupBox", "ClientArea", "Test Console"},
        {"TerminalFrame", "QGroupBox", "ClientArea", "Terminal Window"},
        {"TerminalOutputFrame", "QGroupBox", "TerminalFrame", "Messages / Received Data"},
        {"TerminalShortcutsFrame", "QGroupBox", "TerminalFrame", "Shortcuts"},
        {"TestConfigurationFrame", "QGroupBox", "TestConsoleFrame", "Modem Configuration"},
        {"CommPort", "QComboBox", "GeneralFrame", ""},
        {"CommOpenCbox", "QCheckBox", "GeneralFrame", "Open Comm Port?"},
        {"CommFormat", "QComboBox", "GeneralFrame", ""},
        {"CommBaud", "QComboBox", "GeneralFrame", ""},
        {"Label3", "QLabel", "GeneralFrame", "Tarvex"},
        {"Label6", "QLabel", "UsercfgFrame", "I want to:"},
        {"CfgRestoreFactory", "QRadioButton", "UsercfgFrame", "Restore Modem to Factory Defaults"},
        {"CfgChangeMode", "QRadioButton", "UsercfgFrame", "Restore the Mode to:"},
        {"CfgNewDeviceConfig", "QComboBox", "UsercfgFrame", ""},
        {"CfgChangeChannel", "QRadioButton", "UsercfgFrame", "Change the Channel to:"},
        {"CfgNewChannel", "QComboBox", "UsercfgFrame", ""},
        {"CfgQuery", "QRadioButton", "UsercfgFrame", "Query my Modem's Current Configuration"},
        {"CfgDoIt", "QPushButton", "UsercfgFrame", "Do It"},
        {"Label7", "QLabel", "UsercfgFrame",
         "Note: Modem will be left in Command Mode after configuration; uncheck RTS/Cmd for data "
         "mode."},
        {"TestDeviceConfig", "QComboBox", "TestConsoleFrame", ""},
        {"TestIsBase", "QRadioButton", "TestConfigurationFrame", "BASE (chrome ant.)"},
        {"TestIsMobile", "QRadioButton", "TestConfigurationFrame", "MOBILE (rubber ant.)"},
        {"TestConfigOnly", "QCheckBox", "TestConsoleFrame", "Cfg only?"},
        {"TestTestOnly", "QCheckBox", "TestConsoleFrame", "Test only?"},
        {"TestDoIt", "QPushButton", "TestConsoleFrame", "Do Test"},
        {"Label5", "QLabel", "TestConsoleFrame", "Set Modem Baud To:"},
        {"TestSetBaudTo", "QComboBox", "TestConsoleFrame", ""},
        {"TestSaveTxPwrOnCbox", "QCheckBox", "TestConsoleFrame", "SAVE with Tx Pwr ON"},
        {"TestBaudswap", "QPushButton", "TestConsoleFrame", "baudswap"},
        {"TestNewBaud", "QComboBox", "TestConsoleFrame", ""},
        {"Label4", "QLabel", "TestConsoleFrame", "After Test:"},
        {"TestLeaveInCmdModeCbox", "QCheckBox", "TestConsoleFrame", "...Leave RTS ON?"},
        {"TestLeaveTxPwrOnCbox", "QCheckBox", "TestConsoleFrame", "...Leave Tx Pwr ON?"},
        {"TestSendInputWinAfterTestCbox", "QCheckBox", "TestConsoleFrame",
         "...Send InputWin as Cmd?"},
        {"TestStateWin", "QLineEdit", "TestConsoleFrame", nullptr},
        // The radio test's progress stands in the right end of the state line's box.
        {"TestProgress", "QProgressBar", "TestStateWin", ""},
        {"StatsView_8", "QLineEdit", "TestConsoleFrame", "0"},
        {"StatsView_9", "QLineEdit", "TestConsoleFrame", "0"},
        {"StatsView_10", "QLineEdit", "TestConsoleFrame", "0"},
        {"RxShowMode", "QComboBox", "TerminalFrame", ""},
        {"MsgWin", "MsgLogView", "TerminalOutputFrame", ""},
        {"CmdRTSCbox", "QCheckBox", "TerminalOutputFrame", "RTS/Cmd"},
        {"CmdBreakCbox", "QCheckBox", "TerminalOutputFrame", "Break"},
        {"CmdSendTypingImmediately", "QCheckBox", "TerminalOutputFrame",
         "Send chars immediately as typed"},
        {"Label2", "QLabel", "TerminalOutputFrame", "Send line terminator:"},
        {"EOL", "QComboBox", "TerminalOutputFrame", ""},
        {"CmdInputWin", "QComboBox", "TerminalOutputFrame", ""},
        {"CmdSendAgainBtn", "QPushButton", "TerminalOutputFrame", "Send Again"},
        {"Label1", "QLabel", "TerminalOutputFrame",
         "(Enter arbitrary bytes in hex as \"\\hh\", example: \"Hello\\0d\\0a\")"},
        {"CmdMacroByIndexBtn_3", "QPushButton", "TerminalShortcutsFrame", "Query"},
        {"CmdMacroByIndexBtn_2", "QPushButton", "TerminalShortcutsFrame", "Set Ch."},
        {"UpDownWin_3", "QLineEdit", "TerminalShortcutsFrame", nullptr},
        {"UpDown_3", "QScrollBar", "TerminalShortcutsFrame", ""},
        {"CmdMacroByIndexBtn_5", "QPushButton", "TerminalShortcutsFrame", "Enb.Ext.Ch"},
        {"CmdMacroByIndexBtn_0", "QPushButton", "TerminalShortcutsFrame", "Tx Pwr On"},
        {"CmdMacroByIndexBtn_1", "QPushButton", "TerminalShortcutsFrame", "Tx Pwr Off"},
        {"CmdMacroByIndexBtn_4", "QPushButton", "TerminalShortcutsFrame", "Config"},
        {"CmdMacroByIndexBtn_7", "QPushButton", "TerminalShortcutsFrame", "Save Current Settings"},
    };
    for (const Row& r : rows)
        QTest::newRow(r.name) << QString::fromLatin1(r.name) << QString::fromLatin1(r.kind)
                              << QString::fromLatin1(r.container)
                              << (r.caption ? QString::fromLatin1(r.caption) : QString());
}

void tst_startup::controlsPresent()
{
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(QString, container);
    QFETCH(QString, caption);
    auto* w = fx().control<QWidget>(name);
    QVERIFY2(w, qPrintable(name));
    QVERIFY2(w->inherits(kind.toLatin1()), w->metaObject()->className());
    QVERIFY(w->parentWidget());
    QCOMPARE(w->parentWidget()->objectName(), container);
    if (!caption.isNull())
        QCOMPARE(captionOf(w), caption);
    // The same control is reachable through the window's member.
    QCOMPARE(fx().win().findChildren<QWidget*>(name).size(), 1);
}

void tst_startup::comboBoxes_data()
{
    addColumns<QString, bool, QStringList, QString>(
        {"name", "editable", "items", "textAfterStartup"});

    const QStringList bauds = {"1200", "2400", "4800", "9600", "19200", "38400", "57600", "115200"};
    QTest::newRow("CommPort") << "CommPort" << true << QStringList{"COM1", "COM2", "COM3", "COM4"}
                              << "COM1";
    QTest::newRow("CommFormat") << "CommFormat" << true << QStringList{"N,8,1", "E,8,1"} << "N,8,1";
    QTest::newRow("CommBaud") << "CommBaud" << false << bauds << "9600";
    QTest::newRow("CfgNewDeviceConfig")
        << "CfgNewDeviceConfig" << false << QStringList{"PBASIC", "Factory Defaults"} << "PBASIC";
    QTest::newRow("CfgNewChannel")
        << "CfgNewChannel" << false << QStringList{"4", "13", "22", "31", "40"} << "4";
    QTest::newRow("TestDeviceConfig")
        << "TestDeviceConfig" << false
        << QStringList{"FAST", "FAST-MultiMode", "PBASIC",    "PBASIC-MultiMode",
                       "RM2",  "RM2-MultiMode",  "Teamboard", "Teamboard-MultiMode"}
        << "FAST";
    QTest::newRow("TestSetBaudTo")
        << "TestSetBaudTo" << false
        << QStringList{"Standard", "DontSet", "2400", "4800", "9600", "19200"} << "Standard";
    QTest::newRow("TestNewBaud") << "TestNewBaud" << false << bauds << "19200";
    QTest::newRow("RxShowMode") << "RxShowMode" << false << QStringList{"chars", "hex"} << "chars";
    QTest::newRow("EOL") << "EOL" << true << QStringList{"NONE", "CR", "LF", "CRLF", "\\0d\\0a"}
                         << "NONE";
    QTest::newRow("CmdInputWin") << "CmdInputWin" << true << QStringList{} << "";
}

void tst_startup::comboBoxes()
{
    QFETCH(QString, name);
    QFETCH(bool, editable);
    QFETCH(QStringList, items);
    QFETCH(QString, textAfterStartup);
    auto* combo = fx().control<QComboBox>(name);
    QVERIFY(combo);
    QCOMPARE(combo->isEditable(), editable);
    if (editable)
        QCOMPARE(combo->insertPolicy(), QComboBox::NoInsert);
    QCOMPARE(itemsOf(combo), items);
    QCOMPARE(combo->currentText(), textAfterStartup);
}

void tst_startup::toolTips_data()
{
    addTextRows(
        {"name", "tip"},
        {{"RxShowMode", "RxShowMode", "Select how Terminal output shall be displayed."},
         {"CmdRTSCbox", "CmdRTSCbox", "Set or clear RTS to enable or disable Modem command mode."},
         {"CmdBreakCbox", "CmdBreakCbox",
          "Send Break condition (NOTE: cleared when RTS is toggled)"},
         {"EOL", "EOL", "Select a line terminator to be sent when Send Again is pressed."},
         {"CmdInputWin", "CmdInputWin",
          "Type here to send commands or data to Modem, or select a "
          "previously typed string to Send Again."},
         {"Query", "CmdMacroByIndexBtn_3", "Send '?' to query current modem settings."},
         {"Set Ch.", "CmdMacroByIndexBtn_2", "Send command to set current channel."},
         {"Enb.Ext.Ch", "CmdMacroByIndexBtn_5", ""},
         {"Tx Pwr On", "CmdMacroByIndexBtn_0", "Send command to turn on Transmitter Power."},
         {"Tx Pwr Off", "CmdMacroByIndexBtn_1", "Send command to turn off Transmitter Power."},
         {"Config", "CmdMacroByIndexBtn_4", "Send command to turn off Transmitter Power."},
         {"Save", "CmdMacroByIndexBtn_7",
          "Send command to save current modem settings in EEPROM."}});
}

void tst_startup::toolTips()
{
    QFETCH(QString, name);
    QFETCH(QString, tip);
    auto* w = fx().control<QWidget>(name);
    QVERIFY(w);
    QCOMPARE(w->toolTip(), tip);
}

void tst_startup::shortcutButtonsAreSeven()
{
    WindowDoor door = fx().door();
    QCOMPARE(door.CmdMacroByIndexBtn().keys(), (QList<int>{0, 1, 2, 3, 4, 5, 7}));
    QVERIFY(!fx().control<QWidget>("CmdMacroByIndexBtn_6"));
    QCOMPARE(fx().control<QGroupBox>("TerminalShortcutsFrame")->findChildren<QPushButton*>().size(),
             7);
    for (auto it = door.CmdMacroByIndexBtn().cbegin(); it != door.CmdMacroByIndexBtn().cend(); ++it)
        QCOMPARE(it.value()->objectName(), QStringLiteral("CmdMacroByIndexBtn_%1").arg(it.key()));
    QCOMPARE(door.StatsView().keys(), (QList<int>{8, 9, 10}));
    QCOMPARE(door.UpDown().keys(), QList<int>{3});
    QCOMPARE(door.UpDownWin().keys(), QList<int>{3});
    QScrollBar* spinner = door.UpDown().value(3);
    QCOMPARE(spinner->orientation(), Qt::Vertical);
    QCOMPARE(spinner->minimum(), 1);
    QCOMPARE(spinner->maximum(), 40);
    QCOMPARE(spinner->singleStep(), 1);
    QCOMPARE(spinner->value(), 1);
}

void tst_startup::commPortItemData()
{
    QComboBox* port = fx().door().CommPort();
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(port->itemText(i), QStringLiteral("COM%1").arg(i + 1));
        QCOMPARE(port->itemData(i).toInt(), i + 1);
    }
}

void tst_startup::frameGeometry_data()
{
    addColumns<QString, QRect>({"name", "geometry"});
    // The design's twips at 15 to the pixel.
    QTest::newRow("GeneralFrame") << "GeneralFrame" << QRect(0, 0, 601, 41);
    QTest::newRow("UsercfgFrame") << "UsercfgFrame" << QRect(0, 40, 601, 145);
    QTest::newRow("TestConsoleFrame") << "TestConsoleFrame" << QRect(0, 512, 601, 145);
    QTest::newRow("TerminalFrame") << "TerminalFrame" << QRect(0, 184, 601, 321);
    QTest::newRow("TerminalOutputFrame") << "TerminalOutputFrame" << QRect(80, 16, 521, 305);
    QTest::newRow("TerminalShortcutsFrame") << "TerminalShortcutsFrame" << QRect(0, 80, 81, 241);
}

void tst_startup::frameGeometry()
{
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    auto* frame = fx().control<QGroupBox>(name);
    QVERIFY(frame);
    QCOMPARE(frame->geometry(), geometry);
}

void tst_startup::clientAreaStartsAtTheDesignedSize()
{
    QWidget* client = fx().win().centralWidget();
    QCOMPARE(client->size(), QSize(600, 510));
    QCOMPARE(client->minimumSize(), QSize(600, 510));
}

void tst_startup::windowGrows_data()
{
    addFlagRows("swapped", {{"Modem Configurator in view", false}, {"Test Console in view", true}});
}

// Enlarged, the message window takes the extra room, the controls after it move along, and the
// panel out of view stays out of view; back at the least size everything is as designed.
void tst_startup::windowGrows()
{
    QFETCH(bool, swapped);
    WindowFixture own;
    MainWin& win = own.win();
    WindowDoor door = own.door();
    QGroupBox* inView = panelInView(own, swapped);
    QWidget* client = win.centralWidget();
    const QSize extra(700, 420);
    const QRect log = door.MsgWin()->geometry();
    const QRect send = own.control<QPushButton>("CmdSendAgainBtn")->geometry();
    const QRect input = door.CmdInputWin()->geometry();
    const QRect state = door.TestStateWin()->geometry();
    const QRect doIt = door.CfgDoIt()->geometry();
    win.resize(win.size() + extra);
    QTRY_COMPARE(client->size(), QSize(600, 510) + extra);
    QCOMPARE(door.MsgWin()->geometry(), log.adjusted(0, 0, extra.width(), extra.height()));
    QCOMPARE(own.control<QPushButton>("CmdSendAgainBtn")->geometry(),
             send.translated(extra.width(), extra.height()));
    QCOMPARE(door.CmdInputWin()->geometry(),
             input.adjusted(0, extra.height(), extra.width(), extra.height()));
    QCOMPARE(door.TestStateWin()->geometry(), state.adjusted(0, 0, extra.width(), 0));
    QCOMPARE(door.CfgDoIt()->geometry(), doIt);
    QCOMPARE(own.control<QGroupBox>("TerminalFrame")->geometry().bottom(), 504 + extra.height());
    QVERIFY(own.control<QGroupBox>("GeneralFrame")
                ->rect()
                .contains(own.control<QLabel>("Label3")->geometry()));
    QVERIFY(own.control<QGroupBox>("GeneralFrame")->rect().contains(door.CommBaud()->geometry()));
    QVERIFY(!door.CommBaud()->geometry().intersects(own.control<QLabel>("Label3")->geometry()));
    // The panel out of view is neither drawn nor reached: the grown window covers its place.
    QGroupBox* outOfView =
        swapped ? own.control<QGroupBox>("UsercfgFrame") : door.TestConsoleFrame();
    QVERIFY(outOfView->geometry().top() >= 510);
    QVERIFY(outOfView->geometry().top() < client->height());
    QVERIFY(!outOfView->isVisible());
    QVERIFY(inView->isVisible());
    for (QWidget* control : outOfView->findChildren<QWidget*>())
        QVERIFY(!control->isVisible());
    QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(outOfView);
    QVERIFY(spoken && spoken->state().invisible);

    win.resize(win.size() - extra);
    QTRY_COMPARE(client->size(), QSize(600, 510));
    QCOMPARE(door.MsgWin()->geometry(), log);
    QCOMPARE(door.CmdInputWin()->geometry(), input);
    QCOMPARE(door.TestStateWin()->geometry(), state);
}

void tst_startup::controlsFitTheirFrames_data()
{
    QTest::addColumn<QString>("frame");
    for (const char* name :
         {"GeneralFrame", "UsercfgFrame", "TestConsoleFrame", "TerminalFrame",
          "TerminalOutputFrame", "TerminalShortcutsFrame", "TestConfigurationFrame"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void tst_startup::controlsFitTheirFrames()
{
    QFETCH(QString, frame);
    auto* box = fx().control<QGroupBox>(frame);
    QVERIFY(box);
    QList<QWidget*> children;
    for (QObject* child : box->children())
        if (auto* w = qobject_cast<QWidget*>(child); w && w->isWindow() == false)
            children.append(w);
    QVERIFY(!children.isEmpty());
    for (QWidget* w : children) {
        const QString name = w->objectName();
        QVERIFY2(box->rect().contains(w->geometry()), qPrintable(name));
        // Frames placed by the design's twips may touch by a pixel; controls never overlap.
        for (QWidget* other : children)
            if (other != w && !(qobject_cast<QGroupBox*>(w) && qobject_cast<QGroupBox*>(other)))
                QVERIFY2(!w->geometry().intersects(other->geometry()),
                         qPrintable(name + QStringLiteral(" overlaps ") + other->objectName()));
        // Captions and list entries are shown whole.
        const auto* label = qobject_cast<QLabel*>(w);
        if (label && label->wordWrap()) {
            QVERIFY2(label->heightForWidth(label->width()) <= label->height(), qPrintable(name));
        } else if (auto* push = qobject_cast<QPushButton*>(w); push && !w->inherits("WrapButton")) {
            const QFontMetrics metrics(push->font());
            QVERIFY2(push->width() >= metrics.horizontalAdvance(push->text()) + 8,
                     qPrintable(name));
            QVERIFY2(push->height() >= metrics.height() + 4, qPrintable(name));
        } else if (qobject_cast<QAbstractButton*>(w) && !w->inherits("WrapButton")) {
            QVERIFY2(w->width() >= w->sizeHint().width(), qPrintable(name));
            // The caption's line is whole, whatever padding the style would add around it.
            QVERIFY2(w->height() >= QFontMetrics(w->font()).height(), qPrintable(name));
        } else if (label || qobject_cast<QComboBox*>(w)) {
            QVERIFY2(w->width() >= w->sizeHint().width(), qPrintable(name));
        } else if (qobject_cast<QLineEdit*>(w)) {
            QVERIFY2(QFontMetrics(w->font()).height() <= w->height(), qPrintable(name));
        }
    }
}

void tst_startup::testConsoleStartsOutOfView()
{
    MainWin& win = fx().win();
    WindowDoor door = fx().door();
    const QRect client = win.centralWidget()->rect();
    QVERIFY(door.TestConsoleFrame()->geometry().top() >= client.bottom());
    for (QWidget* inView : {static_cast<QWidget*>(fx().control<QGroupBox>("GeneralFrame")),
                            static_cast<QWidget*>(fx().control<QGroupBox>("UsercfgFrame")),
                            static_cast<QWidget*>(fx().control<QGroupBox>("TerminalFrame"))}) {
        QVERIFY2(inView->geometry().bottom() <= client.bottom(), qPrintable(inView->objectName()));
        QVERIFY(inView->isVisible());
    }
    // Out of view, so not drawn, yet the console still answers to everything done to it.
    QVERIFY(!door.TestConsoleFrame()->isVisible());
    QVERIFY(door.TestConsoleFrame()->isEnabled());
    door.TestIsMobile()->setChecked(true);
    QVERIFY(door.TestIsMobile()->isChecked() &&
            !fx().control<QRadioButton>("TestIsBase")->isChecked());
    fx().control<QRadioButton>("TestIsBase")->setChecked(true);
}

void tst_startup::fontsAsDesigned()
{
    WindowDoor door = fx().door();
    QCOMPARE(fx().control<QLabel>("Label3")->font().pointSize(), 24);
    QVERIFY(fx().control<QLabel>("Label3")->font().bold());
    QCOMPARE(door.CfgDoIt()->font().pointSize(), 12);
    QVERIFY(door.CfgDoIt()->font().bold());
    QCOMPARE(door.TestStateWin()->font().pointSize(), 24);
    // Logged bytes line up in columns: every character the log shows takes one width, whatever
    // fontconfig says of the family's spacing.
    const QFontMetricsF log(door.MsgWin()->font());
    const QString shown = QStringLiteral(" iMW.0\\lm_|");
    for (const QChar c : shown)
        QCOMPARE(log.horizontalAdvance(c), log.horizontalAdvance(QLatin1Char(' ')));
    QCOMPARE(door.MsgWin()->font().pointSizeF(),
             QFontDatabase::systemFont(QFontDatabase::FixedFont).pointSizeF());
    // The large state line text fits its box.
    const QFontMetrics metrics(door.TestStateWin()->font());
    QVERIFY(metrics.height() <= door.TestStateWin()->height());
}

void tst_startup::optionButtonsExclusiveWithinTheirFrame()
{
    WindowFixture own;
    WindowDoor door = own.door();
    door.TestIsMobile()->setChecked(true);
    QVERIFY(!own.control<QRadioButton>("TestIsBase")->isChecked());
    // The console's station choice is a group of its own: the configurator keeps its option.
    QVERIFY(door.CfgQuery()->isChecked());
    own.control<QRadioButton>("CfgRestoreFactory")->setChecked(true);
    QVERIFY(!door.CfgQuery()->isChecked());
    QVERIFY(door.TestIsMobile()->isChecked());
}

void tst_startup::startupValues()
{
    MainWin& win = fx().win();
    WindowDoor door = fx().door();
    QVERIFY(!door.CommOpenCbox()->isChecked());
    QVERIFY(!door.MSComm1()->PortOpen());
    QVERIFY(door.CommPort()->isEnabled());
    QVERIFY(door.CommBaud()->isEnabled());
    QVERIFY(fx().control<QComboBox>("CommFormat")->isEnabled());
    QVERIFY(fx().control<QCheckBox>("CmdSendTypingImmediately")->isChecked());
    QVERIFY(fx().control<QCheckBox>("TestLeaveTxPwrOnCbox")->isChecked());
    QVERIFY(fx().control<QRadioButton>("TestIsBase")->isChecked());
    QVERIFY(!door.TestProgress()->isVisibleTo(&win));
    QCOMPARE(door.TestProgress()->minimum(), 0);
    QCOMPARE(door.TestProgress()->maximum(), 72);
    QCOMPARE(door.TestStateWin()->text(), QStringLiteral("<= Press to begin Test."));
    QCOMPARE(fx().logLines(), QStringList{QString()});
    QVERIFY(fx().boxes().isEmpty());
}

void tst_startup::startupSelectionsAreMade()
{
    WindowDoor door = fx().door();
    // Selecting the first channel and mode chose their options on the way; the query is last.
    QVERIFY(door.CfgQuery()->isChecked());
    QVERIFY(!fx().control<QRadioButton>("CfgChangeChannel")->isChecked());
    QVERIFY(!fx().control<QRadioButton>("CfgChangeMode")->isChecked());
    QVERIFY(!fx().control<QRadioButton>("CfgRestoreFactory")->isChecked());
    QCOMPARE(door.TestDeviceConfig()->count(), 8);
    QCOMPARE(door.TestDeviceConfig()->currentIndex(), 0);
    QCOMPARE(door.TestDeviceConfig()->currentText(), QStringLiteral("FAST"));
}

void tst_startup::formLevelValues()
{
    WindowDoor door = fx().door();
    QCOMPARE(door.PowerCycleMsg().count(QLatin1Char('\n')), 1);
    QVERIFY(!door.PowerCycleMsg().contains(QLatin1Char('\r')));
    QCOMPARE(door.PowerCycleMsg(),
             QStringLiteral("With the serial cable connected, remove and reapply power to the "
                            "Modem now -- the STATUS LED should come ON.\nOnce power has been "
                            "re-applied, click OK within 10 seconds to continue."));
    QCOMPARE(door.ReplyOK(), QByteArray("OK\r\n"));
    QCOMPARE(door.ReplyER(), QByteArray("ER\r\n"));
    QCOMPARE(door.ReplyOK().size(), 4);
    QCOMPARE(door.ReplyER().size(), 4);
    QVERIFY(door.RxNotCapturing());
    QCOMPARE(door.DelayJifValue(), 314159);
    QCOMPARE(door.LastTypedText(), QString());
    QCOMPARE(door.TestConsoleBackColor(),
             door.TestConsoleFrame()->palette().color(door.TestConsoleFrame()->backgroundRole()));
}

void tst_startup::timersIdle()
{
    for (const char* name : {"StartKludgeTimer", "CmdReplyTimer", "RxIdleTimer", "DelayCalTimer"}) {
        auto* timer = fx().control<QTimer>(QString::fromLatin1(name));
        QVERIFY2(timer, name);
        QVERIFY2(!timer->isActive(), name);
    }
}

void tst_startup::factoryMenuHidden()
{
    QVERIFY(!fx().control<QMenu>("menuFactory")->menuAction()->isVisible());
    QVERIFY(fx().control<QMenu>("menuFile")->menuAction()->isVisible());
    QVERIFY(fx().control<QMenu>("menuLog")->menuAction()->isVisible());
    QVERIFY(fx().control<QMenu>("menuHelp")->menuAction()->isVisible());
}

void tst_startup::waitTimerTickStopsIt()
{
    WindowFixture own;
    QTimer* timer = own.control<QTimer>("StartKludgeTimer");
    timer->setInterval(10);
    timer->start();
    QTRY_VERIFY_WITH_TIMEOUT(!timer->isActive(), 5000);
}

void tst_startup::typingAtStartupGoesToTheInputBox()
{
    WindowFixture own;
    MainWin& win = own.win();
    WindowDoor door = own.door();
    own.control<QCheckBox>("CmdSendTypingImmediately")->setChecked(false);
    QVERIFY(activate(win));
    QCOMPARE(QApplication::focusWidget(), door.CmdInputWin());
    UserInput::type(QStringLiteral("ab"));
    UserInput::key(Qt::Key_Backspace);
    QCOMPARE(door.CmdInputWin()->currentText(), QStringLiteral("a"));
    QCOMPARE(door.CommPort()->currentText(), QStringLiteral("COM1"));
}

void tst_startup::shortcutButtonTakesFocus()
{
    WindowFixture own;
    MainWin& win = own.win();
    WindowDoor door = own.door();
    QVERIFY(activate(win));
    UserInput::click(door.UpDownWin().value(3));
    QTRY_VERIFY(door.UpDownWin().value(3)->hasFocus());
    QPushButton* query = door.CmdMacroByIndexBtn().value(3);
    UserInput::click(query);
    QVERIFY(query->hasFocus());
}

// The channel spinner, reached by Tab from the channel box, shows that it has the focus.
void tst_startup::spinnerShowsItsFocus()
{
    WindowFixture own;
    MainWin& win = own.win();
    WindowDoor door = own.door();
    QVERIFY(activate(win));
    QScrollBar* spinner = door.UpDown().value(3);
    const QImage unfocused = spinner->grab().toImage();
    UserInput::click(door.UpDownWin().value(3));
    UserInput::key(Qt::Key_Tab);
    QTRY_COMPARE(QApplication::focusWidget(), spinner);
    QVERIFY(spinner->grab().toImage() != unfocused);
}

void tst_startup::tabOrderFollowsTheFrames_data()
{
    addColumns<bool, bool>({"swapped", "backwards"});
    QTest::newRow("Modem Configurator in view") << false << false;
    QTest::newRow("Test Console in view") << true << false;
    QTest::newRow("Shift+Tab, Test Console in view") << true << true;
}

// Tab from the start-up focus all the way round: the focus visits the frames in the order they
// are shown, never a control out of view, and comes back where it started.
void tst_startup::tabOrderFollowsTheFrames()
{
    QFETCH(bool, swapped);
    QFETCH(bool, backwards);
    WindowFixture own;
    MainWin& win = own.win();
    WindowDoor door = own.door();
    QVERIFY(activate(win));
    QGroupBox* panel = panelInView(own, swapped);
    const QList<QGroupBox*> frames = {own.control<QGroupBox>("GeneralFrame"), panel,
                                      own.control<QGroupBox>("TerminalFrame")};
    QWidget* const start = QApplication::focusWidget();
    QCOMPARE(start, door.CmdInputWin());
    QStringList visited;
    for (int presses = 0; presses < 100; ++presses) {
        UserInput::key(backwards ? Qt::Key_Backtab : Qt::Key_Tab);
        QWidget* now = QApplication::focusWidget();
        QVERIFY(now);
        if (now == start)
            break;
        QString frame;
        for (QGroupBox* f : frames)
            if (f->isAncestorOf(now))
                frame = f->title();
        QVERIFY2(!frame.isEmpty(), qPrintable(now->objectName() + QStringLiteral(" out of view")));
        if (visited.isEmpty() || visited.last() != frame)
            visited.append(frame);
    }
    QCOMPARE(QApplication::focusWidget(), start);
    QStringList expected = {frames.at(2)->title(), frames.at(0)->title(), frames.at(1)->title(),
                            frames.at(2)->title()};
    if (backwards)
        std::reverse(expected.begin(), expected.end());
    QCOMPARE(visited, expected);
}

void tst_startup::accessibleNames_data()
{
    // Frames inside frames, and controls without a caption of their own.
    addTextRows({"name", "announced"},
                {{"TerminalOutputFrame", "TerminalOutputFrame", "Messages / Received Data"},
                 {"TerminalShortcutsFrame", "TerminalShortcutsFrame", "Shortcuts"},
                 {"TestConfigurationFrame", "TestConfigurationFrame", "Modem Configuration"},
                 {"MsgWin", "MsgWin", "Message window"},
                 {"TestStateWin", "TestStateWin", "Test state"},
                 {"UpDownWin_3", "UpDownWin_3", "Channel"},
                 {"StatsView_8", "StatsView_8", "Overruns"},
                 {"StatsView_9", "StatsView_9", "Receive buffer overflows"},
                 {"StatsView_10", "StatsView_10", "Framing errors"}});
}

void tst_startup::accessibleNames()
{
    QFETCH(QString, name);
    QFETCH(QString, announced);
    auto* w = fx().control<QWidget>(name);
    QVERIFY(w);
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
    QVERIFY(iface);
    QCOMPARE(iface->text(QAccessible::Name), announced);
    // The statistics boxes have no caption on screen; the pointer shows what each one counts.
    if (name.startsWith(QLatin1String("StatsView")))
        QCOMPARE(w->toolTip(), announced);
}

void tst_startup::comboBoxesSayLabelAndChoice_data()
{
    addColumns<QString, QString, bool>({"name", "label", "captioned"});
    struct Row {
        const char* name;
        const char* label;
        bool captioned;
    };
    const Row rows[] = {
        {"CommPort", "Comm port", false},
        {"CommFormat", "Data format", false},
        {"CommBaud", "Baud rate", false},
        {"CfgNewDeviceConfig", "Mode to restore", false},
        {"CfgNewChannel", "Channel to set", false},
        {"RxShowMode", "Display mode", false},
        {"CmdInputWin", "Command input", false},
        {"EOL", "Send line terminator:", true},
        {"TestDeviceConfig", "Device configuration", false},
        {"TestSetBaudTo", "Set Modem Baud To:", true},
        {"TestNewBaud", "baudswap rate", false},
    };
    for (const Row& r : rows)
        QTest::newRow(r.name) << r.name << r.label << r.captioned;
}

// Each list is heard by its label and its choice, the choice as its name (which Qt's bridge
// reads as the value), and the new choice once another entry is picked; never by a frame title.
void tst_startup::comboBoxesSayLabelAndChoice()
{
    QFETCH(QString, name);
    QFETCH(QString, label);
    QFETCH(bool, captioned);
    WindowFixture own;
    MainWin& win = own.win();
    WindowDoor door = own.door();
    auto* combo = own.control<QComboBox>(name);
    QVERIFY(combo);
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(combo);
    QCOMPARE(iface->role(), QAccessible::ComboBox);
    QCOMPARE(iface->text(QAccessible::Name), combo->currentText());
    QCOMPARE(iface->text(QAccessible::Value), combo->currentText());
    QCOMPARE(spokenLabel(iface), label);
    const auto labels = iface->relations(QAccessible::Label);
    QCOMPARE(labels.size(), captioned ? 1 : 0);
    if (captioned)
        QVERIFY(qobject_cast<QLabel*>(labels.first().first->object()));

    if (combo->count() < 2) {
        combo->addItem(QStringLiteral("first"));
        combo->addItem(QStringLiteral("second"));
    }
    if (door.TestConsoleFrame()->isAncestorOf(combo))
        own.control<QAction>("menuOptionsShowHideTestConsole")->trigger();
    win.show();
    QVERIFY(QTest::qWaitForWindowExposed(&win));
    const int row = combo->currentIndex() == 1 ? 0 : 1;
    QVERIFY(UserInput::pick(combo, row));
    QCOMPARE(combo->currentIndex(), row);
    QCOMPARE(iface->text(QAccessible::Name), combo->itemText(row));
    QCOMPARE(spokenLabel(iface), label);
}

void tst_startup::comboBoxesSayTheProgramsChoice_data()
{
    addColumns<QString, QString, QString, bool>({"name", "picked", "chosen", "bySession"});
    struct Row {
        const char* tag;
        const char* name;
        const char* picked;
        const char* chosen;
        bool bySession;
    };
    const Row rows[] = {
        {"CommBaud 19200 to 9600, by the session", "CommBaud", "19200", "9600", true},
        {"TestNewBaud 4800 to 19200, by the session", "TestNewBaud", "4800", "19200", true},
        {"RxShowMode hex to chars, by the window", "RxShowMode", "hex", "chars", false},
    };
    for (const Row& r : rows)
        QTest::newRow(r.tag) << r.name << r.picked << r.chosen << r.bySession;
}

// A choice the program makes in a list after the user's pick is heard as a pick is: the list's
// name and value are the new choice, and the popup list, which screen readers read as the list's
// selection, holds it alone, also where the session's state is mirrored with signals blocked.
void tst_startup::comboBoxesSayTheProgramsChoice()
{
    QFETCH(QString, name);
    QFETCH(QString, picked);
    QFETCH(QString, chosen);
    QFETCH(bool, bySession);
    WindowFixture own;
    MainWin& win = own.win();
    auto* combo = own.control<QComboBox>(name);
    QVERIFY(combo);
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(combo);
    if (own.door().TestConsoleFrame()->isAncestorOf(combo))
        own.control<QAction>("menuOptionsShowHideTestConsole")->trigger();
    win.show();
    QVERIFY(QTest::qWaitForWindowExposed(&win));
    QVERIFY(UserInput::pick(combo, combo->findText(picked)));
    QCOMPARE(combo->currentText(), picked);

    if (!bySession)
        combo->setCurrentIndex(combo->findText(chosen));
    else if (name == QLatin1String("CommBaud"))
        win.session().CommBaud_Set(chosen);
    else
        win.session().TestNewBaud_Set(chosen);

    QCOMPARE(combo->currentText(), chosen);
    QCOMPARE(iface->text(QAccessible::Name), chosen);
    QCOMPARE(iface->text(QAccessible::Value), chosen);
    QAccessibleInterface* popup = iface->child(0);
    QAccessibleTableInterface* table = popup->tableInterface();
    QVERIFY(table);
    const int row = combo->findText(chosen);
    QCOMPARE(table->selectedRows(), QList<int>{row});
    const QList<QAccessibleInterface*> cells = table->selectedCells();
    QCOMPARE(cells.size(), 1);
    QCOMPARE(cells.first()->text(QAccessible::Name), chosen);
    QVERIFY(popup->child(row)->state().selected);
    QVERIFY(!popup->child(combo->findText(picked))->state().selected);
}

// Inside each panel the options come first as one Tab stop, then the lists beside them, then the
// button that acts on them.
void tst_startup::tabOrderInsidePanels_data()
{
    addColumns<bool, QStringList>({"console", "order"});
    QTest::newRow("Modem Configurator")
        << false << QStringList{"CfgQuery", "CfgNewDeviceConfig", "CfgNewChannel", "CfgDoIt"};
    QTest::newRow("Test Console")
        << true << QStringList{"TestIsBase",          "TestDeviceConfig", "TestConfigOnly",
                               "TestTestOnly",        "TestDoIt",         "TestSetBaudTo",
                               "TestSaveTxPwrOnCbox", "TestBaudswap",     "TestNewBaud"};
}

void tst_startup::tabOrderInsidePanels()
{
    QFETCH(bool, console);
    QFETCH(QStringList, order);
    WindowFixture own;
    MainWin& win = own.win();
    WindowDoor door = own.door();
    QVERIFY(activate(win));
    QGroupBox* panel = panelInView(own, console);
    // Round from the input box: the panel's controls in the order Tab reaches them.
    QStringList visited;
    for (int presses = 0; presses < 60 && visited.size() < order.size(); ++presses) {
        UserInput::key(Qt::Key_Tab);
        QWidget* now = QApplication::focusWidget();
        if (panel->isAncestorOf(now))
            visited.append(now->objectName());
    }
    QCOMPARE(visited, order);

    // The arrow keys move between the options and choose; the group stays one Tab stop.
    if (!console) {
        UserInput::key(Qt::Key_Backtab);
        UserInput::key(Qt::Key_Backtab);
        UserInput::key(Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), door.CfgQuery());
        UserInput::key(Qt::Key_Up);
        QCOMPARE(QApplication::focusWidget(), own.control<QRadioButton>("CfgChangeChannel"));
        QVERIFY(own.control<QRadioButton>("CfgChangeChannel")->isChecked());
        UserInput::key(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), own.control<QComboBox>("CfgNewDeviceConfig"));
        UserInput::key(Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), own.control<QRadioButton>("CfgChangeChannel"));
    }
}

// Every frame and control of the window and of the About window announces its own caption, or
// a name of its own that no frame carries; a list its choice, and its label apart, which its
// editable text field announces.
void tst_startup::everyControlAnnouncesItself()
{
    WindowFixture own;
    MainWin& win = own.win();
    auto* about = new frmAbout(&win);
    QStringList frameTitles;
    for (QGroupBox* frame : win.findChildren<QGroupBox*>())
        frameTitles.append(frame->title());
    int checked = 0;
    for (QWidget* w : win.findChildren<QWidget*>()) {
        const QString name = w->objectName();
        // Qt's own inner parts, plain containers and the decorative line have no name to say.
        if (name.isEmpty() || name.startsWith(QLatin1String("qt_")) ||
            w->metaObject() == &QWidget::staticMetaObject ||
            w->metaObject() == &QFrame::staticMetaObject)
            continue;
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
        QVERIFY2(iface, qPrintable(name));
        const QString announced = iface->text(QAccessible::Name);
        // A list is announced by its choice and labelled apart (comboBoxesSayLabelAndChoice).
        if (auto* combo = qobject_cast<QComboBox*>(w)) {
            const QString label = spokenLabel(iface);
            QVERIFY2(!label.isEmpty() && !frameTitles.contains(label), qPrintable(name));
            if (combo->isEditable())
                QCOMPARE(QAccessible::queryAccessibleInterface(combo->lineEdit())
                             ->text(QAccessible::Name),
                         w->accessibleName());
            ++checked;
            continue;
        }
        QVERIFY2(!announced.isEmpty(), qPrintable(name));
        // A window is announced by its title and a label by its text as it stands; everything
        // else by the name set for it.
        QString caption = w->isWindow() ? w->windowTitle() : captionOf(w);
        if (auto* menu = qobject_cast<QMenu*>(w))
            caption = menu->title();
        if (!w->isWindow() && !(qobject_cast<QLabel*>(w) && !caption.isEmpty()))
            QCOMPARE(w->accessibleName(), announced);
        if (!caption.isEmpty() && !qobject_cast<QLineEdit*>(w))
            QCOMPARE(announced, QString(caption).remove(QLatin1Char('&')));
        else
            QVERIFY2(!frameTitles.contains(announced), qPrintable(name));
        ++checked;
    }
    // The window's controls, frames and menus, and the About window's.
    QVERIFY(checked > 70);
    QCOMPARE(about->lblDescription->accessibleName(), QStringLiteral("Description"));
}

void tst_startup::programEnds_data()
{
    // An internal error is no success: the program ends with status 70.
    addColumns<QByteArray, QString, int>({"scenario", "box", "status"});
    const QString internal = QStringLiteral("BOX|Modem Config - Internal Error|");
    QTest::newRow("internal error, empty text")
        << QByteArray("internal-error-empty")
        << internal + QStringLiteral("Oops! An Internal Error Occurred: |Ok") << 70;
    QTest::newRow("internal error")
        << QByteArray("internal-error")
        << internal +
               QStringLiteral("Oops! An Internal Error Occurred: CmdRTSCbox=0 but CmdReplyTimer "
                              "running|Ok")
        << 70;
    QTest::newRow("exit") << QByteArray("exit") << QString() << 0;
    QTest::newRow("exit from the menu") << QByteArray("exit-menu") << QString() << 0;
    QTest::newRow("window closed") << QByteArray("close") << QString() << 0;
}

void tst_startup::programEnds()
{
    QFETCH(QByteArray, scenario);
    QFETCH(QString, box);
    QFETCH(int, status);
    const ChildScenario::Outcome child = ChildScenario::run(scenario);
    QVERIFY(child.finished);
    const QStringList& output = child.output;
    QVERIFY(!child.crashed);
    QCOMPARE(child.exitCode, status);
    const int ready = output.indexOf(QStringLiteral("READY"));
    QVERIFY2(ready >= 0, qPrintable(output.join('\n')));
    QStringList after = output.mid(ready + 1);
    QVERIFY(!after.contains(QStringLiteral("RETURNED")));
    if (!box.isEmpty()) {
        QCOMPARE(after.value(0), box);
        after.removeFirst();
    }
    // The port is released without sending what was still waiting to go.
    QCOMPARE(after, (QStringList{"CALL|discardOut", "CALL|close"}));
}

int main(int argc, char** argv)
{
    return ChildScenario::main<tst_startup>(argc, argv, runEndScenario);
}

#include "tst_startup.moc"
