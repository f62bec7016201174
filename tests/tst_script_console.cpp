// End-to-end "Config" runs of the Test Console against the simulated modem: the preamble, the
// device configurations, the firmware's command set, saving and the closing mode.
#include "support/DataTable.h"
#include "support/RunSuite.h"
#include "support/ScriptChecks.h"
#include "support/SimModem.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

namespace
{

// Console options and the unit's behaviour for one run.
struct Setup {
    bool mobile = false;
    bool testOnly = false;
    bool saveTxOn = false;
    bool leaveRts = false;
    QByteArray firmware = QByteArrayLiteral("1.30");
    // The unit answers this command with overrideReply from the moment the state line shows
    // overrideFrom (at once when empty).
    QByteArray overridden;
    QByteArray overrideReply;
    QString overrideFrom;
    // "Test only?" gets ticked when the state line shows this step.
    QString tickTestOnlyAt;

    Setup& mobileUnit() { return mobile = true, *this; }
    Setup& testOnlyRun() { return testOnly = true, *this; }
    Setup& burnIn() { return saveTxOn = true, *this; }
    Setup& leavingRts() { return leaveRts = true, *this; }
    Setup& withFirmware(const QByteArray& version) { return firmware = version, *this; }
    Setup& answering(const QByteArray& command, const QByteArray& reply, const QString& from = {})
    {
        overridden = command;
        overrideReply = reply;
        overrideFrom = from;
        return *this;
    }
    Setup& tickingTestOnlyAt(const QString& step) { return tickTestOnlyAt = step, *this; }
};

const QString kOk = QStringLiteral("  GOT (OK\r\n) as expected.");

} // namespace

Q_DECLARE_METATYPE(Setup)

class tst_script_console : public RunSuite
{
    Q_OBJECT

private slots:
    // Every case runs on the simulated modem, recorded.
    void init()
    {
        RunSuite::init();
        openRecordedSim();
    }

    void configRuns_data();
    void configRuns();
    void testOnlySetChannel();
    void consoleIgnoresBaudPrecondition();
};

