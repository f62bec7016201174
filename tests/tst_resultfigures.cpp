// The station's results without a window: figures of known stores, the pages, the CSV export and
// the worker's choice of source.
#include "results/ResultFigures.h"
#include "results/ResultsText.h"
#include "results/ResultsThread.h"
#include "results/ResultsWorker.h"
#include "results/RunsCsv.h"
#include "results/RunsPage.h"
#include "support/PgServer.h"
#include "support/ResultsRuns.h"

#include <QJsonArray>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlError>
#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(BoardRun)
Q_DECLARE_METATYPE(ResultsFilter::Period)

using Period = ResultsFilter::Period;

namespace
{
QDateTime at(int day, int hour, int minute, int second = 0)
{
    return QDateTime(QDate(2026, 12, day), QTime(hour, minute, second), Qt::LocalTime);
}

BoardRun failedRun(const QString& unit, const QDateTime& start, const QString& outcome,
                   const QString& step, int errors = 0)
{
    BoardRun run = passedRun(unit, start);
    run.outcome = outcome;
    run.endedIn = step;
    run.errors = errors;
    return run;
}

BoardRun onStation(BoardRun run, const QString& station)
{
    run.station = station;
    return run;
}

BoardRun withId(BoardRun run, const QString& id)
{
    run.runId = id;
    return run;
}

QList<BoardRun> failedThenPassedElsewhere()
{
    return {onStation(failedRun("U-1", at(9, 10, 0), "aborted", "Establishing Communication"), "A"),
            onStation(passedRun("U-1", at(9, 10, 30)), "B"),
            onStation(passedRun("U-2", at(9, 11, 0)), "A"),
            onStation(passedRun("U-3", at(9, 12, 0)), "A")};
}

const QDateTime now = at(9, 14, 0);
} // namespace

