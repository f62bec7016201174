// End-to-end runs that stop early or take a turn: the baud-rate precondition, aborts that leave
// the modem as the failed step left it, the station asked with "S?", and the internal errors.
#include "platform/ProgramEnd.h"
#include "support/ChildScenario.h"
#include "support/DataTable.h"
#include "support/RunSuite.h"
#include "support/ScriptChecks.h"
#include "support/SimModem.h"
#include "support/WindowFixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QtTest>

namespace
{

struct Run {
    QString name;
    int flags = 0;
    QByteArray initId;
    QVariant arg;
    QByteArray testId;
};

void start(WindowDoor door, const Run& run)
{
    door.Test_RunScript(run.name, ScriptFlags::fromInt(run.flags), run.initId, run.arg, run.testId);
}

// The child process of the internal-error cases: runs one scenario on "SIM" and reports the box
// and what had gone out by then on stdout.
int runScenario(int argc, char** argv, const QByteArray& scenario)
{
    QApplication app(argc, argv);
    SimModem::reset();
    WindowFixture fx(false);
    auto line = RecordedSimLine::install(fx.win());
    if (!SimModem::openInWindow(fx.win()))
        return 3;
    line->clear();
    fx.recorder().setObserver([&line](const RecordedBox& box) {
        QStringList writes;
        for (const QByteArray& w : line->writes())
            writes << RecordedSimLine::visible(w);
        ChildScenario::print(QStringLiteral("BOX|%1|%2").arg(box.text, box.title));
        ChildScenario::print(QStringLiteral("WRITES|") + writes.join(','));
    });
    if (scenario == "initId")
        start(fx.door(), {"SetConfig", 12, "Bogus", QString(), ""});
    else if (scenario == "testId")
        start(fx.door(), {"SetChannel", 4, "SetChannel", QVariant::fromValue(qint16(4)), "xyz"});
    else if (scenario == "channel")
        start(fx.door(), {"SetChannel", 4, "SetChannel", QVariant::fromValue(qint16(300)), ""});
    ChildScenario::print(QStringLiteral("RETURNED"));
    return 0;
}

} // namespace

Q_DECLARE_METATYPE(Run)

class tst_script_errors : public RunSuite
{
    Q_OBJECT

private slots:
    // Every case runs on the simulated modem, recorded.
    void init()
    {
        RunSuite::init();
        openRecordedSim();
    }

    void baudPrecondition_data();
    void baudPrecondition();
    void abortsLeaveTheModem_data();
    void abortsLeaveTheModem();
    void stationAsked_data();
    void stationAsked();
    void internalErrors_data();
    void internalErrors();
};

void tst_script_errors::baudPrecondition_data()
{
    addColumns<Run, QString, QString>({"run", "portBaud", "required"});

    QTest::newRow("NORMAL at 19200") << Run{"SetConfig", 12, "NORMAL", QString(), ""} << "19200"
                                     << "9600";
    QTest::newRow("PBASIC at 4800") << Run{"SetConfig", 12, "PBASIC", QString(), ""} << "4800"
                                    << "9600";
    QTest::newRow("RM2 at 9600") << Run{"SetConfig", 12, "RM2", QString(), ""} << "9600"
                                 << "19200";
    QTest::newRow("Teamboard-MultiMode at 115200")
        << Run{"SetConfig", 12, "Teamboard-MultiMode", QString(), ""} << "115200"
        << "9600";
    QTest::newRow("no rate needed for a channel")
        << Run{"SetChannel", 4, "SetChannel", QVariant::fromValue(qint16(4)), ""} << "19200"
        << QString();
    QTest::newRow("no rate needed for a query")
        << Run{"QueryConfig", 36, "Noop", 0, ""} << "2400" << QString();
}

