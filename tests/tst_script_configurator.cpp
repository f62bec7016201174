// End-to-end runs of the Modem Configurator's actions against the simulated modem: the commands
// at the device in order, the key log lines and the outcome.
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

enum class Action { Query, Channel, Mode, Restore };

const QString kOverwrite = QStringLiteral("Modem Config - Over-write user-settings?");
const QString kPowerCycle =
    QStringLiteral("Modem Config - Power-cycle Modem While Connected to CommPort");
const QString kErrorBox = QStringLiteral("Modem Config - Error Configuring Modem");

} // namespace

Q_DECLARE_METATYPE(Action)

class tst_script_configurator : public RunSuite
{
    Q_OBJECT

private slots:
    // Every case runs on the simulated modem, recorded.
    void init()
    {
        RunSuite::init();
        openRecordedSim();
    }

    void actions_data();
    void actions();
};

void tst_script_configurator::actions_data()
{
    addColumns<Action, QString, QByteArray, QByteArray, QList<QByteArray>, QStringList, QStringList,
               int>({"action", "option", "overridden", "overrideReply", "commands", "keyLines",
                     "boxes", "errors"});

    using L = QList<QByteArray>;
    const QString ok = QStringLiteral("  GOT (OK\r\n) as expected.");
    const QString version = QStringLiteral("Modem Firmware Version = [1.30]");

    QTest::newRow("SetConfig PBASIC") << Action::Mode << "PBASIC" << QByteArray() << QByteArray()
                                      << L{" ", "V", "CF", "Mb", "Wp", "P0", "Tn", "Af", "Rn", "Ds"}
                                      << QStringList{"SetConfig Started.",
                                                     "Establishing Communication",
                                                     "  Setting cmd-mode.",
                                                     "  SENT( )",
                                                     "  GOT (ER\r\n) as expected.",
                                                     "  SENT(V)",
                                                     "  GOT (FW: 1.30  \r\nOK\r\n)",
                                                     version,
                                                     "Configuring modem",
                                                     "  SENT(CF)",
                                                     ok,
                                                     "  SENT(Wp)",
                                                     ok,
                                                     "  SENT(Rn)",
                                                     ok,
                                                     "Saving to EEPROM",
                                                     "  SENT(Ds)",
                                                     ok,
                                                     "SetConfig Completed, 0 errors."}
                                      << QStringList{kOverwrite} << 0;
    QTest::newRow("SetConfig PBASIC takes a refusal")
        << Action::Mode << "PBASIC" << QByteArray("Af") << QByteArray("ER\r\n")
        << L{" ", "V", "CF", "Mb", "Wp", "P0", "Tn", "Af", "Rn", "Ds"}
        << QStringList{"  SENT(Af)", "  GOT (ER\r\n) as expected.", "  SENT(Rn)",
                       "SetConfig Completed, 0 errors."}
        << QStringList{kOverwrite} << 0;
    QTest::newRow("SetConfig PBASIC fails on another reply")
        << Action::Mode << "PBASIC" << QByteArray("Mb") << QByteArray("??\r\n")
        << L{" ", "V", "CF", "Mb"}
        << QStringList{"  SENT(Mb)", "  GOT (??\r\n): FAILURE",
                       "      (OK\r\n) OR (ER\r\n) was expected.",
                       "SetConfig Aborted in Configuring modem"}
        << QStringList{kOverwrite, kErrorBox} << 1;
    QTest::newRow("SetConfig Factory Defaults")
        << Action::Mode << "Factory Defaults" << QByteArray() << QByteArray()
        << L{" ", "V", "Dr", "Ds"}
        << QStringList{version,
                       "Configuring modem",
                       "  SENT(Dr)",
                       ok,
                       "Saving to EEPROM",
                       "  SENT(Ds)",
                       ok,
                       "SetConfig Completed, 0 errors."}
        << QStringList{kOverwrite} << 0;
    QTest::newRow("SetChannel 4")
        << Action::Channel << "4" << QByteArray() << QByteArray() << L{" ", "V", "C4", "Ds"}
        << QStringList{"SetChannel Started.", version, "Configuring modem",
                       "  SENT(C4)",          ok,      "Saving to EEPROM",
                       "  SENT(Ds)",          ok,      "SetChannel Completed, 0 errors."}
        << QStringList{} << 0;
    QTest::newRow("SetChannel 40")
        << Action::Channel << "40" << QByteArray() << QByteArray() << L{" ", "V", "CX", "Ds"}
        << QStringList{"  SENT(CX)", ok, "SetChannel Completed, 0 errors."} << QStringList{} << 0;
    QTest::newRow("QueryConfig") << Action::Query << QString() << QByteArray() << QByteArray()
                                 << L{" ", "V", "?"}
                                 << QStringList{"QueryConfig Started.",
                                                version,
                                                "",
                                                "Current Modem Settings:",
                                                "",
                                                "Tarvex Brannoc radio modem",
                                                "Channel ................. 7 (7)",
                                                "OK",
                                                "",
                                                "QueryConfig Completed, 0 errors."}
                                 << QStringList{} << 0;
    QTest::newRow("QueryConfig refused")
        << Action::Query << QString() << QByteArray("?") << QByteArray("ER\r\n") << L{" ", "V", "?"}
        << QStringList{"Current Modem Settings:", "", "ER", "", "QueryConfig Completed, 1 errors."}
        << QStringList{kErrorBox} << 1;
    QTest::newRow("QueryConfig unanswered")
        << Action::Query << QString() << QByteArray("?") << QByteArray() << L{" ", "V", "?"}
        << QStringList{"Current Modem Settings:", "", "", "QueryConfig Completed, 1 errors."}
        << QStringList{kErrorBox} << 1;
    QTest::newRow("RestoreFactory") << Action::Restore << QString() << QByteArray() << QByteArray()
                                    << L{" ", "V", "Dr", "Ds", "?"}
                                    << QStringList{"RestoreFactory Started.",
                                                   version,
                                                   "Configuring modem",
                                                   "  SENT(Dr)",
                                                   ok,
                                                   "Saving to EEPROM",
                                                   "  SENT(Ds)",
                                                   ok,
                                                   "Current Modem Settings:",
                                                   "Tarvex Brannoc radio modem",
                                                   "OK",
                                                   "RestoreFactory Completed, 0 errors."}
                                    << QStringList{kPowerCycle} << 0;
}

