// The serial link in the window: opening and closing, control lines, waits, receive path.
#include "support/DataTable.h"
#include "support/RunSuite.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTimer>
#include <QtTest>

namespace
{
const QString kFailTitle = QStringLiteral("Modem Config - Failed to Open CommPort");
const QString kSelectAnother =
    QStringLiteral("\n\nSelect another CommPort and click OPEN COMM PORT");

// Generous bound for waits that should end early: far below the time-outs they are given.
constexpr int kEarlyMs = 5000;
} // namespace

class tst_serial : public RunSuite
{
    Q_OBJECT

    // The message window's lines with text.
    QStringList log() const
    {
        QStringList lines = fx->logLines();
        lines.removeAll(QString());
        return lines;
    }
    void openPort()
    {
        door().CommOpenCbox()->setChecked(true);
        QVERIFY(line->isOpen());
    }
    // Opens with "RTS/Cmd" ticked: the box can only be ticked while the port is open.
    void openInCommandMode()
    {
        openPort();
        door().CmdRTSCbox()->setChecked(true);
        QVERIFY(line->rts());
    }
    bool listsEnabled() const
    {
        return fx->door().CommPort()->isEnabled() && fx->door().CommBaud()->isEnabled() &&
               fx->control<QComboBox>("CommFormat")->isEnabled();
    }

private slots:
    void init()
    {
        RunSuite::init();
        installScripted();
    }

    // --- Opening, re-opening, closing ---
    void openSetsLinesFirst_data();
    void openSetsLinesFirst();
    void settingChangeReopens_data();
    void settingChangeReopens();
    void clearingDropsLinesBeforeClosing();
    void failedOpen_data();
    void failedOpen();
    void failedOpenCanBeRetried();
    void openWithoutDevicesFails();
    void refusedLineFormatWhileOpen();
    void dropDownListsPortsAndKeepsText();
    void typedTextApplies_data();
    void typedTextApplies();
    void typedTextWaitsForTheUser();

    // --- Control lines ---
    void rtsSetOrder_data();
    void rtsSetOrder();
    void cmdBoxWithPortClosed();
    void breakClearedBySwitchingRts_data();
    void breakClearedBySwitchingRts();
    void breakWithPortClosed();
    void rtsToggle_data();
    void rtsToggle();
    void bytesDuringSettleNeverReachWindow_data();
    void bytesDuringSettleNeverReachWindow();

    // --- Waits ---
    void busyDelayRunsNoEvents();
    void waitUntilRxEndsOnCount();
    void nestedWaitsShareTheTimer();
    void deviceLossEndsWaitAtOnce_data();
    void deviceLossEndsWaitAtOnce();
    void deviceLossEndsCommandMode();

    // --- Receive path and statistics ---
    void startupBytesShownFirst_data();
    void startupBytesShownFirst();
    void captureKeepsFirst512();
    void lineEvents_data();
    void lineEvents();
    void statClearLeavesViews();
};

void tst_serial::openSetsLinesFirst_data()
{
    addFlagRows("commandMode", {{"data mode", false}, {"command mode", true}});
}

void tst_serial::openSetsLinesFirst()
{
    QFETCH(bool, commandMode);
    if (commandMode) {
        openInCommandMode();
        door().CommOpenCbox()->setChecked(false);
    }
    line->clearRecord();
    win().session().MsgWin_Clear();

    openPort();
    const QString on = commandMode ? "1" : "0";
    QCOMPARE(line->callsMatching({"rts", "dtr", "open", "close"}),
             QStringList({"rts " + on, "dtr " + on, "open 9600,N,8,1"}));
    QCOMPARE(line->rts(), commandMode);
    QCOMPARE(line->dtr(), commandMode);
    QCOMPARE(line->lastPortName(), QStringLiteral("/dev/ttyS0"));
    QCOMPARE(door().MSComm1()->CommPort(), qint16(1));
    QCOMPARE(door().MSComm1()->SThreshold(), 462);
    QCOMPARE(log(), QStringList({"Open COM1 for 9600,N,8,1"}));
    QVERIFY(fx->boxes().isEmpty());
}

