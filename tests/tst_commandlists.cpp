// The initialisation scripts' command lists, built without a window.
#include "script/CommandLists.h"
#include "script/RadioTestTables.h"
#include "support/DataTable.h"

#include <QtTest>

namespace
{

FirmwareVersion firmware(double number)
{
    FirmwareVersion version;
    version.text = QByteArray::number(number);
    version.number = number;
    return version;
}

// What goes out on the line: the list without its skipped entries.
QList<QByteArray> sent(const QList<QByteArray>& list)
{
    QList<QByteArray> commands;
    for (const QByteArray& command : list)
        if (!command.isEmpty())
            commands << command;
    return commands;
}

const QByteArray kWNul("W\0", 2);

} // namespace

class tst_commandlists : public QObject
{
    Q_OBJECT
private slots:
    void preparation_data();
    void preparation();
    void configuration_data();
    void configuration();
    void channelCommands_data();
    void channelCommands();
    void prelude_data();
    void prelude();
    void radioTables();
};

void tst_commandlists::preparation_data()
{
    addColumns<QByteArray, int, bool, QByteArray, QByteArray, QByteArray, int>(
        {"initId", "flags", "known", "cut", "finalCommand", "station", "baud"});

    QTest::newRow("FAST base") << QByteArray("FAST") << 18 << true << QByteArray("FAST")
                               << QByteArray("Fx") << QByteArray("Sb") << 9600;
    QTest::newRow("FAST-MultiMode mobile")
        << QByteArray("FAST-MultiMode") << 19 << true << QByteArray("FAST") << QByteArray("Fe")
        << QByteArray("Sm") << 9600;
    QTest::newRow("asking wins over mobile")
        << QByteArray("RM2-MultiMode") << (8 | 1) << true << QByteArray("RM2") << QByteArray("Fe")
        << QByteArray("S?") << 19200;
    QTest::newRow("NORMAL") << QByteArray("NORMAL") << 12 << true << QByteArray("NORMAL")
                            << QByteArray("Fx") << QByteArray("S?") << 9600;
    QTest::newRow("PBASIC") << QByteArray("PBASIC") << 12 << true << QByteArray("PBASIC")
                            << QByteArray("Fx") << QByteArray("S?") << 9600;
    QTest::newRow("Teamboard") << QByteArray("Teamboard") << 2 << true << QByteArray("Teamboard")
                               << QByteArray("Fx") << QByteArray("Sb") << 9600;
    QTest::newRow("Noop") << QByteArray("Noop") << 36 << true << QByteArray("Noop")
                          << QByteArray("Fx") << QByteArray("Sb") << 0;
    QTest::newRow("SetChannel") << QByteArray("SetChannel") << 4 << true << QByteArray("SetChannel")
                                << QByteArray("Fx") << QByteArray("Sb") << 0;
    QTest::newRow("Factory Defaults")
        << QByteArray("Factory Defaults") << 12 << true << QByteArray("Factory Defaults")
        << QByteArray("Fx") << QByteArray("S?") << 0;
    QTest::newRow("RestoreFactory")
        << QByteArray("RestoreFactory") << 52 << true << QByteArray("RestoreFactory")
        << QByteArray("Fx") << QByteArray("Sb") << 0;
    QTest::newRow("cut at the first suffix")
        << QByteArray("PBASIC-MultiMode-MultiMode") << 2 << true << QByteArray("PBASIC")
        << QByteArray("Fe") << QByteArray("Sb") << 9600;
    QTest::newRow("names are case-sensitive")
        << QByteArray("fast") << 2 << false << QByteArray("fast") << QByteArray("Fx")
        << QByteArray("Sb") << 0;
    QTest::newRow("suffix is case-sensitive")
        << QByteArray("FAST-multimode") << 2 << false << QByteArray("FAST-multimode")
        << QByteArray("Fx") << QByteArray("Sb") << 0;
    QTest::newRow("suffix alone") << QByteArray("-MultiMode") << 2 << false << QByteArray()
                                  << QByteArray("Fe") << QByteArray("Sb") << 0;
    QTest::newRow("blank before the suffix")
        << QByteArray("FAST -MultiMode") << 2 << false << QByteArray("FAST ") << QByteArray("Fe")
        << QByteArray("Sb") << 0;
    QTest::newRow("empty") << QByteArray() << 0 << false << QByteArray() << QByteArray("Fx")
                           << QByteArray("Sb") << 0;
}

void tst_commandlists::preparation()
{
    QFETCH(QByteArray, initId);
    QFETCH(int, flags);
    const ScriptPreparation prep = prepareScript(ScriptFlags::fromInt(flags), initId);
    QTEST(prep.known, "known");
    QTEST(prep.initId, "cut");
    QTEST(prep.finalCommand, "finalCommand");
    QTEST(prep.stationCommand, "station");
    if (prep.known)
        QTEST(int(prep.requiredBaud), "baud");
}