void tst_script_configurator::actions()
{
    QFETCH(Action, action);
    QFETCH(QString, option);
    QFETCH(QByteArray, overridden);
    QFETCH(QByteArray, overrideReply);
    QFETCH(QList<QByteArray>, commands);
    QFETCH(QStringList, keyLines);
    QFETCH(QStringList, boxes);
    QFETCH(int, errors);

    SimulatedModem& modem = theSimulatedModem();
    if (!overridden.isEmpty())
        modem.setReplyOverride(overridden, overrideReply);
    // The unit starts on another channel than any the rows set.
    ModemSettings start = modem.settings();
    start.channel = 7;
    modem.setSettings(start);
    modem.setSavedSettings(start);

    switch (action) {
    case Action::Query:
        door().CfgQuery()->setChecked(true);
        break;
    case Action::Channel:
        fx->control<QComboBox>("CfgNewChannel")->setCurrentText(option);
        fx->control<QRadioButton>("CfgChangeChannel")->setChecked(true);
        break;
    case Action::Mode:
        fx->control<QComboBox>("CfgNewDeviceConfig")->setCurrentText(option);
        fx->control<QRadioButton>("CfgChangeMode")->setChecked(true);
        break;
    case Action::Restore:
        fx->control<QRadioButton>("CfgRestoreFactory")->setChecked(true);
        break;
    }
    door().CfgDoIt()->click();

    QCOMPARE(simLine->writes(), RecordedSimLine::scriptWrites(commands));
    const QStringList log = fx->logLines();
    const QString missing = missingInOrder(log, keyLines);
    QVERIFY2(missing.isEmpty(), qPrintable(missing));
    QCOMPARE(door().ErrCount(), errors);
    QCOMPARE(door().TestStateWin()->text(), keyLines.last());
    QStringList titles;
    for (const RecordedBox& box : fx->boxes())
        titles << box.title;
    QCOMPARE(titles, boxes);

    // Configurator runs leave the modem in command mode, whatever becomes of them.
    QVERIFY(!log.contains(QStringLiteral("  Setting data-mode.")));
    QVERIFY(simLine->rts());
    QVERIFY(door().CmdRTSCbox()->isChecked());
    QVERIFY(modem.inCommandMode());

    if (action == Action::Channel) {
        QCOMPARE(modem.settings().channel, option.toInt());
        QVERIFY(modem.settingsSaved());
    }
    if (action == Action::Mode && errors == 0)
        QVERIFY(modem.settingsSaved());
}

QTEST_MAIN(tst_script_configurator)
#include "tst_script_configurator.moc"
