// The menu bar: entries and their states, the Factory menu's key and layout commands, the log menu.
#include "modemsim/SimulatedModem.h"
#include "support/DataTable.h"
#include "support/SimModem.h"
#include "support/UserInput.h"
#include "support/WindowFixture.h"
#include "terminal/MsgLog.h"
#include "terminal/MsgLogView.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

class tst_menus : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { theSimulatedModem().setToolWindowEnabled(false); }
    void init() { m_fixture = std::make_unique<WindowFixture>(); }
    void cleanup() { m_fixture.reset(); }

    void entries_data();
    void entries();
    void menuBarOrder();
    void reconnectEntryIsOffAtStart();
    void mnemonicsDistinctWithinEachMenu();
    void factoryKeyShowsAndHidesTheMenu_data();
    void factoryKeyShowsAndHidesTheMenu();
    void panelSwapRoundTrip();
    void panelSwapKeepsThePanelsState();
    void shortcutsToggleRoundTrip();
    void copyToClipboardCopiesTheWholeLog();
    void copyAfterAQueryHoldsTheLinesAsShown();
    void clearEmptiesTheLog();
    void entriesWithoutActionChangeNothing();
    void undoClearBringsBackTheLines();

private:
    WindowFixture& fx() { return *m_fixture; }
    std::unique_ptr<WindowFixture> m_fixture;
};

void tst_menus::entries_data()
{
    addColumns<QString, QString, QString, bool>({"name", "menu", "caption", "enabled"});
    QTest::newRow("menuFileOpen") << "menuFileOpen"
                                  << "menuFile"
                                  << "&Open Config..." << false;
    QTest::newRow("menuFileSaveAs") << "menuFileSaveAs"
                                    << "menuFile"
                                    << "&Save Config As..." << false;
    QTest::newRow("menuFileKeepRecords") << "menuFileKeepRecords"
                                         << "menuFile"
                                         << "Keep &Records..." << true;
    QTest::newRow("menuFileReconnect") << "menuFileReconnect"
                                       << "menuFile"
                                       << "Reconnect &Automatically" << true;
    QTest::newRow("menuExit") << "menuExit"
                              << "menuFile"
                              << "&Exit" << true;
    QTest::newRow("menuLogClear") << "menuLogClear"
                                  << "menuLog"
                                  << "Clea&r" << true;
    // Nothing cleared yet, so nothing to bring back.
    QTest::newRow("menuLogUndoClear") << "menuLogUndoClear"
                                      << "menuLog"
                                      << "&Undo Clear" << false;
    QTest::newRow("menuLogCopy") << "menuLogCopy"
                                 << "menuLog"
                                 << "&Copy to Clipboard" << true;
    QTest::newRow("menuLogSave") << "menuLogSave"
                                 << "menuLog"
                                 << "&Save to File..." << true;
    // Nothing is kept before a run has cleared the window.
    QTest::newRow("menuLogSavePrevious") << "menuLogSavePrevious"
                                         << "menuLog"
                                         << "Save &Previous Run..." << false;
    QTest::newRow("menuLogShowTimes") << "menuLogShowTimes"
                                      << "menuLog"
                                      << "Show &Times" << true;
    QTest::newRow("menuOptionsShowHideShortcuts") << "menuOptionsShowHideShortcuts"
                                                  << "menuFactory"
                                                  << "Toggle Terminal &Shortcuts" << true;
    QTest::newRow("menuOptionsShowHideTestConsole") << "menuOptionsShowHideTestConsole"
                                                    << "menuFactory"
                                                    << "Toggle Modem &Configurator" << true;
    QTest::newRow("menuViewChangeLog") << "menuViewChangeLog"
                                       << "menuFactory"
                                       << "View Change &History" << false;
    QTest::newRow("menuFactoryResults") << "menuFactoryResults"
                                        << "menuFactory"
                                        << "&Results..." << true;
    QTest::newRow("menuHelpOnlineHelp") << "menuHelpOnlineHelp"
                                        << "menuHelp" << QString() << false;
    QTest::newRow("menuHelpAbout") << "menuHelpAbout"
                                   << "menuHelp"
                                   << "&About..." << true;
}

void tst_menus::entries()
{
    QFETCH(QString, name);
    QFETCH(QString, menu);
    QFETCH(QString, caption);
    QFETCH(bool, enabled);
    auto* action = fx().control<QAction>(name);
    QVERIFY(action);
    auto* owner = fx().control<QMenu>(menu);
    QVERIFY(owner);
    QVERIFY(owner->actions().contains(action));
    if (!caption.isNull())
        QCOMPARE(action->text(), caption);
    QCOMPARE(action->isEnabled(), enabled);
    QVERIFY(action->isVisible());
}

