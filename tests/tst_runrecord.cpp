// A run's record without a window: the results row, the file names, the next unit label and the
// all-or-nothing append to the results table.
#include "script/RecordFiles.h"
#include "script/RunRecord.h"
#include "support/DataTable.h"
#include "support/RecordsFolder.h"

#include <QDir>
#include <QFile>
#include <QTimeZone>
#include <QtTest>
#include <csignal>
#include <sys/resource.h>

namespace
{
RunRecord sampleRecord()
{
    RunRecord record;
    record.start = QDateTime(QDate(2026, 12, 9), QTime(14, 15, 2), Qt::LocalTime);
    record.end = record.start.addSecs(41);
    record.unit = QStringLiteral("U-0100");
    record.port = QStringLiteral("SIM");
    record.run = QStringLiteral("Test");
    record.errors = 5;
    record.firmware = QStringLiteral("1.30");
    record.station = QStringLiteral("base");
    record.configuration = QStringLiteral("FAST-MultiMode");
    record.channels = {{1, 2}, {32, 0}, {16, 3}};
    record.logFile = QStringLiteral("Test-U-0100-2026-12-09-141502.txt");
    return record;
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}
} // namespace

class tst_runrecord : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // Local times are checked in a zone with summer time.
        qputenv("TZ", "Europe/Berlin");
        tzset();
    }

    void headerAndRowHoldTheColumnsInOrder()
    {
        QCOMPARE(resultsHeader(),
                 QByteArray("start,end,unit,port,run,outcome,aborted_in,errors,firmware,station,"
                            "configuration,ch1,ch1_errors,ch2,ch2_errors,ch3,ch3_errors,log_file"
                            "\r\n"));
        QCOMPARE(resultsRow(sampleRecord()),
                 QByteArray("2026-12-09T14:15:02+01:00,2026-12-09T14:15:43+01:00,U-0100,SIM,Test,"
                            "completed,,5,1.30,base,FAST-MultiMode,1,2,32,0,16,3,"
                            "Test-U-0100-2026-12-09-141502.txt\r\n"));
    }

    // Whatever a label or a step holds, the row reads back as the same fields, and a run without
    // a radio test leaves the channel columns empty.
    void rowsReadBackAsTheirFields_data()
    {
        addColumns<QString, int, QString, int>({"unit", "outcome", "abortedIn", "channels"});
        QTest::newRow("aborted, no test")
            << "U7" << int(RunOutcome::Aborted) << "Establishing Communication" << 0;
        QTest::newRow("stopped in a channel")
            << "" << int(RunOutcome::Stopped) << "Remote Loopback Ch# 32" << 2;
        QTest::newRow("comma and quote") << "A,\"B\"" << int(RunOutcome::Completed) << "" << 3;
        QTest::newRow("line break and spaces") << " x\ny " << int(RunOutcome::Completed) << "" << 3;
        QTest::newRow("non-ASCII") << "Ünit-ß-5" << int(RunOutcome::Completed) << "" << 3;
    }

    void rowsReadBackAsTheirFields()
    {
        QFETCH(QString, unit);
        QFETCH(int, outcome);
        QFETCH(QString, abortedIn);
        QFETCH(int, channels);
        RunRecord record = sampleRecord();
        record.unit = unit;
        record.outcome = RunOutcome(outcome);
        record.abortedIn = abortedIn;
        record.channels = record.channels.mid(0, channels);
        const auto rows = parseCsv(resultsHeader() + resultsRow(record));
        QVERIFY(rows);
        QCOMPARE(rows->size(), 2);
        const QStringList& fields = rows->at(1);
        QCOMPARE(fields.size(), rows->at(0).size());
        QCOMPARE(fields.at(2), unit);
        QCOMPARE(fields.at(5), QStringList({"completed", "aborted", "stopped"}).at(outcome));
        QCOMPARE(fields.at(6), abortedIn);
        const QStringList expected{"1", "2", "32", "0", "16", "3"};
        for (int i = 0; i < 6; ++i)
            QCOMPARE(fields.at(11 + i), i < 2 * channels ? expected.at(i) : QString());
    }

    void localTimesCarryTheirOffset_data()
    {
        addColumns<QDateTime, QString>({"time", "shown"});
        QTest::newRow("winter") << QDateTime(QDate(2026, 1, 15), QTime(10, 0), Qt::UTC)
                                << "2026-01-15T11:00:00+01:00";
        QTest::newRow("summer") << QDateTime(QDate(2026, 7, 15), QTime(10, 0), Qt::UTC)
                                << "2026-07-15T12:00:00+02:00";
        QTest::newRow("given in another zone")
            << QDateTime(QDate(2026, 7, 15), QTime(10, 0), QTimeZone(-(3 * 3600 + 1800)))
            << "2026-07-15T15:30:00+02:00";
    }

    void localTimesCarryTheirOffset()
    {
        QFETCH(QDateTime, time);
        QTEST(isoLocalTime(time), "shown");
    }

    void nextUnitLabel_data()
    {
        addColumns<QString, QString>({"last", "next"});
        // Each row: its tag, the last label given, the label that follows it.
        const char* const rows[][3] = {
            {"keeps the width", "U-0099", "U-0100"},
            {"grows a digit", "B9", "B10"},
            {"digits only", "999", "1000"},
            {"no digits at the end", "x12y", "x12y"},
            {"empty", "", ""},
            {"other scripts' digits", "A\u0663", "A\u0663"},
        };
        for (const auto& row : rows)
            QTest::newRow(row[0]) << row[1] << row[2];
    }

    void nextUnitLabel()
    {
        QFETCH(QString, last);
        QTEST(::nextUnitLabel(last), "next");
    }

    void recordFileName_data()
    {
        addColumns<QString, QString>({"unit", "name"});
        QTest::newRow("labelled") << "U-0100"
                                  << "Test-U-0100-2026-12-09-141502.txt";
        QTest::newRow("no label") << ""
                                  << "Test-2026-12-09-141502.txt";
        QTest::newRow("path and control characters") << "../a/b:c\t*"
                                                     << "Test-.._a_b_c__-2026-12-09-141502.txt";
        QTest::newRow("long label")
            << QString(100, QLatin1Char('x'))
            << "Test-" + QString(64, QLatin1Char('x')) + "-2026-12-09-141502.txt";
    }

    void recordFileName()
    {
        QFETCH(QString, unit);
        QTEST(::recordFileName(QStringLiteral("Test"), unit, sampleRecord().start), "name");
    }

    void takenNamesGetANumber()
    {
        RecordsFolder folder;
        const QString name = QStringLiteral("Test-2026-12-09-141502.txt");
        QCOMPARE(freeRecordPath(folder.path(), name), folder.filePath(name));
        for (const char* taken : {"Test-2026-12-09-141502.txt", "Test-2026-12-09-141502-2.txt"}) {
            QFile file(folder.filePath(QString::fromLatin1(taken)));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        QCOMPARE(freeRecordPath(folder.path(), name),
                 folder.filePath(QStringLiteral("Test-2026-12-09-141502-3.txt")));
    }

    void tableGainsOneRowAWrite()
    {
        RecordsFolder folder;
        const QString path = folder.filePath(resultsFileName(QDate(2026, 12, 9)));
        QCOMPARE(QFileInfo(path).fileName(), QStringLiteral("results-2026-12-09.csv"));
        QCOMPARE(appendResultsRow(path, "h\r\n", "a\r\n"), QString());
        QCOMPARE(appendResultsRow(path, "h\r\n", "b\r\n"), QString());
        QCOMPARE(readAll(path), QByteArray("h\r\na\r\nb\r\n"));
        // A table saved by another program without its last line break gets one first.
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::Append));
            file.write("c");
        }
        QCOMPARE(appendResultsRow(path, "h\r\n", "d\r\n"), QString());
        QCOMPARE(readAll(path), QByteArray("h\r\na\r\nb\r\nc\r\nd\r\n"));
    }

    // A file size limit cuts the write short, as a full disk does: the part of the row that
    // went in is taken out again, and a table the write began is removed.
    void shortWriteLeavesNoPartOfARow_data()
    {
        addFlagRows("existing", {{"table with rows", true}, {"new table", false}});
    }

    void shortWriteLeavesNoPartOfARow()
    {
        QFETCH(bool, existing);
        RecordsFolder folder;
        const QString path = folder.filePath(QStringLiteral("results.csv"));
        const QByteArray row = resultsRow(sampleRecord());
        if (existing)
            QCOMPARE(appendResultsRow(path, resultsHeader(), row), QString());
        const QByteArray before = existing ? readAll(path) : QByteArray();

        std::signal(SIGXFSZ, SIG_IGN);
        rlimit saved{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
        rlimit limited = saved;
        limited.rlim_cur = rlim_t(before.size() + row.size() / 2);
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &limited), 0);
        const QString reason = appendResultsRow(path, resultsHeader(), row);
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &saved), 0);

        QVERIFY(!reason.isEmpty());
        QCOMPARE(QFileInfo::exists(path), existing);
        if (existing)
            QCOMPARE(readAll(path), before);
        // The table takes rows again once there is room.
        QCOMPARE(appendResultsRow(path, resultsHeader(), row), QString());
        QCOMPARE(readAll(path), (existing ? before : resultsHeader()) + row);
    }
};

QTEST_GUILESS_MAIN(tst_runrecord)
#include "tst_runrecord.moc"