class tst_resultfigures : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    PgServer m_server;
    int m_stores = 0;

    QString store(const QList<BoardRun>& runs)
    {
        const QString path = m_dir.filePath(QStringLiteral("store-%1.db").arg(++m_stores));
        if (!writeResultsStore(path, runs))
            return {};
        return path;
    }

    // A new database on the suite's server holding the runs, as the worker reaches it.
    ServerSettings serverDatabase(const QList<BoardRun>& runs)
    {
        ServerSettings server{QStringLiteral("127.0.0.1"),
                              m_server.port(),
                              QStringLiteral("rovizez"),
                              {},
                              QStringLiteral("figures_%1").arg(++m_stores),
                              {}};
        if (!writeResultsServer(server, runs))
            return {};
        return server;
    }

    // The runs in a store ("sqlite") or in a database on the server ("postgresql").
    ResultsSource sourceOf(const QList<BoardRun>& runs, const QString& database)
    {
        if (database == QLatin1String("postgresql"))
            return {QString(), serverDatabase(runs)};
        return {store(runs), {}};
    }

    // A connection of the test's own, not yet open, to the runs in that kind of database.
    QSqlDatabase connectionTo(const QList<BoardRun>& runs, const QString& database,
                              const QString& name)
    {
        const ResultsSource source = sourceOf(runs, database);
        if (source.server.host.isEmpty()) {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", name);
            db.setDatabaseName(source.storePath);
            return db;
        }
        QSqlDatabase db = QSqlDatabase::addDatabase("QPSQL", name);
        db.setHostName(source.server.host);
        db.setPort(source.server.port);
        db.setUserName(source.server.user);
        db.setDatabaseName(source.server.database);
        return db;
    }

    // The figures of the runs as the worker reads them, on this thread.
    ResultFigures figuresOf(const QList<BoardRun>& runs, const ResultsFilter& filter,
                            const QString& database = QStringLiteral("sqlite"))
    {
        ResultsWorker worker;
        worker.setSource(sourceOf(runs, database));
        QSignalSpy ready(&worker, &ResultsWorker::figuresReady);
        QSignalSpy failed(&worker, &ResultsWorker::failed);
        worker.figures(1, filter);
        if (!failed.isEmpty())
            qWarning() << database << failed.at(0).at(1).toString();
        return ready.size() == 1 ? ready.at(0).at(1).value<ResultFigures>() : ResultFigures();
    }

    // The rows of figures(), each read from a database of that kind.
    static void figureRows(const char* database)
    {
        const auto row = [database](const char* name) -> QTestData& {
            return QTest::addRow("%s: %s", database, name) << QString::fromLatin1(database);
        };
        const QDate none;
        row("failed then passed on another station")
            << failedThenPassedElsewhere() << Period::Today << none << ""
            << "" << QList<qint64>{3, 4, 1, 1, 0} << "67 %"
            << "100 %"
            << "aborted in Establishing Communication" << qint64(1);
        row("one station of two") << failedThenPassedElsewhere() << Period::Today << none << "B"
                                  << "" << QList<qint64>{1, 1, 0, 0, 0} << "100 %"
                                  << "100 %"
                                  << "" << qint64(0);
        BoardRun channels = failedRun("U-1", at(9, 10, 20), "completed", "", 5);
        channels.channels = {{1, 5, 0}, {2, 16, 3}, {3, 32, 2}};
        row("runs without a label count as runs")
            << QList<BoardRun>{failedRun("", at(9, 10, 0), "stopped", "Writing Configuration"),
                               passedRun("", at(9, 10, 10)), channels}
            << Period::Today << none << ""
            << "" << QList<qint64>{1, 3, 0, 0, 1} << "0 %"
            << "0 %"
            << "errors in Ch# 16" << qint64(1);
        BoardRun setConfig = failedRun("U-1", at(9, 0, 10), "completed", "", 2);
        setConfig.run = "SetConfig";
        row("today begins at local midnight")
            << QList<BoardRun>{passedRun("U-1", at(8, 23, 50)), setConfig} << Period::Today << none
            << ""
            << "" << QList<qint64>{1, 1, 0, 0, 0} << "0 %"
            << "0 %"
            << "errors in SetConfig" << qint64(1);
        row("the shift holds the last eight hours")
            << QList<BoardRun>{failedRun("U-1", at(9, 5, 59), "aborted", "Opening Port"),
                               passedRun("U-1", at(9, 6, 1)), passedRun("U-2", at(9, 13, 59))}
            << Period::ThisShift << none << ""
            << "" << QList<qint64>{2, 2, 0, 0, 0} << "100 %"
            << "100 %"
            << "" << qint64(0);
        row("the final yield follows the latest run")
            << QList<BoardRun>{passedRun("U-1", at(9, 9, 0)),
                               failedRun("U-1", at(9, 9, 30), "stopped", "Radio Test")}
            << Period::Today << none << ""
            << "" << QList<qint64>{1, 2, 1, 0, 1} << "100 %"
            << "0 %"
            << "stopped in Radio Test" << qint64(1);
        row("runs begun in the same millisecond")
            << QList<BoardRun>{withId(passedRun("U-1", at(9, 9, 0)), "b"),
                               withId(failedRun("U-1", at(9, 9, 0), "aborted", "Opening Port"),
                                      "a")}
            << Period::Today << none << ""
            << "" << QList<qint64>{1, 2, 1, 1, 0} << "0 %"
            << "100 %"
            << "aborted in Opening Port" << qint64(1);
        row("a period without runs has no yields")
            << QList<BoardRun>{passedRun("U-1", at(1, 9, 0))} << Period::Today << none << ""
            << "" << QList<qint64>{0, 0, 0, 0, 0} << "\u2014"
            << "\u2014"
            << "" << qint64(0);
        row("between two dates, the last inclusive")
            << QList<BoardRun>{passedRun("U-a", at(6, 23, 59, 59)), passedRun("U-b", at(7, 0, 0)),
                               passedRun("U-c", at(8, 23, 59, 59)), passedRun("U-d", at(9, 0, 0))}
            << Period::Between << QDate(2026, 12, 7) << ""
            << "" << QList<qint64>{2, 2, 0, 0, 0} << "100 %"
            << "100 %"
            << "" << qint64(0);
        const QList<BoardRun> labels{passedRun("U-100", at(9, 9, 0)),
                                     passedRun("u-101", at(9, 9, 1)), passedRun("X%1", at(9, 9, 2)),
                                     passedRun("Y_1", at(9, 9, 3)), passedRun("Z\\1", at(9, 9, 4))};
        row("unit search ignores case") << labels << Period::Today << none << ""
                                        << "U-10" << QList<qint64>{2, 2, 0, 0, 0} << "100 %"
                                        << "100 %"
                                        << "" << qint64(0);
        row("unit search takes % as itself") << labels << Period::Today << none << ""
                                             << "%" << QList<qint64>{1, 1, 0, 0, 0} << "100 %"
                                             << "100 %"
                                             << "" << qint64(0);
        row("unit search takes _ as itself") << labels << Period::Today << none << ""
                                             << "_" << QList<qint64>{1, 1, 0, 0, 0} << "100 %"
                                             << "100 %"
                                             << "" << qint64(0);
        row("unit search takes a backslash as itself")
            << labels << Period::Today << none << ""
            << "\\" << QList<qint64>{1, 1, 0, 0, 0} << "100 %"
            << "100 %"
            << "" << qint64(0);
    }

