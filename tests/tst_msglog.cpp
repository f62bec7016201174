// The message window's log without a window: visible forms, the open-line rules, the model.
#include "support/DataTable.h"
#include "terminal/ClearedLines.h"
#include "terminal/MsgLog.h"
#include "terminal/MsgLogModel.h"

#include <QAbstractItemModelTester>
#include <QFile>
#include <QSignalSpy>
#include <QtTest>

namespace
{
// One output operation on the log: a whole line, or bytes in character or hex mode.
struct Step {
    enum Kind { Line, Chars, Hex, Clear } kind;
    QByteArray data;
};

Step line(const char* text)
{
    return {Step::Line, QByteArray(text)};
}
Step chars(const QByteArray& bytes)
{
    return {Step::Chars, bytes};
}
Step hex(const QByteArray& bytes)
{
    return {Step::Hex, bytes};
}
Step clear()
{
    return {Step::Clear, {}};
}

void apply(MsgLog& log, const Step& step)
{
    switch (step.kind) {
    case Step::Line:
        log.outputLine(QString::fromUtf8(step.data));
        break;
    case Step::Chars:
    case Step::Hex:
        for (const char ch : step.data)
            log.outputByte(static_cast<quint8>(ch), step.kind == Step::Hex);
        break;
    case Step::Clear:
        log.clear();
        break;
    }
}

void apply(MsgLog& log, const QList<Step>& steps)
{
    for (const Step& step : steps)
        apply(log, step);
}

const QString k60 = QString(60, QLatin1Char('x'));
} // namespace

Q_DECLARE_METATYPE(QList<Step>)

namespace
{
// A log after the current data row's "steps".
MsgLog logAfterRowSteps()
{
    QFETCH(QList<Step>, steps);
    MsgLog log;
    apply(log, steps);
    return log;
}

// The clock the log reads while a test sets it.
qint64 testNow = 0;

// Milliseconds since the epoch of a UTC date and time.
qint64 utcMs(int year, int month, int day, int h, int m, int s, int ms)
{
    return QDateTime(QDate(year, month, day), QTime(h, m, s, ms), Qt::UTC).toMSecsSinceEpoch();
}
} // namespace

class tst_msglog : public QObject
{
    Q_OBJECT

private slots:
    // A user's clear moves the lines aside; bringing them back puts them ahead of whatever
    // arrived since, in the model too. A clear of an empty log keeps the lines of the one before.
    void undoClear_data()
    {
        addColumns<QList<Step>, QList<Step>, bool, QStringList>(
            {"before", "since", "clearTwice", "lines"});
        QTest::newRow("nothing since") << QList<Step>{line("a"), line("b")} << QList<Step>{}
                                       << false << QStringList{"a", "b", ""};
        QTest::newRow("an open line stays open when nothing came since")
            << QList<Step>{line("a"), chars("OK")} << QList<Step>{} << false
            << QStringList{"a", "OK"};
        QTest::newRow("lines since follow the cleared ones")
            << QList<Step>{line("a"), chars("OK")} << QList<Step>{line("new"), chars("x")} << false
            << QStringList{"a", "OK", "new", "x"};
        QTest::newRow("a second clear of the empty log keeps them")
            << QList<Step>{line("a")} << QList<Step>{} << true << QStringList{"a", ""};
        QTest::newRow("reply bytes and a hex line broken at 60")
            << QList<Step>{line("GOT (\xc3\xbf\r\n)"), hex(QByteArray(25, '\x01'))}
            << QList<Step>{line("z")} << false
            << QStringList{QStringLiteral("GOT (\u00ff\r\n)"), QStringLiteral("\\01").repeated(20),
                           QStringLiteral("\\01").repeated(5), "z", ""};
    }
    void undoClear()
    {
        QFETCH(QList<Step>, before);
        QFETCH(QList<Step>, since);
        QFETCH(bool, clearTwice);
        QFETCH(QStringList, lines);
        MsgLogModel model;
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        ClearedLines cleared;
        QVERIFY(cleared.isEmpty());
        for (const Step& step : before)
            apply(model.log(), step);
        const int widest = model.log().widestLine();
        cleared.takeFrom(model.log());
        if (clearTwice)
            cleared.takeFrom(model.log());
        QCOMPARE(model.log().lines(), QStringList{QString()});
        QVERIFY(!cleared.isEmpty());
        for (const Step& step : since)
            apply(model.log(), step);
        cleared.restoreInto(model.log());
        QVERIFY(cleared.isEmpty());
        QCOMPARE(model.log().lines(), lines);
        QVERIFY(model.log().widestLine() >= widest);
        model.flush();
        QCOMPARE(model.rowCount(), lines.size());
        for (int row = 0; row < lines.size(); ++row)
            QCOMPARE(model.data(model.index(row)).toString(), ::displayedLine(lines.at(row)));
        // Restoring again brings nothing more.
        cleared.restoreInto(model.log());
        QCOMPARE(model.log().lines(), lines);
    }

