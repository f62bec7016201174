// Reading the firmware version out of the modem's reply to "V".
#include "script/FirmwareVersion.h"
#include "support/DataTable.h"

#include <QtTest>

class tst_firmwareversion : public QObject
{
    Q_OBJECT
private slots:
    void parse_data();
    void parse();
};

void tst_firmwareversion::parse_data()
{
    addColumns<QByteArray, QByteArray, double, bool>({"reply", "text", "number", "newCommands"});

    const QByteArray ok = QByteArrayLiteral("OK\r\n");
    QTest::newRow("trailing spaces dropped")
        << "FW: 1.30  \r\n" + ok << QByteArray("1.30") << 1.30 << true;
    QTest::newRow("header never part of it")
        << "9.99" + QByteArray("1.30  \r\n") + ok << QByteArray("1.30") << 1.30 << true;
    QTest::newRow("header of NULs")
        << QByteArray(4, '\0') + "1.25\r\n" + ok << QByteArray("1.25") << 1.25 << true;
    QTest::newRow("bare OK") << ok << QByteArray("unknown") << 0.0 << false;
    QTest::newRow("nothing") << QByteArray() << QByteArray("unknown") << 0.0 << false;
    QTest::newRow("no OK at the end")
        << QByteArray("FW: 1.30  \r\n") << QByteArray("unknown") << 0.0 << false;
    QTest::newRow("error reply at the end")
        << "FW: 1.30  \r\n" + QByteArray("ER\r\n") << QByteArray("unknown") << 0.0 << false;
    QTest::newRow("OK without LF")
        << QByteArray("FW: 1.30  \r\nOK\r") << QByteArray("unknown") << 0.0 << false;
    QTest::newRow("no CR after the header") << "x" + ok << QByteArray("unknown") << 0.0 << false;
    // The only CR left is the one of the positive reply, so its "OK" ends up in the text.
    QTest::newRow("version line without CR")
        << "FW: 1.30" + ok << QByteArray("1.30OK") << 1.30 << true;
    QTest::newRow("empty version line") << "FW: \r\n" + ok << QByteArray() << 0.0 << false;
    QTest::newRow("1.22 is old") << "FW: 1.22\r\n" + ok << QByteArray("1.22") << 1.22 << false;
    QTest::newRow("1.23 is new") << "FW: 1.23\r\n" + ok << QByteArray("1.23") << 1.23 << true;
    QTest::newRow("just above 1.22")
        << "FW: 1.2201\r\n" + ok << QByteArray("1.2201") << 1.2201 << true;
    QTest::newRow("whole number") << "FW: 2\r\n" + ok << QByteArray("2") << 2.0 << true;
    QTest::newRow("no number") << "FW: beta 2.0\r\n" + ok << QByteArray("beta 2.0") << 0.0 << false;
    QTest::newRow("letters after the number")
        << "FW: 1.3b2\r\n" + ok << QByteArray("1.3b2") << 1.3 << true;
    QTest::newRow("second point ends the number")
        << "FW: 1.2.9\r\n" + ok << QByteArray("1.2.9") << 1.2 << false;
    QTest::newRow("leading blank kept in the text")
        << "FW:  1.25\r\n" + ok << QByteArray(" 1.25") << 1.25 << true;
    QTest::newRow("only spaces are trimmed")
        << "FW: 1.30\t \r\n" + ok << QByteArray("1.30\t") << 1.30 << true;
    QTest::newRow("first CR ends the line")
        << "FW: 1.30\r1.10\r\n" + ok << QByteArray("1.30") << 1.30 << true;
    QTest::newRow("byte 255 in the text")
        << "FW: 1.24\xFF\r\n" + ok << QByteArray("1.24\xFF") << 1.24 << true;
    QTest::newRow("number beyond any double")
        << "FW: " + QByteArray(400, '9') + "\r\n" + ok << QByteArray(400, '9')
        << std::numeric_limits<double>::max() << true;
}

void tst_firmwareversion::parse()
{
    QFETCH(QByteArray, reply);
    QFETCH(QByteArray, text);
    QFETCH(double, number);
    QFETCH(bool, newCommands);
    const FirmwareVersion version = parseFirmwareVersion(reply);
    QCOMPARE(version.text, text);
    QCOMPARE(version.number, number);
    QCOMPARE(version.hasNewCommands(), newCommands);
}

QTEST_APPLESS_MAIN(tst_firmwareversion)
#include "tst_firmwareversion.moc"