void tst_serial::settingChangeReopens_data()
{
    addColumns<bool, QString, int, QString, QString, QString>(
        {"open", "list", "index", "settings", "device", "logLine"});

    QTest::newRow("baud") << true << "CommBaud" << 4 << "19200,N,8,1"
                          << "/dev/ttyS0"
                          << "Open COM1 for 19200,N,8,1";
    QTest::newRow("format") << true << "CommFormat" << 1 << "9600,E,8,1"
                            << "/dev/ttyS0"
                            << "Open COM1 for 9600,E,8,1";
    QTest::newRow("port") << true << "CommPort" << 2 << "9600,N,8,1"
                          << "/dev/ttyS2"
                          << "Open COM3 for 9600,N,8,1";
    QTest::newRow("baud, closed") << false << "CommBaud" << 4 << ""
                                  << ""
                                  << "";
    QTest::newRow("format, closed") << false << "CommFormat" << 1 << ""
                                    << ""
                                    << "";
    QTest::newRow("port, closed") << false << "CommPort" << 2 << ""
                                  << ""
                                  << "";
}

void tst_serial::settingChangeReopens()
{
    QFETCH(bool, open);
    QFETCH(QString, list);
    QFETCH(int, index);
    QFETCH(QString, settings);
    QFETCH(QString, device);
    QFETCH(QString, logLine);

    if (open)
        openPort();
    line->clearRecord();
    win().session().MsgWin_Clear();

    fx->control<QComboBox>(list)->setCurrentIndex(index);
    if (!open) {
        QCOMPARE(line->calls(), QStringList());
        QCOMPARE(log(), QStringList());
        QVERIFY(!door().MSComm1()->PortOpen());
        return;
    }
    const QStringList calls = line->callsMatching({"open", "close"});
    QCOMPARE(calls, QStringList({"close", "open " + settings}));
    QCOMPARE(line->lastPortName(), device);
    QCOMPARE(log(), QStringList({logLine}));
    QVERIFY(door().MSComm1()->PortOpen());
}

void tst_serial::clearingDropsLinesBeforeClosing()
{
    openInCommandMode();
    line->clearRecord();
    door().CommOpenCbox()->setChecked(false);
    QCOMPARE(line->callsMatching({"rts", "dtr", "close"}),
             QStringList({"rts 0", "dtr 0", "close"}));
    QVERIFY(!door().MSComm1()->PortOpen());
    QVERIFY(listsEnabled());
    QVERIFY(fx->boxes().isEmpty());
}

void tst_serial::failedOpen_data()
{
    addTextRows(
        {"port", "format", "deviceFailure", "line"},
        {{"device refuses", "COM1", "N,8,1", "there is no port /dev/ttyS0",
          "Open COM1 failed: there is no port /dev/ttyS0"},
         {"not a port name", "COMx", "N,8,1", "",
          "Open COMx failed: \"COMx\" is not a port name (COM1, COM2, ... or a device path "
          "such as /dev/ttyUSB0)"},
         {"no port name", "", "N,8,1", "", "Open  failed: no port name was given"},
         {"bad data bits", "COM2", "N,9,1", "",
          "Open COM2 failed: \"9\" is not a number of data bits (5 to 8)"},
         {"not a format", "COM2", "8N1", "",
          "Open COM2 failed: the format \"9600,8N1\" is not baud,parity,data bits,stop bits"}});
}

void tst_serial::failedOpen()
{
    QFETCH(QString, port);
    QFETCH(QString, format);
    QFETCH(QString, deviceFailure);
    QFETCH(QString, line);

    door().CommPort()->setEditText(port);
    fx->control<QComboBox>("CommFormat")->setEditText(format);
    this->line->failNextOpen(deviceFailure);
    win().session().MsgWin_Clear();

    door().CommOpenCbox()->setChecked(true);
    QCOMPARE(log(), QStringList({line}));
    QCOMPARE(fx->boxes().size(), 1);
    QCOMPARE(fx->boxes()[0].text, line + kSelectAnother);
    QCOMPARE(fx->boxes()[0].title, kFailTitle);
    QVERIFY(fx->boxes()[0].buttons == MsgButtons::Ok);
    QVERIFY(!door().CommOpenCbox()->isChecked());
    QVERIFY(!door().MSComm1()->PortOpen());
    QVERIFY(!this->line->isOpen());
    QVERIFY(listsEnabled());
    QVERIFY(!door().MSComm1()->RTSEnable());
}