void tst_script_errors::baudPrecondition()
{
    QFETCH(Run, run);
    QFETCH(QString, portBaud);
    QFETCH(QString, required);

    theSimulatedModem().setBaudRate(portBaud.toInt());
    door().CommBaud()->setCurrentText(portBaud);
    QVERIFY(door().MSComm1()->PortOpen());
    simLine->clear();
    start(door(), run);

    const QStringList log = fx->logLines();
    if (required.isEmpty()) {
        QVERIFY(fx->boxes().isEmpty());
        QCOMPARE(door().TestStateWin()->text(), run.name + QStringLiteral(" Completed, 0 errors."));
        QVERIFY(!simLine->writes().isEmpty());
        return;
    }
    const QString mustChange =
        QStringLiteral("Before you can set this Config, you must set the modem and the CommPort "
                       "to ") +
        required + QStringLiteral(" bps");
    QCOMPARE(fx->boxes(), (QList<RecordedBox>{{mustChange, "Modem Config - Must Change Baud-Rate",
                                               MsgButtons::Ok}}));
    QCOMPARE(log, (QStringList{run.name + QStringLiteral(" Started."),
                               QStringLiteral("  Aborted: must change baud-rate to ") + required,
                               run.name + QStringLiteral(" Aborted in Start-up"), QString()}));
    QCOMPARE(door().TestStateWin()->text(), run.name + QStringLiteral(" Aborted in Start-up"));
    // Nothing went out, and the modem was not even put into command mode.
    QVERIFY(simLine->writes().isEmpty());
    QVERIFY(!simLine->calls().contains(QStringLiteral("rts 1")));
}

void tst_script_errors::abortsLeaveTheModem_data()
{
    addColumns<Run, QByteArray, QString, int>({"run", "refused", "outcome", "errors"});

    QTest::newRow("silent modem, no dialogs")
        << Run{"SetChannel", 20, "SetChannel", QVariant::fromValue(qint16(4)), ""} << QByteArray()
        << "SetChannel Aborted in Establishing Communication" << 4;
    QTest::newRow("console save refused")
        << Run{"Config", 18, "RM2", QString(), ""} << QByteArray("Df")
        << "Config Aborted in Saving to EEPROM" << 1;
    QTest::newRow("radio prelude refused")
        << Run{"Test", 18, "FAST", QString(), "perf"} << QByteArray("Eq5vn")
        << "Test Aborted in Setting up for Radio Test" << 1;
    QTest::newRow("first channel refused")
        << Run{"Test", 19, "FAST", QString(), "perf"} << QByteArray("C8")
        << "Test Aborted in Remote Loopback Ch# 8" << 1;
}

void tst_script_errors::abortsLeaveTheModem()
{
    QFETCH(Run, run);
    QFETCH(QByteArray, refused);
    QFETCH(QString, outcome);
    QFETCH(int, errors);

    SimulatedModem& modem = theSimulatedModem();
    if (refused.isEmpty())
        modem.setSilent(true);
    else
        modem.setReplyOverride(refused, QByteArrayLiteral("ER\r\n"));
    // Unticked, a completed console run would end in data mode.
    fx->control<QCheckBox>("TestLeaveInCmdModeCbox")->setChecked(false);
    start(door(), run);

    const QStringList log = fx->logLines();
    QCOMPARE(door().TestStateWin()->text(), outcome);
    QCOMPARE(door().ErrCount(), errors);
    QCOMPARE(log.at(log.size() - 2), outcome);
    // The failure is the last thing the script did: no closing phase, no summary.
    int failure = log.size() - 1;
    while (failure > 0 && !log.at(failure).endsWith(QStringLiteral("): FAILURE")))
        --failure;
    QVERIFY(failure > 0);
    QCOMPARE(log.mid(failure + 2), (QStringList{outcome, QString()}));
    QVERIFY(!log.contains(QStringLiteral("Performance Summary:")));
    QVERIFY(simLine->rts());
    QVERIFY(door().CmdRTSCbox()->isChecked());
    QVERIFY(door().TestProgress()->isHidden());
    if (refused.isEmpty())
        QCOMPARE(simLine->writes(), QList<QByteArray>(4, " "));
    else
        QCOMPARE(simLine->writes().mid(simLine->writes().size() - refused.size()),
                 RecordedSimLine::scriptWrites({refused}));
}

