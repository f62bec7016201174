// The channel selector's texts, the reading of a typed channel, the shortcut and terminator texts.
#include "support/DataTable.h"
#include "terminal/ChannelText.h"
#include "terminal/LineTerminator.h"
#include "terminal/ShortcutCommand.h"

#include <QtTest>

class tst_channeltext : public QObject
{
    Q_OBJECT

private slots:
    void boxText_data()
    {
        addColumns<int, char, QString>({"channel", "character", "text"});
        QTest::newRow("1") << 1 << '1' << QStringLiteral("1 (1)");
        QTest::newRow("10") << 10 << ':' << QStringLiteral("10 (:)");
        QTest::newRow("16") << 16 << '@' << QStringLiteral("16 (@)");
        QTest::newRow("17") << 17 << 'A' << QStringLiteral("17 (A)");
        QTest::newRow("40") << 40 << 'X' << QStringLiteral("40 (X)");
    }
    void boxText()
    {
        QFETCH(int, channel);
        QTEST(channelChar(channel), "character");
        QTEST(channelBoxText(channel), "text");
    }

    void parse_data()
    {
        addColumns<QString, int>({"typed", "channel"});
        QTest::newRow("channel character A") << "A" << 17;
        QTest::newRow("channel character :") << ":" << 10;
        QTest::newRow("channel character X") << "X" << 40;
        QTest::newRow("single digit 7") << "7" << 7;
        QTest::newRow("0 is no channel character") << "0" << 1;
        QTest::newRow("Y beyond X") << "Y" << 1;
        QTest::newRow("lower-case letter") << "a" << 1;
        QTest::newRow("99 lowered") << "99" << 40;
        QTest::newRow("41 lowered") << "41" << 40;
        QTest::newRow("abc") << "abc" << 1;
        QTest::newRow("empty") << "" << 1;
        QTest::newRow("box text reads back") << "17 (A)" << 17;
        QTest::newRow("number then letters") << "12abc" << 12;
        QTest::newRow("leading blanks") << "  23" << 23;
        QTest::newRow("negative raised") << "-3" << 1;
        QTest::newRow("fraction rounded down") << "10.4" << 10;
        QTest::newRow("fraction rounded up") << "10.6" << 11;
        QTest::newRow("huge number") << "99999999999999999999999999" << 40;
        QTest::newRow("beyond any double") << QString(400, QLatin1Char('9')) << 40;
        QTest::newRow("beyond any double, negative") << "-" + QString(400, QLatin1Char('9')) << 1;
        QTest::newRow("full-width digits are no number") << QStringLiteral("\uFF11\uFF12") << 1;
        QTest::newRow("two characters are a number") << "AB" << 1;
    }
    void parse()
    {
        QFETCH(QString, typed);
        QTEST(parseChannelText(typed), "channel");
    }

    void shortcuts_data()
    {
        addColumns<int, int, QByteArray>({"index", "channel", "command"});
        QTest::newRow("Tx Pwr On") << 0 << 1 << QByteArray("Tn");
        QTest::newRow("Tx Pwr Off") << 1 << 1 << QByteArray("Tf");
        QTest::newRow("Set Ch. 1") << 2 << 1 << QByteArray("C1");
        QTest::newRow("Set Ch. 10") << 2 << 10 << QByteArray("C:");
        QTest::newRow("Query") << 3 << 1 << QByteArray("?");
        QTest::newRow("Config") << 4 << 1 << QByteArray("**Fe");
        QTest::newRow("Enb.Ext.Ch") << 5 << 1 << QByteArray("Eq5vn");
        QTest::newRow("no button 6") << 6 << 1 << QByteArray();
        QTest::newRow("Save") << 7 << 1 << QByteArray("Ds");
        QTest::newRow("beyond 7") << 8 << 1 << QByteArray();
    }
    void shortcuts()
    {
        QFETCH(int, index);
        QFETCH(int, channel);
        QTEST(shortcutCommand(index, channel), "command");
    }

    void terminators_data()
    {
        addColumns<QString, QByteArray>({"eol", "escape"});
        QTest::newRow("NONE") << "NONE" << QByteArray();
        QTest::newRow("CR") << "CR" << QByteArray("\\0d");
        QTest::newRow("LF") << "LF" << QByteArray("\\0a");
        QTest::newRow("CRLF") << "CRLF" << QByteArray("\\0d\\0a");
        QTest::newRow("escape item") << "\\0d\\0a" << QByteArray("\\0d\\0a");
        QTest::newRow("case matters") << "cr" << QByteArray("cr");
        QTest::newRow("typed text") << ";\\0a" << QByteArray(";\\0a");
        QTest::newRow("empty") << "" << QByteArray();
    }
    void terminators()
    {
        QFETCH(QString, eol);
        QTEST(eolEscape(eol), "escape");
    }
};

QTEST_GUILESS_MAIN(tst_channeltext)
#include "tst_channeltext.moc"
