// The "\hh" escape decoder and its hex digits: what each typed text sends, write by write.
#include "support/DataTable.h"
#include "terminal/EscapeDecoder.h"

#include <QtTest>

Q_DECLARE_METATYPE(QList<QByteArrayList>)

class tst_escapes : public QObject
{
    Q_OBJECT

private slots:
    void accumHexDigit_data()
    {
        addColumns<char, int, int, int>({"ch", "accIn", "value", "accOut"});
        QTest::newRow("0") << '0' << 0 << 0 << 0;
        QTest::newRow("9 shifts in") << '9' << 1 << 9 << 25;
        QTest::newRow("A") << 'A' << 0 << 10 << 10;
        QTest::newRow("F") << 'F' << 15 << 15 << 255;
        QTest::newRow("f") << 'f' << 2 << 15 << 47;
        QTest::newRow("G not a digit") << 'G' << 7 << -1 << 7;
        QTest::newRow("/ below 0") << '/' << 3 << -1 << 3;
        QTest::newRow(": above 9") << ':' << 3 << -1 << 3;
        QTest::newRow("` below a") << '`' << 3 << -1 << 3;
        QTest::newRow("16-bit wrap") << 'F' << 0x1000 << 15 << 15;
        QTest::newRow("16-bit all ones") << 'F' << 0x0FFF << 15 << -1;
    }
    void accumHexDigit()
    {
        QFETCH(char, ch);
        QFETCH(int, accIn);
        QFETCH(int, value);
        QFETCH(int, accOut);
        qint16 acc = static_cast<qint16>(accIn);
        QCOMPARE(int(AccumHexDigit(ch, acc)), value);
        QCOMPARE(int(acc), accOut);
    }

    // Each entry of "chunks" is one call of the decoder; "writes" lists, for each call, the
    // writes it made, each of which must be a single byte.
    void decode_data()
    {
        addColumns<QByteArrayList, QList<QByteArrayList>, int>({"chunks", "writes", "endState"});
        using L = QByteArrayList;
        QTest::newRow("plain text, one write a character")
            << L{"Hi!"} << QList<L>{{"H", "i", "!"}} << 0;
        QTest::newRow("two-digit escape") << L{"\\41"} << QList<L>{{"A"}} << 0;
        QTest::newRow("lower and upper case digits") << L{"\\4a\\4A"} << QList<L>{{"J", "J"}} << 0;
        QTest::newRow("zero byte") << L{"\\00"} << QList<L>{{QByteArray(1, '\0')}} << 0;
        QTest::newRow("top byte") << L{"\\ff"} << QList<L>{{"\xff"}} << 0;
        QTest::newRow("escaped backslash") << L{"\\\\"} << QList<L>{{"\\"}} << 0;
        QTest::newRow("escape, two backslashes, backslash x")
            << L{"\\41\\\\\\x"} << QList<L>{{"A", "\\", "\\", "x"}} << 0;
        QTest::newRow("backslash before a non-digit goes out as typed")
            << L{"\\z"} << QList<L>{{"\\", "z"}} << 0;
        QTest::newRow("one-digit escape then a letter")
            << L{"\\4G"} << QList<L>{{"\x04", "G"}} << 0;
        QTest::newRow("one-digit escape then an escape")
            << L{"\\4\\41"} << QList<L>{{"\x04", "A"}} << 0;
        QTest::newRow("one-digit escape then an escaped backslash")
            << L{"\\4\\\\"} << QList<L>{{"\x04", "\\"}} << 0;
        QTest::newRow("three digits: the third is plain")
            << L{"\\414"} << QList<L>{{"A", "4"}} << 0;
        QTest::newRow("Latin-1 byte passes unchanged") << L{"\xe9"} << QList<L>{{"\xe9"}} << 0;
        QTest::newRow("trailing backslash meets the CR terminator")
            << L{"AB\\\\0d"} << QList<L>{{"A", "B", "\\", "0", "d"}} << 0;
        QTest::newRow("open escape completed by the next call")
            << L{"ABC\\4", "1"} << QList<L>{{"A", "B", "C"}, {"A"}} << 0;
        QTest::newRow("typed key by key") << L{"\\", "0", "d"} << QList<L>{{}, {}, {"\r"}} << 0;
        QTest::newRow("left open after a backslash") << L{"x\\"} << QList<L>{{"x"}} << 1;
        QTest::newRow("left open after one digit") << L{"\\a"} << QList<L>{{}} << 2;
        QTest::newRow("empty call changes nothing")
            << L{"\\4", "", "2"} << QList<L>{{}, {}, {"B"}} << 0;
        // Backspace sent as the byte 8 through an open escape: the escape is finished first.
        QTest::newRow("byte 8 after a backslash")
            << L{"\\", "\x08"} << QList<L>{{}, {"\\", "\x08"}} << 0;
        QTest::newRow("byte 8 after one digit")
            << L{"\\4", "\x08"} << QList<L>{{}, {"\x04", "\x08"}} << 0;
    }
    void decode()
    {
        QFETCH(QByteArrayList, chunks);
        QFETCH(QList<QByteArrayList>, writes);
        QFETCH(int, endState);
        EscapeDecoder decoder;
        for (int i = 0; i < chunks.size(); ++i) {
            QByteArrayList made;
            decoder.decode(chunks.at(i), [&made](const QByteArray& one) { made.append(one); });
            QCOMPARE(made, writes.at(i));
            for (const QByteArray& one : made)
                QCOMPARE(one.size(), 1);
        }
        QCOMPARE(int(decoder.state()), endState);
    }
};

QTEST_GUILESS_MAIN(tst_escapes)
#include "tst_escapes.moc"