void tst_serial::failedOpenCanBeRetried()
{
    line->failNextOpen("busy");
    door().CommOpenCbox()->setChecked(true);
    QVERIFY(!line->isOpen());
    door().CommOpenCbox()->setChecked(true);
    QVERIFY(line->isOpen());
    QCOMPARE(fx->boxes().size(), 1);
    QCOMPARE(log().last(), QStringLiteral("Open COM1 for 9600,N,8,1"));
}

// A serial component that was given no way to make devices reports the open as any port that
// would not open, and the window goes on.
void tst_serial::openWithoutDevicesFails()
{
    door().MSComm1()->setDeviceFactory({});
    door().CommPort()->setEditText(QStringLiteral("SIM"));
    win().session().MsgWin_Clear();
    door().CommOpenCbox()->setChecked(true);
    const QString expected = QStringLiteral("Open SIM failed: no such device");
    QCOMPARE(log(), QStringList({expected}));
    QCOMPARE(fx->boxes().size(), 1);
    QCOMPARE(fx->boxes()[0].text, expected + kSelectAnother);
    QCOMPARE(fx->boxes()[0].title, kFailTitle);
    QVERIFY(!door().CommOpenCbox()->isChecked());
    QVERIFY(!door().MSComm1()->PortOpen());
    QVERIFY(listsEnabled());
}

// The component reports a line format it could not set after all like a port that would not
// open, instead of ending the program.
void tst_serial::refusedLineFormatWhileOpen()
{
    openInCommandMode();
    win().session().MsgWin_Clear();
    line->clearRecord();
    line->lineEvent(comEventDCB);
    QTRY_VERIFY(!door().CommOpenCbox()->isChecked());
    const QString expected =
        QStringLiteral("Open COM1 failed: the port refused the line format 9600,N,8,1");
    QCOMPARE(log(), QStringList({expected}));
    QCOMPARE(fx->boxes().size(), 1);
    QCOMPARE(fx->boxes()[0].text, expected + kSelectAnother);
    QVERIFY(!line->isOpen());
    QVERIFY(!line->rts());
}

void tst_serial::dropDownListsPortsAndKeepsText()
{
    openPort();
    line->clearRecord();
    door().CommPort_DropDown();
    QComboBox* ports = door().CommPort();
    QVERIFY(ports->count() >= 5);
    for (int i = 0; i < 4; ++i)
        QCOMPARE(ports->itemText(i), QStringLiteral("COM%1").arg(i + 1));
    QCOMPARE(ports->itemText(ports->count() - 1), QStringLiteral("SIM"));
    QCOMPARE(ports->currentText(), QStringLiteral("COM1"));
    QCOMPARE(line->calls(), QStringList()); // refreshing re-opened nothing

    // A second refresh lists everything once, and a typed text survives it.
    const int count = ports->count();
    ports->setEditText("/dev/pts/77");
    door().CommPort_DropDown();
    QCOMPARE(ports->count(), count);
    QCOMPARE(ports->currentText(), QStringLiteral("/dev/pts/77"));
    QCOMPARE(line->calls(), QStringList());
}

void tst_serial::typedTextApplies_data()
{
    addColumns<bool, QString, QString, bool, QString, QString>(
        {"open", "box", "typed", "enter", "device", "settings"});

    QTest::newRow("path, leaving, open") << true << "CommPort"
                                         << "/dev/ttyUSB0" << false << "/dev/ttyUSB0"
                                         << "9600,N,8,1";
    QTest::newRow("path, Enter, open") << true << "CommPort"
                                       << "/dev/ttyUSB0" << true << "/dev/ttyUSB0"
                                       << "9600,N,8,1";
    QTest::newRow("list entry, leaving, open") << true << "CommPort"
                                               << "COM2" << false << "/dev/ttyS1"
                                               << "9600,N,8,1";
    QTest::newRow("list entry in lower case, Enter, open") << true << "CommPort"
                                                           << "com3" << true << "/dev/ttyS2"
                                                           << "9600,N,8,1";
    QTest::newRow("format, leaving, open") << true << "CommFormat"
                                           << "N,8,2" << false << "/dev/ttyS0"
                                           << "9600,N,8,2";
    QTest::newRow("path, leaving, closed") << false << "CommPort"
                                           << "/dev/ttyUSB0" << false << "/dev/ttyUSB0"
                                           << "9600,N,8,1";
    QTest::newRow("format, Enter, closed") << false << "CommFormat"
                                           << "E,8,1" << true << "/dev/ttyS0"
                                           << "9600,E,8,1";
}