void tst_commandlists::configuration_data()
{
    addColumns<QByteArray, int, double, int, QList<QByteArray>, bool>(
        {"initId", "flags", "version", "channel", "commands", "eitherReply"});

    using L = QList<QByteArray>;
    const QByteArray wp = QByteArrayLiteral("Wp");
    QTest::newRow("FAST-MultiMode ends with Fe")
        << QByteArray("FAST-MultiMode") << 18 << 1.30 << 0
        << L{"Sb", "CF", "Yl", "Mn", kWNul, "PO", "Tn", "An", "Rf", "Fe"} << false;
    QTest::newRow("NORMAL, firmware 1.22")
        << QByteArray("NORMAL") << 12 << 1.22 << 0
        << L{"S?", "CF", "Rl", "Mn", kWNul, "PO", "Tn", "An", "Fx"} << false;
    QTest::newRow("console PBASIC, firmware 1.22")
        << QByteArray("PBASIC") << 19 << 1.22 << 0
        << L{"Sm", "CF", "Rl", "Mb", "W0", "PN", "Tn", "Af", "Fx"} << false;
    QTest::newRow("end-user PBASIC, unknown firmware")
        << QByteArray("PBASIC") << 12 << 0.0 << 0 << L{"CF", "Mb", "W0", "PN", "Tn", "Af"} << true;
    QTest::newRow("end-user PBASIC-MultiMode") << QByteArray("PBASIC-MultiMode") << 12 << 1.30 << 0
                                               << L{"CF", "Mb", wp, "P0", "Tn", "Af", "Rn"} << true;
    QTest::newRow("RM2 asking the station")
        << QByteArray("RM2") << 12 << 1.30 << 0 << L{"S?", "CF", "Mr", "PH", "Tf", "An", "Rf", "Fx"}
        << false;
    QTest::newRow("RM2-MultiMode, firmware 1.22")
        << QByteArray("RM2-MultiMode") << 18 << 1.22 << 0
        << L{"Sb", "CF", "Mr", "PH", "Tf", "An", "Fe"} << false;
    QTest::newRow("Teamboard, new firmware")
        << QByteArray("Teamboard") << 18 << 1.30 << 0
        << L{"Sb", "CF", "Yl", "Mc", "W0", "PL", "Tn", "Af", "Rf", "Fx"} << false;
    QTest::newRow("Factory Defaults")
        << QByteArray("Factory Defaults") << 12 << 1.30 << 0 << L{"Dr"} << false;
    QTest::newRow("RestoreFactory")
        << QByteArray("RestoreFactory") << 52 << 0.0 << 0 << L{"Dr"} << false;
    QTest::newRow("Noop") << QByteArray("Noop") << 36 << 1.30 << 0 << L{} << false;
    QTest::newRow("channel 13") << QByteArray("SetChannel") << 4 << 1.30 << 13 << L{"C="} << false;
    QTest::newRow("channel 22 reads CF")
        << QByteArray("SetChannel") << 4 << 1.30 << 22 << L{"CF"} << false;
}

void tst_commandlists::configuration()
{
    QFETCH(QByteArray, initId);
    QFETCH(int, flags);
    QFETCH(double, version);
    QFETCH(int, channel);
    const ScriptFlags scriptFlags = ScriptFlags::fromInt(flags);
    const ScriptPreparation prep = prepareScript(scriptFlags, initId);
    QVERIFY(prep.known);
    const ConfigurationList list = configurationList(prep, scriptFlags, firmware(version), channel);
    QTEST(sent(list.commands), "commands");
    QTEST(list.eitherReply, "eitherReply");
}

void tst_commandlists::channelCommands_data()
{
    addColumns<int, bool, QByteArray>({"channel", "exists", "command"});

    QTest::newRow("0") << 0 << true << QByteArray("C0");
    QTest::newRow("9") << 9 << true << QByteArray("C9");
    QTest::newRow("lowest byte") << -48 << true << QByteArray("C\0", 2);
    QTest::newRow("highest byte") << 207 << true << QByteArray("C\xFF");
    QTest::newRow("beyond one byte") << 208 << false << QByteArray();
    QTest::newRow("below one byte") << -49 << false << QByteArray();
}

void tst_commandlists::channelCommands()
{
    QFETCH(int, channel);
    QFETCH(bool, exists);
    const auto command = channelCommand(channel);
    QCOMPARE(command.has_value(), exists);
    if (exists)
        QTEST(*command, "command");
}

void tst_commandlists::prelude_data()
{
    addColumns<double, QList<QByteArray>>({"version", "commands"});

    using L = QList<QByteArray>;
    QTest::newRow("new firmware") << 1.30 << L{"Fe", "Ya", "Mr", "Eq5vn", "PH", "Tn", "An", "Rf"};
    QTest::newRow("firmware 1.22") << 1.22 << L{"Fe", "Ra", "Mr", "Eq5vn", "PH", "Tn", "An"};
    QTest::newRow("unknown firmware") << 0.0 << L{"Fe", "Ra", "Mr", "Eq5vn", "PH", "Tn", "An"};
}

void tst_commandlists::prelude()
{
    QFETCH(double, version);
    QTEST(sent(radioPrelude(firmware(version))), "commands");
}

void tst_commandlists::radioTables()
{
    QCOMPARE(RadioTest::kPattern.size(), 26);
    QCOMPARE(quint8(RadioTest::kPattern.at(0)), quint8(255));
    QCOMPARE(quint8(RadioTest::kPattern.at(1)), quint8(255));
    QCOMPARE(RadioTest::kPattern.mid(2), QByteArray("blahBLAHblahBLAHblahBLAH"));
    QCOMPARE(RadioTest::kRepetitions, 72);

    QList<QByteArray> mobile;
    for (int ch : RadioTest::channelsFor(true))
        mobile << *channelCommand(ch);
    QCOMPARE(mobile, (QList<QByteArray>{"C8", "CX", "CH"}));
    QList<QByteArray> base;
    for (int ch : RadioTest::channelsFor(false))
        base << *channelCommand(ch);
    QCOMPARE(base, (QList<QByteArray>{"C1", "CP", "C@"}));
}

QTEST_APPLESS_MAIN(tst_commandlists)
#include "tst_commandlists.moc"