void tst_menus::reconnectEntryIsOffAtStart()
{
    QAction* reconnect = fx().control<QAction>("menuFileReconnect");
    QVERIFY(reconnect->isCheckable());
    QVERIFY(!reconnect->isChecked());
    // Among the entries between the separators that follow the config entries and precede Exit.
    const QList<QAction*> file = fx().control<QMenu>("menuFile")->actions();
    const qsizetype at = file.indexOf(reconnect);
    QVERIFY(file.indexOf(fx().control<QAction>("menuFileSaveAs")) < at - 1);
    QVERIFY(at + 1 < file.indexOf(fx().control<QAction>("menuExit")));
    QVERIFY(file.at(file.indexOf(fx().control<QAction>("menuFileSaveAs")) + 1)->isSeparator());
    QVERIFY(file.at(file.indexOf(fx().control<QAction>("menuExit")) - 1)->isSeparator());
    // The File menu's entries in the order the user reads them.
    QStringList order;
    for (QAction* action : file)
        order.append(action->isSeparator() ? QStringLiteral("-") : action->text());
    QCOMPARE(order, (QStringList{"&Open Config...", "&Save Config As...", "-", "Keep &Records...",
                                 "Reconnect &Automatically", "Sto&p Run", "-", "&Exit"}));
}

void tst_menus::menuBarOrder()
{
    QStringList captions;
    for (QAction* top : fx().win().menuBar()->actions())
        captions.append(top->text());
    QCOMPARE(captions, (QStringList{"&File", "&Log", "&Factory", "&Help"}));
}

void tst_menus::mnemonicsDistinctWithinEachMenu()
{
    for (QMenu* menu : {fx().control<QMenu>("menuFile"), fx().control<QMenu>("menuLog"),
                        fx().control<QMenu>("menuFactory"), fx().control<QMenu>("menuHelp")}) {
        QList<QKeySequence> keys;
        for (QAction* action : menu->actions()) {
            if (action->isSeparator())
                continue;
            const QKeySequence key = QKeySequence::mnemonic(action->text());
            QVERIFY2(!key.isEmpty(), qPrintable(action->text()));
            QVERIFY2(!keys.contains(key), qPrintable(action->text()));
            keys.append(key);
        }
    }
}

void tst_menus::factoryKeyShowsAndHidesTheMenu_data()
{
    QTest::addColumn<QString>("focus");
    QTest::newRow("typing in the input line") << "CmdInputWin";
    QTest::newRow("in the channel box") << "UpDownWin_3";
    QTest::newRow("in the message window") << "MsgWin";
}