    void initTestCase()
    {
        // Times are shown in a zone with summer time.
        qputenv("TZ", "Europe/Berlin");
        tzset();
        LineTime::setClock([] { return testNow; });
    }
    void cleanupTestCase() { LineTime::setClock({}); }

    // Each line keeps the time its first character came; the clock may go back.
    void lineTimes_data()
    {
        addColumns<QList<Step>, QList<qint64>, QList<qint64>>({"steps", "at", "times"});
        QTest::newRow("a line fills the empty open line")
            << QList<Step>{line("a")} << QList<qint64>{100} << QList<qint64>{100, 100};
        QTest::newRow("bytes: the first byte's time")
            << QList<Step>{chars("O"), chars("K\r"), chars("\n")} << QList<qint64>{100, 200, 300}
            << QList<qint64>{100, 300};
        QTest::newRow("a line after a partly filled open line")
            << QList<Step>{chars("par"), line("x")} << QList<qint64>{100, 300}
            << QList<qint64>{100, 300, 300};
        QTest::newRow("forced break") << QList<Step>{chars(k60.toLatin1()), chars("y")}
                                      << QList<qint64>{100, 200} << QList<qint64>{100, 200};
        QTest::newRow("clock set back") << QList<Step>{line("a"), line("b")}
                                        << QList<qint64>{500, 100} << QList<qint64>{500, 100, 100};
        QTest::newRow("clear") << QList<Step>{line("a"), clear(), chars("z")}
                               << QList<qint64>{100, 200, 300} << QList<qint64>{300};
    }
    void lineTimes()
    {
        QFETCH(QList<Step>, steps);
        QFETCH(QList<qint64>, at);
        QFETCH(QList<qint64>, times);
        MsgLog log;
        for (qsizetype i = 0; i < steps.size(); ++i) {
            testNow = at.at(i);
            apply(log, steps.at(i));
        }
        testNow = 999999;
        QList<qint64> kept;
        for (int i = 0; i < log.lineCount(); ++i)
            kept << log.lineTime(i);
        QCOMPARE(kept, times);
    }

    // Times are kept in blocks: lines on both sides of a block's end keep theirs, and a copy
    // that goes on growing leaves the original's times as they were.
    void timesAcrossBlocks()
    {
        MsgLog log;
        for (testNow = 0; testNow < 20000; ++testNow)
            log.outputLine(QStringLiteral("x"));
        MsgLog copy = log;
        testNow = -5;
        copy.outputLine(QStringLiteral("y"));
        copy.append(log);
        for (int i = 0; i < 20000; ++i) {
            QCOMPARE(log.lineTime(i), i);
            QCOMPARE(copy.lineTime(i), i);
            QCOMPARE(copy.lineTime(20001 + i), i);
        }
        QCOMPARE(copy.lineTime(20000), -5);
        QCOMPARE(log.lineCount(), 20001);
    }

    // With times, every line but an empty open one starts with its local time and a space.
    void timedText()
    {
        MsgLog log;
        testNow = utcMs(2026, 12, 9, 13, 5, 7, 42);
        log.outputLine(QStringLiteral("GOT (OK\r\n)"));
        testNow += 1000;
        log.outputLine(QString());
        QCOMPARE(log.shownUtf8(true), QByteArray("14:05:07.042 GOT (OK\\0D\\0A)\n"
                                                 "14:05:08.042 \n"));
        testNow += 1;
        log.outputByte('A', false);
        QCOMPARE(log.shownUtf8(true), QByteArray("14:05:07.042 GOT (OK\\0D\\0A)\n"
                                                 "14:05:08.042 \n14:05:08.043 A"));
        QCOMPARE(log.shownUtf8(false), log.shownUtf8());
    }