void tst_script_console::configRuns_data()
{
    addColumns<QString, Setup, QList<QByteArray>, QStringList, QStringList, bool, int>(
        {"config", "setup", "commands", "keyLines", "absentLines", "rtsAfter", "errors"});

    using L = QList<QByteArray>;
    const L preamble{" ", "V", "**", "Fe", "Ya"};
    const L oldPreamble{" ", "V", "**", "Fe", "Ra"};
    const QByteArray wNul("W\0", 2);
    const QString dataMode = QStringLiteral("  Setting data-mode.");

    QTest::newRow("RM2-MultiMode base, data mode after")
        << "RM2-MultiMode" << Setup{}
        << preamble + L{"Sb", "CF", "Mr", "PH", "Tf", "An", "Rf", "Fe", "Ds", "Df"}
        << QStringList{"Config Started.",
                       "Establishing Communication",
                       "Modem Firmware Version = [1.30]",
                       "  SENT(**)",
                       kOk,
                       "  SENT(Fe)",
                       kOk,
                       "  SENT(Ya)",
                       kOk,
                       "Configuring modem",
                       "  SENT(Sb)",
                       kOk,
                       "  SENT(Fe)",
                       kOk,
                       "Saving to EEPROM",
                       "  SENT(Ds)",
                       kOk,
                       "  SENT(Df)",
                       kOk,
                       dataMode,
                       "  GOT ()",
                       "Config Completed, 0 errors."}
        << QStringList{"WARNING: SAVING with TX POWER ON for BURN-IN"} << false << 0;
    QTest::newRow("RM2-MultiMode, Leave RTS ON")
        << "RM2-MultiMode" << Setup().leavingRts()
        << preamble + L{"Sb", "CF", "Mr", "PH", "Tf", "An", "Rf", "Fe", "Ds", "Df"}
        << QStringList{"  SENT(Df)", kOk, "Config Completed, 0 errors."} << QStringList{dataMode}
        << true << 0;
    QTest::newRow("FAST mobile, saved for burn-in")
        << "FAST" << Setup().mobileUnit().burnIn()
        << preamble +
               L{"Sm", "CF", "Yl", "Mn", wNul, "PO", "Tn", "An", "Rf", "Fx", "Tn", "Ds", "Df"}
        << QStringList{"  SENT(Sm)",
                       QStringLiteral("  SENT(W") + QChar(0) + QStringLiteral(")"),
                       "  SENT(Fx)",
                       "Saving to EEPROM",
                       "WARNING: SAVING with TX POWER ON for BURN-IN",
                       "  SENT(Tn)",
                       kOk,
                       "  SENT(Ds)",
                       "Config Completed, 0 errors."}
        << QStringList{} << false << 0;
    QTest::newRow("FAST takes a refused Fx")
        << "FAST" << Setup().answering("Fx", "ER\r\n")
        << preamble + L{"Sb", "CF", "Yl", "Mn", wNul, "PO", "Tn", "An", "Rf", "Fx", "Ds", "Df"}
        << QStringList{"  SENT(Fx)", "  GOT (ER\r\n) as expected.", "Config Completed, 0 errors."}
        << QStringList{} << false << 0;
    QTest::newRow("FAST-MultiMode ends with Fe")
        << "FAST-MultiMode" << Setup{}
        << preamble + L{"Sb", "CF", "Yl", "Mn", wNul, "PO", "Tn", "An", "Rf", "Fe", "Ds", "Df"}
        << QStringList{"  SENT(Rf)", kOk, "  SENT(Fe)", kOk, "Config Completed, 0 errors."}
        << QStringList{"  SENT(Fx)"} << false << 0;
    QTest::newRow("FAST-MultiMode refuses a refused Fe")
        << "FAST-MultiMode" << Setup().answering("Fe", "ER\r\n", "Configuring modem")
        << preamble + L{"Sb", "CF", "Yl", "Mn", wNul, "PO", "Tn", "An", "Rf", "Fe"}
        << QStringList{"  SENT(Fe)", "  GOT (ER\r\n): FAILURE", "      (OK\r\n) was expected.",
                       "Config Aborted in Configuring modem"}
        << QStringList{"Saving to EEPROM", dataMode} << true << 1;
    QTest::newRow("PBASIC console list")
        << "PBASIC" << Setup{}
        << preamble + L{"Sb", "CF", "Yl", "Mb", "Wp", "P0", "Tn", "Af", "Rn", "Fx", "Ds", "Df"}
        << QStringList{"  SENT(Wp)", "  SENT(Rn)", "  SENT(Fx)", "Config Completed, 0 errors."}
        << QStringList{} << false << 0;
    QTest::newRow("PBASIC console refuses ER")
        << "PBASIC" << Setup().answering("Af", "ER\r\n")
        << preamble + L{"Sb", "CF", "Yl", "Mb", "Wp", "P0", "Tn", "Af"}
        << QStringList{"  SENT(Af)", "  GOT (ER\r\n): FAILURE",
                       "Config Aborted in Configuring modem"}
        << QStringList{} << true << 1;
    QTest::newRow("Teamboard mobile, firmware 1.22")
        << "Teamboard" << Setup().mobileUnit().withFirmware("1.22")
        << oldPreamble + L{"Sm", "CF", "Rl", "Mc", "W0", "PL", "Tn", "Af", "Fx", "Ds", "Df"}
        << QStringList{"  GOT (FW: 1.22  \r\nOK\r\n)", "Modem Firmware Version = [1.22]",
                       "  SENT(Ra)", "  SENT(Rl)", "Config Completed, 0 errors."}
        << QStringList{"  SENT(Rf)"} << false << 0;
    QTest::newRow("FAST, firmware 1.22")
        << "FAST" << Setup().withFirmware("1.22")
        << oldPreamble + L{"Sb", "CF", "Rl", "Mn", wNul, "PO", "Tn", "An", "Fx", "Ds", "Df"}
        << QStringList{"Modem Firmware Version = [1.22]", "Config Completed, 0 errors."}
        << QStringList{} << false << 0;
    QTest::newRow("FAST, firmware 1.23")
        << "FAST" << Setup().withFirmware("1.23")
        << preamble + L{"Sb", "CF", "Yl", "Mn", wNul, "PO", "Tn", "An", "Rf", "Fx", "Ds", "Df"}
        << QStringList{"Modem Firmware Version = [1.23]", "Config Completed, 0 errors."}
        << QStringList{} << false << 0;
    QTest::newRow("Test only") << "FAST" << Setup().testOnlyRun() << preamble
                               << QStringList{"Modem Firmware Version = [1.30]", "  SENT(Ya)", kOk,
                                              dataMode, "Config Completed, 0 errors."}
                               << QStringList{"Configuring modem", "Saving to EEPROM"} << false
                               << 0;
    QTest::newRow("Test only ticked during the run")
        << "FAST" << Setup().tickingTestOnlyAt("Establishing Communication") << preamble
        << QStringList{"  SENT(Ya)", kOk, "Config Completed, 0 errors."}
        << QStringList{"Configuring modem", "Saving to EEPROM"} << false << 0;
    QTest::newRow("version reply of a bare OK")
        << "FAST" << Setup().testOnlyRun().answering("V", "OK\r\n") << oldPreamble
        << QStringList{"  GOT (OK\r\n)", "Modem Firmware Version = [unknown]", "  SENT(Ra)",
                       "Config Completed, 0 errors."}
        << QStringList{} << false << 0;
    QTest::newRow("no version reply")
        << "FAST" << Setup().testOnlyRun().answering("V", "") << oldPreamble
        << QStringList{"  SENT(V)", "  GOT ()", "Modem Firmware Version = [unknown]",
                       "Config Completed, 0 errors."}
        << QStringList{} << false << 0;
    QTest::newRow("version reply with another header")
        << "FAST" << Setup().testOnlyRun().answering("V", "9.991.30  \r\nOK\r\n") << preamble
        << QStringList{"Modem Firmware Version = [1.30]", "  SENT(Ya)",
                       "Config Completed, 0 errors."}
        << QStringList{} << false << 0;
    QTest::newRow("preamble refused")
        << "FAST" << Setup().answering("**", "ER\r\n") << L{" ", "V", "**"}
        << QStringList{"  SENT(**)", "  GOT (ER\r\n): FAILURE",
                       "Config Aborted in Establishing Communication"}
        << QStringList{"Configuring modem"} << true << 1;
}