void tst_menus::factoryKeyShowsAndHidesTheMenu()
{
    QFETCH(QString, focus);
    MainWin& win = fx().win();
    WindowDoor door = fx().door();
    fx().control<QCheckBox>("CmdSendTypingImmediately")->setChecked(false);
    win.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&win));
    auto* target = fx().control<QWidget>(focus);
    QVERIFY(target);
    UserInput::click(target);
    QTRY_COMPARE(QApplication::focusWidget(), target);
    QAction* factory = fx().control<QMenu>("menuFactory")->menuAction();
    QVERIFY(!factory->isVisible());

    UserInput::key(Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(factory->isVisible());
    // Its entries work: the swap brings the Test Console to the top position.
    fx().control<QAction>("menuOptionsShowHideTestConsole")->trigger();
    QCOMPARE(door.TestConsoleFrame()->pos(), QPoint(0, 40));
    QCOMPARE(fx().control<QGroupBox>("UsercfgFrame")->pos(), QPoint(0, 512));
    QVERIFY(door.TestDoIt()->isVisible());

    UserInput::key(Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(!factory->isVisible());
    // The key only shows and hides the menu; the panels stay as the entry left them.
    QCOMPARE(door.TestConsoleFrame()->pos(), QPoint(0, 40));
    // The key is not taken as typing.
    QVERIFY(!door.CmdInputWin()->currentText().contains(QLatin1Char('F'), Qt::CaseInsensitive));
    QVERIFY(!door.UpDownWin().value(3)->text().contains(QLatin1Char('F'), Qt::CaseInsensitive));
}

void tst_menus::panelSwapRoundTrip()
{
    MainWin& win = fx().win();
    WindowDoor door = fx().door();
    const QRect console = door.TestConsoleFrame()->geometry();
    const QRect usercfg = fx().control<QGroupBox>("UsercfgFrame")->geometry();
    door.menuOptionsShowHideTestConsole_Click();
    QCOMPARE(door.TestConsoleFrame()->geometry(), QRect(usercfg.topLeft(), console.size()));
    QCOMPARE(fx().control<QGroupBox>("UsercfgFrame")->geometry(),
             QRect(console.topLeft(), usercfg.size()));
    QVERIFY(fx().control<QGroupBox>("UsercfgFrame")->geometry().top() >=
            win.centralWidget()->height());
    door.menuOptionsShowHideTestConsole_Click();
    QCOMPARE(door.TestConsoleFrame()->geometry(), console);
    QCOMPARE(fx().control<QGroupBox>("UsercfgFrame")->geometry(), usercfg);
}

void tst_menus::panelSwapKeepsThePanelsState()
{
    WindowDoor door = fx().door();
    door.TestIsMobile()->setChecked(true);
    door.TestDeviceConfig()->setCurrentIndex(5);
    door.menuOptionsShowHideTestConsole_Click();
    QVERIFY(door.TestIsMobile()->isChecked());
    QCOMPARE(door.TestDeviceConfig()->currentText(), QStringLiteral("RM2-MultiMode"));
    QCOMPARE(fx().control<QGroupBox>("UsercfgFrame")->title(),
             QStringLiteral("Modem Configurator"));
    // The panel out of view still takes the changes made to it.
    fx().control<QRadioButton>("CfgRestoreFactory")->setChecked(true);
    QVERIFY(!door.CfgQuery()->isChecked());
    door.menuOptionsShowHideTestConsole_Click();
    QVERIFY(fx().control<QRadioButton>("CfgRestoreFactory")->isChecked());
    QVERIFY(door.TestIsMobile()->isChecked());
}

void tst_menus::shortcutsToggleRoundTrip()
{
    WindowDoor door = fx().door();
    QPushButton* query = door.CmdMacroByIndexBtn().value(3);
    QVERIFY(query->isVisible());
    fx().control<QAction>("menuOptionsShowHideShortcuts")->trigger();
    QVERIFY(fx().control<QGroupBox>("TerminalShortcutsFrame")->isHidden());
    QVERIFY(!query->isVisible());
    fx().control<QAction>("menuOptionsShowHideShortcuts")->trigger();
    QVERIFY(!fx().control<QGroupBox>("TerminalShortcutsFrame")->isHidden());
    QVERIFY(query->isVisible());
}

void tst_menus::copyToClipboardCopiesTheWholeLog()
{
    MainWin& win = fx().win();
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText(QStringLiteral("before"));
    win.session().MsgWin_Output(QStringLiteral("Open COM1 for 9600,N,8,1"));
    win.session().MsgWin_Output(QString());
    win.session().MsgWin_Output(QStringLiteral("Sent: ?"));
    win.session().MsgWin_Output(QStringLiteral("  GOT (OK\r\n) ") + portText("Gr\xfc\xdf") +
                                QStringLiteral("e αβ Grüße"));
    win.session().MsgWin_OutputCooked(QByteArrayLiteral("\xe9t\xe9"));
    const QStringList lines = fx().logLines();
    QVERIFY(lines.size() >= 3);
    fx().control<QAction>("menuLogCopy")->trigger();
    // Lines as the window draws them: control characters and the line's bytes 128..255 in the
    // "\hh" notation, the program's own text as it is.
    QStringList drawn;
    for (const QString& line : lines)
        drawn << displayedLine(line);
    QCOMPARE(clipboard->text(), drawn.join(QLatin1Char('\n')));
    QVERIFY(clipboard->text().contains(QStringLiteral("Open COM1 for 9600,N,8,1\n\nSent: ?")));
    QVERIFY(clipboard->text().endsWith(
        QStringLiteral("  GOT (OK\\0D\\0A) Gr\\FC\\DFe αβ Grüße\n\\E9t\\E9")));
    // Copying leaves the log as it was.
    QCOMPARE(fx().logLines(), lines);
}

void tst_menus::clearEmptiesTheLog()
{
    MainWin& win = fx().win();
    win.session().MsgWin_Output(QStringLiteral("one"));
    win.session().MsgWin_Output(QStringLiteral("two"));
    fx().control<QAction>("menuLogClear")->trigger();
    QCOMPARE(fx().logLines(), QStringList{QString()});
}

void tst_menus::entriesWithoutActionChangeNothing()
{
    MainWin& win = fx().win();
    WindowDoor door = fx().door();
    win.session().MsgWin_Output(QStringLiteral("kept"));
    const QStringList lines = fx().logLines();
    const QPoint console = door.TestConsoleFrame()->pos();
    const QString title = win.windowTitle();
    door.menuViewChangeLog_Click();
    QCOMPARE(fx().logLines(), lines);
    QCOMPARE(door.TestConsoleFrame()->pos(), console);
    QCOMPARE(win.windowTitle(), title);
    QVERIFY(fx().boxes().isEmpty());
    QVERIFY(!fx().control<QMenu>("menuFactory")->menuAction()->isVisible());
    // The entries without an action are greyed: the user cannot choose them at all.
    for (QAction* inert :
         {fx().control<QAction>("menuFileOpen"), fx().control<QAction>("menuFileSaveAs"),
          fx().control<QAction>("menuViewChangeLog"), fx().control<QAction>("menuHelpOnlineHelp")})
        QVERIFY2(!inert->isEnabled(), qPrintable(inert->objectName()));
}

// After a run on the simulated modem, whose replies end in CR LF, the clipboard holds the lines
// as the window shows them: no line is split or cut short by a control character.
void tst_menus::copyAfterAQueryHoldsTheLinesAsShown()
{
    MainWin& win = fx().win();
    WindowDoor door = fx().door();
    SimModem::reset();
    QVERIFY(SimModem::openInWindow(win));
    door.CfgDoIt()->click();
    QCOMPARE(door.TestStateWin()->text(), QStringLiteral("QueryConfig Completed, 0 errors."));
    const QStringList stored = fx().logLines();
    QVERIFY(stored.join(QString()).contains(QLatin1Char('\r')));
    QGuiApplication::clipboard()->clear();
    fx().control<QAction>("menuLogCopy")->trigger();
    const QStringList copied = QGuiApplication::clipboard()->text().split(QLatin1Char('\n'));
    QCOMPARE(copied.size(), stored.size());
    for (qsizetype i = 0; i < copied.size(); ++i) {
        QCOMPARE(copied.at(i), displayedLine(stored.at(i)));
        for (const QChar control : {QChar(u'\r'), QChar(u'\0')})
            QVERIFY2(!copied.at(i).contains(control), qPrintable(copied.at(i)));
    }
    QVERIFY(copied.contains(QStringLiteral("  GOT (ER\\0D\\0A) as expected.")));
}

// A double click wipes the log; Log > Undo Clear, chosen with the keyboard, brings the lines back
// ahead of what arrived since, once. The entry sits right after "Clear".
void tst_menus::undoClearBringsBackTheLines()
{
    MainWin& win = fx().win();
    WindowDoor door = fx().door();
    const QList<QAction*> entries = fx().control<QMenu>("menuLog")->actions();
    QCOMPARE(entries.indexOf(fx().control<QAction>("menuLogUndoClear")),
             entries.indexOf(fx().control<QAction>("menuLogClear")) + 1);
    QVERIFY(fx().control<QAction>("menuLogUndoClear")->shortcut().isEmpty());
    win.session().MsgWin_Output(QStringLiteral("one"));
    win.session().MsgWin_Output(QStringLiteral("two"));
    win.session().MsgWin_OutputCooked("par");
    const QStringList before = fx().logLines();
    win.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&win));
    UserInput::doubleClick(door.MsgWin()->viewport());
    QCOMPARE(fx().logLines(), QStringList{QString()});
    QVERIFY(fx().control<QAction>("menuLogUndoClear")->isEnabled());
    // A second double click on the empty window keeps what the first one removed.
    UserInput::doubleClick(door.MsgWin()->viewport());
    win.session().MsgWin_Output(QStringLiteral("since"));

    UserInput::key(Qt::Key_L, Qt::AltModifier);
    QTRY_VERIFY(fx().control<QMenu>("menuLog")->isVisible());
    UserInput::key(Qt::Key_U);
    QTRY_VERIFY(!fx().control<QMenu>("menuLog")->isVisible());
    QCOMPARE(fx().logLines(), before.mid(0, 3) + QStringList({"since", ""}));
    QVERIFY(!fx().control<QAction>("menuLogUndoClear")->isEnabled());

    // Clear replaces what was kept.
    fx().control<QAction>("menuLogClear")->trigger();
    win.session().MsgWin_Output(QStringLiteral("later"));
    fx().control<QAction>("menuLogClear")->trigger();
    fx().control<QAction>("menuLogUndoClear")->trigger();
    QCOMPARE(fx().logLines(), (QStringList{"later", ""}));

    // A run's start ends what a clear kept: that log is "Save Previous Run"'s; the entry is
    // greyed throughout the run.
    SimModem::reset();
    QVERIFY(SimModem::openInWindow(win));
    fx().control<QAction>("menuLogClear")->trigger();
    QVERIFY(fx().control<QAction>("menuLogUndoClear")->isEnabled());
    bool offeredDuringRun = false;
    connect(door.TestStateWin(), &QLineEdit::textChanged, this,
            [&] { offeredDuringRun |= fx().control<QAction>("menuLogUndoClear")->isEnabled(); });
    door.CfgQuery()->setChecked(true);
    UserInput::click(door.CfgDoIt());
    QCOMPARE(door.TestStateWin()->text(), QStringLiteral("QueryConfig Completed, 0 errors."));
    QVERIFY(!offeredDuringRun);
    QVERIFY(!fx().control<QAction>("menuLogUndoClear")->isEnabled());
    QVERIFY(fx().control<QAction>("menuLogSavePrevious")->isEnabled());
}

QTEST_MAIN(tst_menus)
#include "tst_menus.moc"