    // One formatter through both changes of summer time, and before 1970.
    void formatterFollowsTheOffset()
    {
        const QList<std::pair<qint64, QString>> times{
            {utcMs(2026, 3, 29, 0, 59, 59, 999), "01:59:59.999"},
            {utcMs(2026, 3, 29, 1, 0, 0, 0), "03:00:00.000"},
            {utcMs(2026, 10, 25, 0, 59, 59, 999), "02:59:59.999"},
            {utcMs(2026, 10, 25, 1, 0, 0, 0), "02:00:00.000"},
            {-1, "00:59:59.999"},
        };
        LineTime::Formatter format;
        for (const auto& [ms, shown] : times)
            QCOMPARE(format.text(ms), shown);
    }

    // A later log's lines follow with their times; a filled open line is closed first.
    void appendJoinsLogs_data()
    {
        addColumns<QByteArray, QStringList>({"open", "lines"});
        QTest::newRow("empty open line") << QByteArray() << QStringList{"a", "b", "c"};
        QTest::newRow("filled open line") << QByteArray("par") << QStringList{"a", "par", "b", "c"};
    }
    void appendJoinsLogs()
    {
        QFETCH(QByteArray, open);
        QFETCH(QStringList, lines);
        MsgLog earlier;
        testNow = 100;
        earlier.outputLine(QStringLiteral("a"));
        for (const char ch : open)
            earlier.outputByte(quint8(ch), false);
        MsgLog later;
        testNow = 200;
        later.outputLine(QStringLiteral("b"));
        testNow = 300;
        later.outputByte('c', false);
        earlier.append(later);
        QCOMPARE(earlier.lines(), lines);
        QCOMPARE(earlier.lineTime(lines.size() - 2), 200);
        QCOMPARE(earlier.lineTime(lines.size() - 1), 300);
        QCOMPARE(earlier.lineTime(0), 100);
        QCOMPARE(earlier.shownText(), lines.join(QLatin1Char('\n')));
    }

    void visibleForm_data()
    {
        addColumns<int, bool, QString>({"byte", "hexMode", "shown"});
        QTest::newRow("letter") << int('A') << false << QStringLiteral("A");
        QTest::newRow("tilde, last printable") << 126 << false << QStringLiteral("~");
        QTest::newRow("backslash doubled") << 92 << false << QStringLiteral("\\\\");
        QTest::newRow("backslash hex") << 92 << true << QStringLiteral("\\5C");
        QTest::newRow("CR hidden") << 13 << false << QString();
        QTest::newRow("LF hidden") << 10 << false << QString();
        QTest::newRow("CR hex") << 13 << true << QStringLiteral("\\0D");
        QTest::newRow("zero") << 0 << false << QStringLiteral("\\00");
        QTest::newRow("31 below printable") << 31 << false << QStringLiteral("\\1F");
        QTest::newRow("DEL") << 127 << false << QStringLiteral("\\7F");
        QTest::newRow("200") << 200 << false << QStringLiteral("\\C8");
        QTest::newRow("255") << 255 << false << QStringLiteral("\\FF");
    }
    void visibleForm()
    {
        QFETCH(int, byte);
        QFETCH(bool, hexMode);
        QFETCH(QString, shown);
        QCOMPARE(::visibleForm(static_cast<quint8>(byte), hexMode), shown);
    }

    void displayedLine_data()
    {
        addColumns<QString, QString>({"line", "shown"});
        QTest::newRow("plain text unchanged") << QStringLiteral("  GOT (OK) as expected.")
                                              << QStringLiteral("  GOT (OK) as expected.");
        QTest::newRow("reply with CR LF") << QStringLiteral("  GOT (OK\r\n) as expected.")
                                          << QStringLiteral("  GOT (OK\\0D\\0A) as expected.");
        QTest::newRow("NUL and DEL")
            << QString(QChar(0)) + QChar(127) << QStringLiteral("\\00\\7F");
        QTest::newRow("reply bytes 128 and 255")
            << QStringLiteral("  GOT (") + portText("\x80\xFF") + QStringLiteral(")")
            << QStringLiteral("  GOT (\\80\\FF)");
        QTest::newRow("C1 control") << QString(QChar(0x85)) << QStringLiteral("\\85");
        QTest::newRow("the program's own German text kept")
            << QStringLiteral("Open COM9 failed: Ung\u00fcltiges Argument")
            << QStringLiteral("Open COM9 failed: Ung\u00fcltiges Argument");
        QTest::newRow("Greek beyond 255 kept")
            << QStringLiteral("\u03b1\u0100") << QStringLiteral("\u03b1\u0100");
    }
    void displayedLine()
    {
        QFETCH(QString, line);
        QFETCH(QString, shown);
        QCOMPARE(::displayedLine(line), shown);
    }