private slots:
    void initTestCase()
    {
        qputenv("TZ", "Europe/Berlin");
        tzset();
        QVERIFY(m_dir.isValid());
        const QString error = m_server.start();
        QVERIFY2(error.isEmpty(), qPrintable(error));
    }

    void figures_data()
    {
        QTest::addColumn<QString>("database");
        QTest::addColumn<QList<BoardRun>>("runs");
        QTest::addColumn<Period>("period");
        QTest::addColumn<QDate>("from");
        QTest::addColumn<QString>("station");
        QTest::addColumn<QString>("search");
        QTest::addColumn<QList<qint64>>("counts"); // units, runs, retests, aborted, stopped
        QTest::addColumn<QString>("firstPass");
        QTest::addColumn<QString>("final");
        QTest::addColumn<QString>("topCause");
        QTest::addColumn<qint64>("topCauseRuns");

        figureRows("sqlite");
        figureRows("postgresql");
    }

    void figures()
    {
        QFETCH(QString, database);
        QFETCH(QList<BoardRun>, runs);
        QFETCH(Period, period);
        QFETCH(QDate, from);
        QFETCH(QString, station);
        QFETCH(QString, search);
        QFETCH(QList<qint64>, counts);
        ResultsFilter filter =
            ResultsFilter::forPeriod(period, now, from, from.isValid() ? from.addDays(1) : from);
        filter.station = station;
        filter.unitSearch = search;

        const ResultFigures figures = figuresOf(runs, filter, database);
        QCOMPARE((QList<qint64>{figures.units, figures.runs, figures.retests, figures.aborted,
                                figures.stopped}),
                 counts);
        QTEST(yieldText(figures.firstPassYield()), "firstPass");
        QTEST(yieldText(figures.finalYield()), "final");
        const QJsonObject json = resultsJson(figures);
        QCOMPARE(json["first_pass_yield"].isNull(), figures.units == 0);
        QCOMPARE(json["runs"].toInteger(), figures.runs);
        const QJsonArray pareto = json["pareto"].toArray();
        QTEST(pareto.isEmpty() ? QString() : pareto[0]["step"].toString(), "topCause");
        QTEST(pareto.isEmpty() ? qint64(0) : pareto[0]["runs"].toInteger(), "topCauseRuns");
    }

    void chartsOfTheDay_data()
    {
        QTest::addColumn<QString>("database");
        QTest::newRow("sqlite") << "sqlite";
        QTest::newRow("postgresql") << "postgresql";
    }

    void chartsOfTheDay()
    {
        QFETCH(QString, database);
        QList<BoardRun> runs = failedThenPassedElsewhere();
        BoardRun errors = onStation(failedRun("U-4", at(9, 12, 40), "completed", "", 4), "B");
        errors.channels = {{1, 16, 0}, {2, 32, 4}};
        BoardRun clean = onStation(passedRun("U-5", at(9, 12, 50)), "B");
        clean.channels = {{1, 16, 0}, {2, 32, 1}};
        runs << errors << clean
             << failedRun("U-6", at(9, 13, 0), "aborted", "Establishing Communication")
             << onStation(passedRun("U-7", at(9, 13, 10)), "Line-9");
        const ResultFigures figures =
            figuresOf(runs, ResultsFilter::forPeriod(Period::Today, now), database);

        QStringList hours;
        for (const ResultFigures::Hour& hour : figures.hours)
            hours << QStringLiteral("%1 %2/%3/%4")
                         .arg(hour.hour.mid(11))
                         .arg(hour.passed)
                         .arg(hour.withErrors)
                         .arg(hour.abortedOrStopped);
        QCOMPARE(hours, (QStringList{"10 1/0/1", "11 1/0/0", "12 2/1/0", "13 1/0/1"}));
        QCOMPARE(figures.pareto.size(), 2);
        QCOMPARE(figures.pareto[0].step, QStringLiteral("aborted in Establishing Communication"));
        QCOMPARE(figures.pareto[0].cumulativeShare, 2.0 / 3.0);
        QCOMPARE(figures.pareto[1].step, QStringLiteral("errors in Ch# 32"));
        QCOMPARE(figures.pareto[1].cumulativeShare, 1.0);
        QCOMPARE(figures.channels.size(), 2);
        QCOMPARE(figures.channels[1].channel, 32);
        QCOMPARE(figures.channels[1].errors, 5);
        QStringList stations;
        for (const ResultFigures::Station& station : figures.stations)
            stations << station.station + " " + yieldText(station.firstPassYield());
        QCOMPARE(stations, (QStringList{"A 67 %", "B 67 %", "Line-9 100 %", "bench-1 0 %"}));
    }

    void pagesAreNewestFirstAndCut_data() { chartsOfTheDay_data(); }

    void pagesAreNewestFirstAndCut()
    {
        QFETCH(QString, database);
        BoardRun longLabel = passedRun(QString(10000, 'L'), at(9, 9, 0));
        longLabel.runId = "long";
        BoardRun broken = passedRun("", at(9, 9, 5));
        broken.rawUnit = QByteArray("U-\xff\xfe-1");
        QList<BoardRun> runs{longLabel, broken};
        for (int i = 0; i < 5; ++i)
            runs << passedRun(QStringLiteral("U-%1").arg(i), at(9, 10, i));
        QSqlDatabase db = connectionTo(runs, database, "pages");
        QVERIFY2(db.open(), qPrintable(db.lastError().text()));
        QList<RunRow> rows;
        QString error;
        const ResultsFilter today = ResultsFilter::forPeriod(Period::Today, now);
        QVERIFY2(readRunsPage(db, today, 4, 3, &rows, &error), qPrintable(error));
        QCOMPARE(rows.size(), 3);
        QCOMPARE(rows[0].unit, QStringLiteral("U-0"));
        QVERIFY(rows[1].unit.startsWith("U-"));
        QCOMPARE(rows[2].unit.size(), pageTextLimit);
        QVERIFY(rows[2].unit.endsWith(QChar(0x2026)));
        RunDetail detail;
        QVERIFY(readRunDetail(db, "long", &detail, &error));
        QCOMPARE(detail.unit.size(), 10000);
        QVERIFY(readRunDetail(db, "no such run", &detail, &error));
        QVERIFY(!detail.found);
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase("pages");
    }

    void csvField_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("formula") << "=1+2" << QByteArray("'=1+2\r\n");
        QTest::newRow("plus") << "+49 30" << QByteArray("'+49 30\r\n");
        QTest::newRow("minus") << "-5" << QByteArray("'-5\r\n");
        QTest::newRow("at") << "@SUM(A1)" << QByteArray("'@SUM(A1)\r\n");
        QTest::newRow("tab") << "\tx" << QByteArray("'\tx\r\n");
        QTest::newRow("carriage return, quoted") << "\rx" << QByteArray("\"'\rx\"\r\n");
        QTest::newRow("comma and quote") << "a,\"b\"" << QByteArray("\"a,\"\"b\"\"\"\r\n");
        QTest::newRow("space before a formula") << " =x" << QByteArray("\" =x\"\r\n");
        QTest::newRow("plain") << "U-0100" << QByteArray("U-0100\r\n");
    }

    void csvField()
    {
        QFETCH(QString, field);
        QTEST(runsCsvRow({field}), "written");
    }

    void exportWritesEveryRun_data() { chartsOfTheDay_data(); }

    void exportWritesEveryRun()
    {
        QFETCH(QString, database);
        BoardRun tested = passedRun("U-1", at(9, 9, 0));
        tested.channels = {{1, 16, 0}, {2, 32, 1}};
        BoardRun broken = passedRun("", at(9, 9, 5));
        broken.rawUnit = QByteArray("U-\xff-2");
        ResultsWorker worker;
        worker.setSource(sourceOf({tested, broken}, database));
        QSignalSpy done(&worker, &ResultsWorker::exportDone);
        const QString csv = m_dir.filePath(database + ".csv");
        worker.exportRuns(1, ResultsFilter::forPeriod(Period::Today, now), csv);
        QCOMPARE(done.size(), 1);
        QCOMPARE(done[0][1].toLongLong(), 2);
        QFile file(csv);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().split('\n');
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines[0], runsCsvHeader().chopped(1));
        QVERIFY(lines[1].contains(",U-1,SIM,Test,completed,,0,1.30,base,FAST-MultiMode,16,0,32,1,"
                                  ",,,bench-1\r"));
        QCOMPARE(lines[2].count(','), 18);
    }

    void sourceAnswering_data()
    {
        QTest::addColumn<bool>("storeExists");
        QTest::addColumn<QString>("serverHost");
        QTest::addColumn<QString>("line"); // empty: the request fails
        QTest::newRow("store") << true << ""
                               << "Station store";
        QTest::newRow("server not answering") << true << "127.0.0.1"
                                              << "Server not answering: showing the station store";
        QTest::newRow("no store, no server") << false << ""
                                             << "";
    }

    void sourceAnswering()
    {
        QFETCH(bool, storeExists);
        QFETCH(QString, serverHost);
        QFETCH(QString, line);
        ResultsSource source{storeExists ? store({passedRun("U-1", at(9, 9, 0))})
                                         : m_dir.filePath("missing.db"),
                             {}};
        source.server.host = serverHost;
        source.server.port = 1; // nothing listens there
        ResultsThread thread;
        QSignalSpy ready(thread.worker(), &ResultsWorker::figuresReady);
        QSignalSpy failed(thread.worker(), &ResultsWorker::failed);
        thread.setSource(source);
        const quint64 ticket = thread.askFigures(ResultsFilter::forPeriod(Period::Today, now));
        QTRY_COMPARE_WITH_TIMEOUT(ready.size() + failed.size(), 1, 10000);
        QSignalSpy& answer = line.isEmpty() ? failed : ready;
        QCOMPARE(answer.size(), 1);
        QCOMPARE(answer[0][0].toULongLong(), ticket);
        if (!line.isEmpty())
            QCOMPARE(sourceLine(answer[0][2].value<SourceState>()), line);
    }
};

QTEST_GUILESS_MAIN(tst_resultfigures)
#include "tst_resultfigures.moc"
