// Whole runs against a simulated modem that misbehaves: silent, garbled, flooding, reporting line
// errors or unplugged mid-run. Every run must end in a clear state and leave the window usable.
#include "support/RunSuite.h"
#include "support/ScriptChecks.h"
#include "support/SimModem.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>
#include <functional>

namespace
{

// One misbehaving run: how it is started, the fault and when it strikes, and how it must end.
struct FaultRun {
    enum Start { Config, Test, Query } start = Config;
    // The state-line text at which the fault strikes, the first time it shows; empty: before the
    // run starts.
    QString at;
    std::function<void(SimulatedModem&)> fault;
    // Answers to the message boxes, in order (OK once they run out).
    QList<MsgAnswer> answers;
    QString outcome;
    int errors = 0;
    bool portOpen = true;
    int boxes = 0;
    // Lines the log must hold, in this order.
    QStringList logHas;
};

QString failure(const QByteArray& got)
{
    return QStringLiteral("  GOT (") + portText(got) + QStringLiteral("): FAILURE");
}

const QString kLost = QStringLiteral("SIM lost: The simulated modem's adapter was unplugged.");

// A run whose unit is unplugged when the state line first shows at: the port ends closed.
FaultRun unplugged(FaultRun::Start start, const QString& at, const QString& outcome, int errors)
{
    FaultRun run;
    run.start = start;
    run.at = at;
    run.fault = [](SimulatedModem& m) { m.vanish(); };
    run.outcome = outcome;
    run.errors = errors;
    run.portOpen = false;
    return run;
}

int count(const QStringList& lines, const QString& line)
{
    return int(lines.count(line));
}

} // namespace

Q_DECLARE_METATYPE(FaultRun)

class tst_faultruns : public RunSuite
{
    Q_OBJECT

private slots:
    void init()
    {
        RunSuite::init();
        openSim();
    }

    void runEndsCleanly_data();
    void runEndsCleanly();
};

void tst_faultruns::runEndsCleanly_data()
{
    QTest::addColumn<FaultRun>("run");

    FaultRun silent;
    silent.fault = [](SimulatedModem& m) { m.setSilent(true); };
    silent.outcome = QStringLiteral("Config Aborted in Establishing Communication");
    silent.errors = 4;
    silent.logHas = QStringList(4, failure("")) << silent.outcome;
    QTest::newRow("silent modem, console run") << silent;

    FaultRun cancelled;
    cancelled.start = FaultRun::Query;
    cancelled.fault = [](SimulatedModem& m) { m.setSilent(true); };
    cancelled.answers = {MsgAnswer::Cancel};
    cancelled.outcome = QStringLiteral("QueryConfig Aborted in Establishing Communication");
    cancelled.boxes = 1;
    cancelled.logHas = {failure(""), cancelled.outcome};
    QTest::newRow("silent modem, power-cycle cancelled") << cancelled;

    FaultRun wrongRate;
    wrongRate.fault = [](SimulatedModem& m) { m.setBaudRate(19200); };
    wrongRate.outcome = QStringLiteral("Config Aborted in Establishing Communication");
    wrongRate.errors = 4;
    wrongRate.logHas = {wrongRate.outcome};
    QTest::newRow("modem at 19200, port at 9600") << wrongRate;

    // Garbage of exactly the reply's length, so that the capture holds all of it.
    const QByteArray garbage = QByteArrayLiteral("\xFF\x00?\x13");
    FaultRun garbageProbe;
    garbageProbe.fault = [garbage](SimulatedModem& m) { m.setReplyOverride(" ", garbage); };
    garbageProbe.outcome = QStringLiteral("Config Aborted in Establishing Communication");
    garbageProbe.errors = 4;
    garbageProbe.logHas = QStringList(4, failure(garbage)) << garbageProbe.outcome;
    QTest::newRow("garbage reply to the probe") << garbageProbe;

    FaultRun garbageReply;
    garbageReply.fault = [garbage](SimulatedModem& m) { m.setReplyOverride("Fx", garbage); };
    garbageReply.outcome = QStringLiteral("Config Aborted in Configuring modem");
    garbageReply.errors = 1;
    garbageReply.logHas = {QStringLiteral("  SENT(Fx)"), failure(garbage), garbageReply.outcome};
    QTest::newRow("garbage reply to a command") << garbageReply;

    FaultRun flood;
    flood.at = QStringLiteral("Configuring modem");
    flood.fault = [](SimulatedModem& m) { m.flood(1500); };
    flood.outcome = QStringLiteral("Config Aborted in Configuring modem");
    flood.errors = 1;
    flood.logHas = {QStringLiteral("Configuring modem"), flood.outcome};
    QTest::newRow("flood during an exchange") << flood;

    FaultRun lineErrors;
    lineErrors.at = QStringLiteral("Configuring modem");
    lineErrors.fault = [](SimulatedModem& m) {
        for (const qint16 code :
             {comEventFrame, comEventOverrun, comEventRxOver, comEventBreak, comEventRxParity})
            m.raiseLineEvent(code);
    };
    lineErrors.outcome = QStringLiteral("Config Completed, 0 errors.");
    lineErrors.logHas = {QStringLiteral("Frame error"),       QStringLiteral("Overrun error"),
                         QStringLiteral("Rx Overflow error"), QStringLiteral("Break"),
                         QStringLiteral("Parity error"),      lineErrors.outcome};
    QTest::newRow("line errors during an exchange") << lineErrors;

    FaultRun lostConfiguring = unplugged(FaultRun::Config, QStringLiteral("Configuring modem"),
                                         QStringLiteral("Config Aborted in Configuring modem"), 1);
    lostConfiguring.logHas = {kLost, failure(""), lostConfiguring.outcome};
    QTest::newRow("unplugged during an exchange") << lostConfiguring;

    FaultRun lostEstablishing =
        unplugged(FaultRun::Query, QStringLiteral("Establishing Communication"),
                  QStringLiteral("QueryConfig Aborted in Establishing Communication"), 4);
    // No power-cycle prompt for a port that is gone; only the configurator's error box.
    lostEstablishing.boxes = 1;
    lostEstablishing.logHas = {kLost, failure(""), lostEstablishing.outcome};
    QTest::newRow("unplugged while establishing, dialogs allowed") << lostEstablishing;

    // The fifth loopback repetition on the first channel: four echoes are back, twenty fail
    // on the lost port, and the next channel's command fails and ends the test.
    FaultRun lostTesting = unplugged(FaultRun::Test, QStringLiteral("5"),
                                     QStringLiteral("Test Aborted in Remote Loopback Ch# 32"), 21);
    lostTesting.logHas = {QStringLiteral("Remote Loopback Ch# 1"), kLost,
                          QStringLiteral("Remote Loopback Ch# 32"), lostTesting.outcome};
    QTest::newRow("unplugged during the radio test") << lostTesting;
}