// A name or format typed into its box applies on Enter or on leaving the box, as a pick from
// the list does: an open port re-opens once with it, a closed one stays closed until ticked.
void tst_serial::typedTextApplies()
{
    QFETCH(bool, open);
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(bool, enter);
    QFETCH(QString, device);
    QFETCH(QString, settings);

    showActiveWindow();
    installScripted();
    if (open)
        openPort();
    line->clearRecord();

    auto* combo = win().findChild<QComboBox*>(box);
    QTest::mouseClick(combo->lineEdit(), Qt::LeftButton);
    QTRY_VERIFY(combo->hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(QApplication::focusWidget(), typed);
    QCOMPARE(line->openCount(), open ? 1 : 0);
    if (enter)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    else
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    // Leaving the box after Enter applies nothing more.
    if (enter)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QVERIFY(!combo->hasFocus());

    QCOMPARE(line->openCount(), open ? 2 : 0);
    if (!open)
        openPort();
    QCOMPARE(line->lastPortName(), device);
    QCOMPARE(line->callsMatching({"open"}), QStringList{"open " + settings});
    QCOMPARE(combo->currentText(), typed);
    QVERIFY(fx->boxes().isEmpty());
}

// The window losing the focus (another program, or the window going away) is not the user
// leaving the box: the typed name waits until the user does.
void tst_serial::typedTextWaitsForTheUser()
{
    showActiveWindow();
    installScripted();
    openPort();
    QTest::mouseClick(door().CommPort()->lineEdit(), Qt::LeftButton);
    QTRY_VERIFY(door().CommPort()->hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(QApplication::focusWidget(), "/dev/ttyUSB1");

    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    QCOMPARE(line->openCount(), 1);

    win().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&win()));
    QTRY_VERIFY(door().CommPort()->hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(line->openCount(), 2);
    QCOMPARE(line->lastPortName(), "/dev/ttyUSB1");

    // Typed again and left in the box when the window goes: nothing is applied any more.
    QTest::mouseClick(door().CommPort()->lineEdit(), Qt::LeftButton);
    QTRY_VERIFY(door().CommPort()->hasFocus());
    QTest::keyClicks(QApplication::focusWidget(), "2");
    fx.reset();
    QCOMPARE(line->openCount(), 2);
}

void tst_serial::rtsSetOrder_data()
{
    addColumns<bool, bool, QStringList>({"breakOn", "on", "calls"});
    QTest::newRow("on") << false << true
                        << QStringList({"discardOut", "rts 1", "dtr 1", "discardIn"});
    QTest::newRow("off") << false << false
                         << QStringList({"discardOut", "rts 0", "dtr 0", "discardIn"});
    QTest::newRow("on, in break") << true << true
                                  << QStringList(
                                         {"break 0", "discardOut", "rts 1", "dtr 1", "discardIn"});
}

void tst_serial::rtsSetOrder()
{
    QFETCH(bool, breakOn);
    QFETCH(bool, on);
    QFETCH(QStringList, calls);
    openPort();
    fx->control<QCheckBox>("CmdBreakCbox")->setChecked(breakOn);
    line->clearRecord();

    QElapsedTimer clock;
    clock.start();
    door().RTS_Set(on);
    // The two settle delays run by the clock: together at least 101 ms.
    QVERIFY2(clock.elapsed() >= 101, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(line->calls(), calls);
    QCOMPARE(door().RTS_Get(), on);
    QVERIFY(!fx->control<QCheckBox>("CmdBreakCbox")->isChecked());
}

void tst_serial::cmdBoxWithPortClosed()
{
    door().CmdRTSCbox()->setChecked(true);
    QCOMPARE(fx->boxes().size(), 1);
    QCOMPARE(fx->boxes()[0].text,
             QStringLiteral("Error: Ensure the Comm Port is open before using Cmd Mode!"));
    QCOMPARE(fx->boxes()[0].title, QStringLiteral("Modem Config - CommPort Not Open"));
    QVERIFY(!door().CmdRTSCbox()->isChecked());
    QVERIFY(!door().RTS_Get());
    QVERIFY(!door().MSComm1()->DTREnable());
}

void tst_serial::breakClearedBySwitchingRts_data()
{
    addFlagRows("tickRts", {{"ticking RTS/Cmd", true}, {"clearing RTS/Cmd", false}});
}

void tst_serial::breakClearedBySwitchingRts()
{
    QFETCH(bool, tickRts);
    if (tickRts)
        openPort();
    else
        openInCommandMode();
    fx->control<QCheckBox>("CmdBreakCbox")->setChecked(true);
    QVERIFY(line->breakOn());
    fx->control<QTimer>("CmdReplyTimer")->start(500);
    line->clearRecord();

    door().CmdRTSCbox()->setChecked(tickRts);
    QCOMPARE(line->callsMatching({"break", "rts"}),
             QStringList({"break 0", tickRts ? "rts 1" : "rts 0"}));
    QVERIFY(!line->breakOn());
    QVERIFY(!fx->control<QCheckBox>("CmdBreakCbox")->isChecked());
    QVERIFY(!fx->control<QTimer>("CmdReplyTimer")->isActive());
    QVERIFY(fx->boxes().isEmpty());
}

void tst_serial::breakWithPortClosed()
{
    fx->control<QCheckBox>("CmdBreakCbox")->setChecked(true);
    QCOMPARE(fx->boxes().size(), 1);
    QCOMPARE(fx->boxes()[0].text, QStringLiteral("Error: Ensure the correct Comm Port is open."));
    QCOMPARE(fx->boxes()[0].title, QStringLiteral("Modem Config - CommPort Not Open!"));
    QVERIFY(fx->control<QCheckBox>("CmdBreakCbox")->isChecked());

    openPort();
    QCOMPARE(line->callsMatching({"break"}), QStringList());
    QVERIFY(!line->breakOn());
    QCOMPARE(fx->boxes().size(), 1);

    fx->control<QCheckBox>("CmdBreakCbox")->setChecked(false);
    fx->control<QCheckBox>("CmdBreakCbox")->setChecked(true);
    QCOMPARE(line->callsMatching({"break"}), QStringList({"break 1"}));
    QVERIFY(line->breakOn());
}

void tst_serial::rtsToggle_data()
{
    addColumns<int, int>({"count", "pulses"});
    QTest::newRow("none") << 0 << 0;
    QTest::newRow("negative") << -3 << 0;
    QTest::newRow("two") << 2 << 2;
}

void tst_serial::rtsToggle()
{
    QFETCH(int, count);
    QFETCH(int, pulses);
    openInCommandMode();
    line->clearRecord();

    QElapsedTimer clock;
    clock.start();
    door().RTS_Toggle(qint16(count));
    QStringList expected;
    for (int i = 0; i < pulses; ++i)
        expected << "rts 0"
                 << "dtr 0"
                 << "rts 1"
                 << "dtr 1";
    QCOMPARE(line->callsMatching({"rts", "dtr"}), expected);
    QVERIFY(line->rts());
    QVERIFY(line->dtr());
    // Each half is a 100 ms wait plus the settle delays of switching.
    QVERIFY(clock.elapsed() >= pulses * 2 * 200);
}

void tst_serial::bytesDuringSettleNeverReachWindow_data()
{
    addFlagRows("capturing", {{"showing", false}, {"capturing", true}});
}

void tst_serial::bytesDuringSettleNeverReachWindow()
{
    QFETCH(bool, capturing);
    openPort();
    door().setRxCount(0);
    door().setRxNotCapturing(!capturing);
    win().session().MsgWin_Clear();
    // The modem answers the switch at once, while the window is settling.
    line->setCallHook([l = line.get()](const QString& call) {
        if (call == "rts 1")
            l->feed("NOISE");
    });
    door().RTS_Set(true);
    line->setCallHook({});
    QTest::qWait(20);
    QCOMPARE(door().RxCount(), qint16(0));
    QCOMPARE(log(), QStringList());
    QCOMPARE(line->unread(), QByteArray());

    // What comes after the switch does arrive.
    line->feed("ok");
    if (capturing) {
        QTRY_COMPARE(door().RxCount(), qint16(2));
        QCOMPARE(log(), QStringList());
    } else {
        QTRY_COMPARE(log(), QStringList({"ok"}));
    }
}

void tst_serial::busyDelayRunsNoEvents()
{
    bool ran = false;
    QTimer::singleShot(0, this, [&] { ran = true; });
    QElapsedTimer clock;
    clock.start();
    win().session().DelayMS(30);
    QVERIFY(clock.elapsed() >= 30);
    QVERIFY(!ran);
    win().session().DelayJif(0);
    win().session().DelayJif(-500000);
    win().session().DelayMS(-1);
    QVERIFY(!ran);
    QTRY_VERIFY(ran);
}

void tst_serial::waitUntilRxEndsOnCount()
{
    openPort();
    door().setRxNotCapturing(false);
    door().setRxCount(0);
    line->feedLater(20, "OK");
    line->feedLater(60, "\r\n");

    QElapsedTimer clock;
    clock.start();
    win().session().TimerDelayUntilRx(30000, 4);
    QVERIFY2(clock.elapsed() < kEarlyMs, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(door().RxCount(), qint16(4));
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(door().RxBuf().data()), 4),
             QByteArray("OK\r\n"));
    // The timer stays armed; a following wait arms it afresh and waits its whole interval.
    QVERIFY(fx->control<QTimer>("StartKludgeTimer")->isActive());
    clock.restart();
    win().session().TimerDelay(150);
    QVERIFY(clock.elapsed() >= 150);
    QVERIFY(!fx->control<QTimer>("StartKludgeTimer")->isActive());
}

void tst_serial::nestedWaitsShareTheTimer()
{
    QStringList order;
    QTimer::singleShot(10, this, [&] {
        win().session().TimerDelay(50);
        order << "inner";
    });
    QElapsedTimer clock;
    clock.start();
    win().session().TimerDelay(30000);
    order << "outer";
    QVERIFY2(clock.elapsed() < kEarlyMs, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(order, QStringList({"inner", "outer"}));
}

void tst_serial::deviceLossEndsWaitAtOnce_data()
{
    addColumns<bool, bool>({"untilRx", "nested"});
    QTest::newRow("timer wait") << false << false;
    QTest::newRow("wait for bytes") << true << false;
    QTest::newRow("nested waits") << false << true;
}

void tst_serial::deviceLossEndsWaitAtOnce()
{
    QFETCH(bool, untilRx);
    QFETCH(bool, nested);
    openInCommandMode();
    win().session().MsgWin_Clear();
    line->clearRecord();
    QTimer::singleShot(20, this, [&] {
        if (nested) {
            QTimer::singleShot(20, this, [&] { line->lose("unplugged"); });
            win().session().TimerDelay(30000);
        } else {
            line->lose("unplugged");
        }
    });
    QElapsedTimer clock;
    clock.start();
    if (untilRx) {
        door().setRxNotCapturing(false);
        win().session().TimerDelayUntilRx(30000, 4);
    } else {
        win().session().TimerDelay(30000);
    }
    QVERIFY2(clock.elapsed() < kEarlyMs, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(log(), QStringList({"COM1 lost: unplugged"}));
    QVERIFY(!door().MSComm1()->PortOpen());
    QVERIFY(!door().CommOpenCbox()->isChecked());
    QVERIFY(listsEnabled());
    QVERIFY(!door().RTS_Get());
    QVERIFY(fx->boxes().isEmpty());
    QCOMPARE(line->openCount(), 1);
}

// With the port gone, command mode ends too: a pending automatic command's timer stops, and the
// next open starts in data mode.
void tst_serial::deviceLossEndsCommandMode()
{
    openPort();
    door().SendCommandAutoRTS("?");
    QVERIFY(door().CmdRTSCbox()->isChecked());
    QVERIFY(fx->control<QTimer>("CmdReplyTimer")->isActive());
    QVERIFY(line->lose("unplugged"));
    QTRY_VERIFY(!door().MSComm1()->PortOpen());
    QVERIFY(!door().CmdRTSCbox()->isChecked());
    QVERIFY(!fx->control<QTimer>("CmdReplyTimer")->isActive());
    openPort();
    QVERIFY(!line->rts());
    QVERIFY(!line->dtr());
    QVERIFY(fx->boxes().isEmpty());
}

void tst_serial::startupBytesShownFirst_data()
{
    addColumns<bool, QString>({"afterExchange", "shown"});
    QTest::newRow("after start-up") << false << "UUAB";
    QTest::newRow("after an exchange") << true << "AB";
}

void tst_serial::startupBytesShownFirst()
{
    QFETCH(bool, afterExchange);
    QFETCH(QString, shown);
    QCOMPARE(door().RxCount(), qint16(2));
    openPort();
    win().session().MsgWin_Clear();
    if (afterExchange)
        door().setRxCount(0);
    line->feed("AB");
    QTRY_COMPARE(log(), QStringList({shown}));
    QCOMPARE(door().RxCount(), qint16(0));
    line->feed("C");
    QTRY_COMPARE(log(), QStringList({shown + "C"}));
}

void tst_serial::captureKeepsFirst512()
{
    openPort();
    win().session().MsgWin_Clear();
    door().setRxNotCapturing(false);
    door().setRxCount(0);
    QByteArray sent;
    for (int i = 0; i < 600; ++i)
        sent.append(char('a' + i % 26));
    line->feed(sent.left(500));
    QTRY_COMPARE(door().RxCount(), qint16(500));
    line->feed(sent.mid(500));
    QTRY_VERIFY(line->unread().isEmpty());
    QCOMPARE(door().RxCount(), qint16(512));
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(door().RxBuf().data()), 512), sent.left(512));
    QCOMPARE(log(), QStringList());
}

void tst_serial::lineEvents_data()
{
    addColumns<QList<qint16>, QStringList, int, QString>({"codes", "lines", "counter", "view"});

    QTest::newRow("framing") << QList<qint16>{comEventFrame} << QStringList{"Frame error"} << 10
                             << "1";
    QTest::newRow("framing twice") << QList<qint16>{comEventFrame, comEventFrame}
                                   << QStringList{"Frame error", "Frame error"} << 10 << "2";
    QTest::newRow("overrun") << QList<qint16>{comEventOverrun} << QStringList{"Overrun error"} << 8
                             << "1";
    QTest::newRow("overflow") << QList<qint16>{comEventRxOver} << QStringList{"Rx Overflow error"}
                              << 9 << "1";
    QTest::newRow("break") << QList<qint16>{comEventBreak} << QStringList{"Break"} << -1 << "";
    QTest::newRow("parity goes on") << QList<qint16>{comEventRxParity, comEventFrame}
                                    << QStringList{"Parity error", "Frame error"} << 10 << "1";
    QTest::newRow("ignored") << QList<qint16>{comEvSend, comEvCTS,      comEvDSR,      comEvCD,
                                              comEvRing, comEventCTSTO, comEventDSRTO, comEventCDTO}
                             << QStringList{} << -1 << "";
}

void tst_serial::lineEvents()
{
    QFETCH(QList<qint16>, codes);
    QFETCH(QStringList, lines);
    QFETCH(int, counter);
    QFETCH(QString, view);

    openPort();
    win().session().MsgWin_Clear();
    for (qint16 code : codes)
        line->lineEvent(code);
    line->feed("!"); // a marker after the events
    QTRY_VERIFY(log().contains("UU!"));
    QCOMPARE(log(), lines + QStringList{"UU!"});
    for (int i = 0; i < 11; ++i) {
        const qint32 expected = i == counter ? view.toInt() : 0;
        QCOMPARE(door().Stats()[size_t(i)], expected);
    }
    for (int i = 8; i <= 10; ++i)
        QCOMPARE(door().StatsView().value(i)->text(), i == counter ? view : QStringLiteral("0"));
    QVERIFY(door().MSComm1()->PortOpen());
    QVERIFY(fx->boxes().isEmpty());
}

void tst_serial::statClearLeavesViews()
{
    win().session().Stat_Inc(10, 3);
    win().session().Stat_Inc(4, 7);
    QCOMPARE(door().StatsView().value(10)->text(), QStringLiteral("3"));
    QCOMPARE(door().Stats()[4], 7);
    door().Stat_Clear();
    for (qint32 counter : door().Stats())
        QCOMPARE(counter, 0);
    QCOMPARE(door().StatsView().value(10)->text(), QStringLiteral("3"));
    win().session().Stat_Inc(10, 1);
    QCOMPARE(door().StatsView().value(10)->text(), QStringLiteral("1"));
    QCOMPARE(door().StatsView().value(8)->text(), QStringLiteral("0"));
}

QTEST_MAIN(tst_serial)
#include "tst_serial.moc"