void tst_script_console::configRuns()
{
    QFETCH(QString, config);
    QFETCH(Setup, setup);
    QFETCH(QList<QByteArray>, commands);
    QFETCH(QStringList, keyLines);
    QFETCH(QStringList, absentLines);
    QFETCH(bool, rtsAfter);
    QFETCH(int, errors);

    SimulatedModem& modem = theSimulatedModem();
    modem.setFirmwareVersion(setup.firmware);
    const auto override = [&] { modem.setReplyOverride(setup.overridden, setup.overrideReply); };
    if (!setup.overridden.isEmpty() && setup.overrideFrom.isEmpty())
        override();
    connect(door().TestStateWin(), &QLineEdit::textChanged, this, [&](const QString& text) {
        if (!setup.overridden.isEmpty() && text == setup.overrideFrom)
            override();
        if (text == setup.tickTestOnlyAt)
            fx->control<QCheckBox>("TestTestOnly")->setChecked(true);
    });

    door().TestDeviceConfig()->setCurrentText(config);
    (setup.mobile ? door().TestIsMobile() : fx->control<QRadioButton>("TestIsBase"))
        ->setChecked(true);
    fx->control<QCheckBox>("TestConfigOnly")->setChecked(true);
    fx->control<QCheckBox>("TestTestOnly")->setChecked(setup.testOnly);
    fx->control<QCheckBox>("TestSaveTxPwrOnCbox")->setChecked(setup.saveTxOn);
    fx->control<QCheckBox>("TestLeaveInCmdModeCbox")->setChecked(setup.leaveRts);
    door().TestDoIt()->click();

    QCOMPARE(simLine->writes(), RecordedSimLine::scriptWrites(commands));
    const QStringList log = fx->logLines();
    const QString missing = missingInOrder(log, keyLines);
    QVERIFY2(missing.isEmpty(), qPrintable(missing));
    for (const QString& absent : absentLines)
        QVERIFY2(!log.contains(absent), qPrintable(absent));
    QCOMPARE(door().TestStateWin()->text(), keyLines.last());
    QCOMPARE(door().ErrCount(), errors);
    QCOMPARE(simLine->rts(), rtsAfter);
    QCOMPARE(door().CmdRTSCbox()->isChecked(), rtsAfter);
    QCOMPARE(modem.inCommandMode(), rtsAfter);
    QVERIFY(fx->boxes().isEmpty());
}

void tst_script_console::testOnlySetChannel()
{
    fx->control<QCheckBox>("TestTestOnly")->setChecked(true);
    door().Cfg_SetChannel(22);
    QCOMPARE(simLine->writes(), RecordedSimLine::scriptWrites({" ", "V"}));
    const QStringList log = fx->logLines();
    QVERIFY(!log.contains(QStringLiteral("Configuring modem")));
    QVERIFY(!log.contains(QStringLiteral("Saving to EEPROM")));
    QCOMPARE(door().TestStateWin()->text(), QStringLiteral("SetChannel Completed, 0 errors."));
    QCOMPARE(theSimulatedModem().settings().channel, 1);
}

// The factory console runs whatever the port's rate; only the end user is held to it.
void tst_script_console::consoleIgnoresBaudPrecondition()
{
    theSimulatedModem().setBaudRate(19200);
    door().CommBaud()->setCurrentText(QStringLiteral("19200"));
    QVERIFY(door().MSComm1()->PortOpen());
    simLine->clear();
    fx->control<QCheckBox>("TestTestOnly")->setChecked(true);
    fx->control<QCheckBox>("TestLeaveInCmdModeCbox")->setChecked(true);
    door().Test_RunScript(QStringLiteral("Config"), ScriptFlag::Console | ScriptFlag::NoPowerCycle,
                          QByteArrayLiteral("NORMAL"), QString(), QByteArray());
    QCOMPARE(simLine->writes(), RecordedSimLine::scriptWrites({" ", "V", "**", "Fe", "Ya"}));
    QVERIFY(fx->boxes().isEmpty());
    QCOMPARE(door().TestStateWin()->text(), QStringLiteral("Config Completed, 0 errors."));
}

QTEST_MAIN(tst_script_console)
#include "tst_script_console.moc"