void tst_faultruns::runEndsCleanly()
{
    QFETCH(FaultRun, run);
    SimulatedModem& modem = theSimulatedModem();
    for (const MsgAnswer answer : run.answers)
        fx->recorder().answer(answer);

    bool struck = false;
    if (run.at.isEmpty()) {
        run.fault(modem);
        struck = true;
    } else {
        connect(door().TestStateWin(), &QLineEdit::textChanged, this, [&](const QString& text) {
            if (!struck && text == run.at) {
                struck = true;
                run.fault(modem);
            }
        });
    }

    fx->control<QCheckBox>("TestConfigOnly")->setChecked(run.start == FaultRun::Config);
    if (run.start == FaultRun::Query) {
        door().CfgQuery()->setChecked(true);
        door().CfgDoIt_Click();
    } else {
        door().TestDoIt_Click();
    }
    disconnect(door().TestStateWin(), nullptr, this, nullptr);

    const QStringList log = fx->logLines();
    QVERIFY2(struck, "the fault never struck");
    QCOMPARE(door().TestStateWin()->text(), run.outcome);
    QCOMPARE(int(door().ErrCount()), run.errors);
    QCOMPARE(door().RunAborted(), run.outcome.contains(QStringLiteral(" Aborted in ")));
    const QString missing = missingInOrder(log, run.logHas);
    QVERIFY2(missing.isEmpty(), qPrintable(missing));
    QCOMPARE(fx->boxes().size(), run.boxes);

    // Every line condition shown is counted, and nothing else is.
    QCOMPARE(door().Stats()[10], count(log, QStringLiteral("Frame error")));
    QCOMPARE(door().Stats()[8], count(log, QStringLiteral("Overrun error")));
    QCOMPARE(door().Stats()[9], count(log, QStringLiteral("Rx Overflow error")));

    // The port is closed where it was lost, and nothing is left locked.
    QCOMPARE(door().MSComm1()->PortOpen(), run.portOpen);
    QCOMPARE(door().CommOpenCbox()->isChecked(), run.portOpen);
    if (!run.portOpen)
        QVERIFY(door().CommPort()->isEnabled() && door().CommBaud()->isEnabled());
    QVERIFY(door().CfgDoIt()->isEnabled());
    QVERIFY(door().TestDoIt()->isEnabled());
    QCOMPARE(door().RunDepth(), 0);

    // With the fault gone the window talks to the modem again, re-opened where it was lost.
    SimModem::reset();
    if (!run.portOpen)
        QVERIFY(SimModem::openInWindow(win()));
    door().CmdRTSCbox()->setChecked(true);
    QCOMPARE(door().Modem_Transact(QByteArrayLiteral(" "), 4, 250), QByteArrayLiteral("ER\r\n"));
}

QTEST_MAIN(tst_faultruns)
#include "tst_faultruns.moc"