    void rules_data()
    {
        addColumns<QList<Step>, QStringList>({"steps", "lines"});
        QTest::newRow("fresh log") << QList<Step>{} << QStringList{QString()};
        QTest::newRow("line fills the empty open line")
            << QList<Step>{clear(), line("abc")} << QStringList{"abc", ""};
        QTest::newRow("empty line leaves a blank line")
            << QList<Step>{line("")} << QStringList{"", ""};
        QTest::newRow("partial byte line stays, text goes below")
            << QList<Step>{chars("OK"), line("x")} << QStringList{"OK", "x", ""};
        QTest::newRow("empty line after a partial line")
            << QList<Step>{chars("OK"), line("")} << QStringList{"OK", "", ""};
        QTest::newRow("CR LF end the line in character mode")
            << QList<Step>{chars("A\r\nB")} << QStringList{"A", "B"};
        QTest::newRow("CR LF shown in hex mode")
            << QList<Step>{hex("A\r\nB")} << QStringList{"\\41\\0D\\0A", "\\42"};
        QTest::newRow("61 bytes break after 60")
            << QList<Step>{chars(QByteArray(61, 'x'))} << QStringList{k60, "x"};
        QTest::newRow("60 bytes then LF: no extra break")
            << QList<Step>{chars(QByteArray(60, 'x') + '\n')} << QStringList{k60, ""};
        QTest::newRow("60 bytes then CR: CR breaks though it shows nothing")
            << QList<Step>{chars(QByteArray(60, 'x') + "\r\n")} << QStringList{k60, "", ""};
        QTest::newRow("hex mode: 20 bytes a line")
            << QList<Step>{hex(QByteArray(21, 'x'))}
            << QStringList{QStringLiteral("\\78").repeated(20), "\\78"};
        QTest::newRow("hex form begun at 59 runs past 60")
            << QList<Step>{chars(QByteArray(59, 'x') + '\0' + 'y')}
            << QStringList{QString(59, QLatin1Char('x')) + "\\00", "y"};
        QTest::newRow("LF in hex mode after 60 characters")
            << QList<Step>{hex(QByteArray(20, 'x') + '\n')}
            << QStringList{QStringLiteral("\\78").repeated(20) + "\\0A", ""};
        QTest::newRow("long line is never cut")
            << QList<Step>{line(QByteArray(200, 'L').constData())}
            << QStringList{QString(200, QLatin1Char('L')), ""};
        QTest::newRow("mode change takes effect with the next byte")
            << QList<Step>{chars("A"), hex("B"), chars("C")} << QStringList{"A\\42C"};
        QTest::newRow("clear leaves one empty line")
            << QList<Step>{line("a"), chars("bc"), clear()} << QStringList{QString()};
        QTest::newRow("text beyond Latin-1 survives")
            << QList<Step>{line("Gr\xc3\xbc\xc3\x9f\x65 \xe2\x9c\x93")}
            << QStringList{QStringLiteral(u"Grüße ✓"), ""};
    }
    void rules()
    {
        QFETCH(QStringList, lines);
        const MsgLog log = logAfterRowSteps();
        QCOMPARE(log.lines(), lines);
        QCOMPARE(log.lineCount(), lines.size());
        for (int i = 0; i < lines.size(); ++i)
            QCOMPARE(log.line(i), lines.at(i));
    }

    // The copied text is every line as drawn, joined by line feeds, as characters and as UTF-8.
    // Its length is counted before it is made: a wrong count would make the text grow, and hold
    // a second copy, while it is built.
    void shownText_data()
    {
        QTest::addColumn<QList<Step>>("steps");
        QTest::newRow("empty log") << QList<Step>{};
        QTest::newRow("lines and an open line")
            << QList<Step>{line("abc"), chars("OK"), line("x"), chars("par")};
        QTest::newRow("reply with CR LF and DEL") << QList<Step>{line("GOT (OK\r\n\x7f)")};
        QTest::newRow("hex rows") << QList<Step>{hex(QByteArray(45, '\xff'))};
        QTest::newRow("Latin-1, Greek and a character beyond 16 bits")
            << QList<Step>{line("Gr\xc3\xbc\xc3\x9f \xce\xb1\xce\xb2"),
                           line("\xf0\x9f\x93\xa1 \x01"), chars("\x80\xff")};
        QTest::newRow("blank lines only") << QList<Step>{line(""), line(""), chars("\n")};
    }
    void shownText()
    {
        const MsgLog log = logAfterRowSteps();
        QStringList drawn;
        for (const QString& l : log.lines())
            drawn << ::displayedLine(l);
        const QString text = log.shownText();
        QCOMPARE(text, drawn.join(QLatin1Char('\n')));
        QCOMPARE(log.shownTextLength(), text.size());
        QCOMPARE(log.shownUtf8(), text.toUtf8());
    }