void tst_script_errors::stationAsked_data()
{
    addColumns<bool, bool, QByteArray, QByteArray>(
        {"unitMobile", "overridden", "answer", "firstChannel"});

    QTest::newRow("a base unit") << false << false << QByteArray() << QByteArray("C1");
    QTest::newRow("a mobile unit") << true << false << QByteArray() << QByteArray("C8");
    QTest::newRow("no answer") << false << true << QByteArray() << QByteArray("C8");
    QTest::newRow("lower case") << false << true << QByteArray("base") << QByteArray("C8");
    QTest::newRow("with CR LF") << false << true << QByteArray("Base\r\n") << QByteArray("C8");
}

// Which unit the modem says it is decides the channels of the radio test; the first channel
// command is refused so that each case stops there.
void tst_script_errors::stationAsked()
{
    QFETCH(bool, unitMobile);
    QFETCH(bool, overridden);
    QFETCH(QByteArray, answer);
    QFETCH(QByteArray, firstChannel);

    SimulatedModem& modem = theSimulatedModem();
    modem.setStation(unitMobile);
    if (overridden)
        modem.setReplyOverride("S?", answer);
    modem.setReplyOverride("C1", "ER\r\n");
    modem.setReplyOverride("C8", "ER\r\n");
    start(door(), {"SetConfig", 12 | 4, "FAST", QString(), "perf"});

    const QList<QByteArray> writes = simLine->writes();
    QCOMPARE(writes.mid(0, 3), (QList<QByteArray>{" ", "V", "S?"}));
    QCOMPARE(writes.mid(writes.size() - 2), RecordedSimLine::scriptWrites({firstChannel}));
    const QStringList log = fx->logLines();
    // The question is neither logged nor checked.
    QCOMPARE(log.at(log.indexOf(QStringLiteral("Configuring modem")) + 1),
             QStringLiteral("  SENT(CF)"));
    QVERIFY(!log.join('\n').contains(QStringLiteral("S?")));
    QCOMPARE(door().ErrCount(), 1);
    QCOMPARE(door().TestStateWin()->text(),
             QStringLiteral("SetConfig Aborted in Remote Loopback Ch# ") +
                 (firstChannel == "C1" ? QStringLiteral("1") : QStringLiteral("8")));
}

void tst_script_errors::internalErrors_data()
{
    addColumns<QByteArray, QString, QString>({"scenario", "text", "writes"});

    QTest::newRow("unknown initId") << QByteArray("initId")
                                    << "Oops! An Internal Error Occurred: Invalid initId value in "
                                       "Test_Script."
                                    << QString();
    // Configuring and saving have happened when the test is looked up.
    QTest::newRow("unknown testId")
        << QByteArray("testId")
        << "Oops! An Internal Error Occurred: Invalid testId value (xyz) in Test_Script."
        << " ,V,C,4,D,s";
    QTest::newRow("channel without a character")
        << QByteArray("channel")
        << "Oops! An Internal Error Occurred: Invalid channel value (300) in Test_Script."
        << QString();
}

void tst_script_errors::internalErrors()
{
    QFETCH(QByteArray, scenario);
    QFETCH(QString, text);
    QFETCH(QString, writes);

    const ChildScenario::Outcome child = ChildScenario::run(scenario);
    QVERIFY(child.finished);
    QVERIFY(!child.crashed);
    QCOMPARE(child.exitCode, kInternalErrorStatus);
    QCOMPARE(child.output, (QStringList{QStringLiteral("BOX|") + text +
                                            QStringLiteral("|Modem Config - Internal Error"),
                                        QStringLiteral("WRITES|") + writes}));
}

int main(int argc, char** argv)
{
    return ChildScenario::main<tst_script_errors>(argc, argv, runScenario);
}

#include "tst_script_errors.moc"