    // The widest line as drawn sets how far the window scrolls sideways.
    void widestLine_data()
    {
        addColumns<QList<Step>, int>({"steps", "widest"});
        QTest::newRow("nothing") << QList<Step>{} << 0;
        QTest::newRow("longest of several lines")
            << QList<Step>{line("abc"), line("abcdefg"), line("ab")} << 7;
        QTest::newRow("control characters drawn as \\hh") << QList<Step>{line("a\r\n")} << 7;
        QTest::newRow("byte output breaks at 60") << QList<Step>{chars(QByteArray(130, 'q'))} << 60;
        QTest::newRow("hex form begun at 59")
            << QList<Step>{chars(QByteArray(59, 'q') + '\x01')} << 62;
        QTest::newRow("a long line is never cut")
            << QList<Step>{line(QByteArray(300, 'w').constData())} << 300;
        QTest::newRow("clear starts over")
            << QList<Step>{line("abcdefg"), clear(), line("ab")} << 2;
    }
    void widestLine()
    {
        const MsgLog log = logAfterRowSteps();
        QTEST(log.widestLine(), "widest");
    }

    // The model mirrors the log in batches: a batch changes at most the row that was the open
    // line and inserts the lines completed since.
    void modelNotifications_data()
    {
        addColumns<QList<Step>, int, int, int>({"steps", "inserted", "changed", "resets"});
        QTest::newRow("bytes on the open line") << QList<Step>{chars("abc")} << 0 << 1 << 0;
        QTest::newRow("CR shows nothing, changes nothing")
            << QList<Step>{chars("\r")} << 0 << 0 << 0;
        QTest::newRow("line feed adds one row") << QList<Step>{chars("a\n")} << 1 << 1 << 0;
        QTest::newRow("line on empty open line") << QList<Step>{line("x")} << 1 << 1 << 0;
        QTest::newRow("line after partial line")
            << QList<Step>{chars("a"), line("x")} << 2 << 1 << 0;
        QTest::newRow("forced break") << QList<Step>{chars(QByteArray(61, 'q'))} << 1 << 1 << 0;
        QTest::newRow("many lines, one batch")
            << QList<Step>{line("a"), line("b"), chars("c\n"), line("d")} << 4 << 1 << 0;
        QTest::newRow("clear before the batch") << QList<Step>{line("x"), clear()} << 0 << 0 << 1;
    }
    void modelNotifications()
    {
        QFETCH(QList<Step>, steps);
        QFETCH(int, inserted);
        QFETCH(int, changed);
        QFETCH(int, resets);
        MsgLogModel model;
        // The tester checks begin/end pairs, row counts and indexes as the signals come.
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QSignalSpy rows(&model, &QAbstractItemModel::rowsInserted);
        // Only ever the open line, the last row at that moment, changes.
        int changes = 0;
        connect(&model, &QAbstractItemModel::dataChanged, this,
                [&](const QModelIndex& from, const QModelIndex& to) {
                    QCOMPARE(from, to);
                    QCOMPARE(from.row(), model.rowCount() - 1);
                    ++changes;
                });
        QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
        apply(model.log(), steps);
        model.flush();
        int insertedRows = 0;
        for (const QList<QVariant>& args : rows)
            insertedRows += args.at(2).toInt() - args.at(1).toInt() + 1;
        QCOMPARE(insertedRows, inserted);
        QVERIFY(rows.size() <= 1);
        QCOMPARE(changes, changed);
        QCOMPARE(reset.size(), resets);
        QCOMPARE(model.rowCount(), model.log().lineCount());
        for (int row = 0; row < model.rowCount(); ++row)
            QCOMPARE(model.index(row).data().toString(), model.log().line(row));
    }
};

QTEST_GUILESS_MAIN(tst_msglog)
#include "tst_msglog.moc"
