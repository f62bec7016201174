// Forwarding to a real PostgreSQL server: each run arrives once, an outage loses nothing, a newer
// server is left alone, a silent server costs bounded time, and stations starting at once make
// the tables once.
#include "records/ForwardWithin.h"
#include "records/RecordSchema.h"
#include "records/RecordStore.h"
#include "records/RunRows.h"
#include "records/ServerLink.h"
#include "support/PgServer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace
{
StoredRun sampleRun(int n)
{
    StoredRun run;
    run.runId = QStringLiteral("00000000-0000-0000-0000-%1").arg(n, 12, 10, QLatin1Char('0'));
    run.station = QStringLiteral("bench-2");
    run.operatorName = QStringLiteral("mkovac");
    run.programVersion = QStringLiteral("1.05.1");
    run.unit = QStringLiteral("U-%1").arg(n);
    run.port = QStringLiteral("/dev/ttyUSB0");
    run.run = QStringLiteral("Test");
    run.outcome = QStringLiteral("completed");
    run.errors = n % 3;
    run.stationType = QStringLiteral("base");
    run.configuration = QStringLiteral("FAST-MultiMode");
    run.startedAt = QStringLiteral("2026-12-09T14:15:02+01:00");
    run.endedAt = QStringLiteral("2026-12-09T14:15:43+01:00");
    run.startedUtc =
        QStringLiteral("2026-12-09T13:%1:00.000Z").arg(n % 60, 2, 10, QLatin1Char('0'));
    run.log = QStringLiteral("> V\n< 1.30 OK");
    run.channels = {{1, 12, 0}, {2, 32, n % 2}};
    return run;
}

// Commits runs first .. first + count - 1 into the store at path, to be forwarded to uri.
QString fillStore(const QString& path, int first, int count, const QString& uri)
{
    RecordStore store(path);
    QString error = store.open();
    for (int i = first; error.isEmpty() && i < first + count; ++i)
        error = store.commit(sampleRun(i), {}, uri);
    return error;
}

// Runs sql on the server's database through a connection of the test's own; the first value of
// its first row, or the error text.
QVariant onServer(const PgServer& server, const QString& database, const QString& sql)
{
    static int next = 0;
    const QString name = QStringLiteral("test-%1").arg(++next);
    QVariant value;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        db.setHostName(QStringLiteral("127.0.0.1"));
        db.setPort(server.port());
        db.setUserName(QStringLiteral("rovizez"));
        db.setDatabaseName(database);
        QSqlQuery query(db);
        if (!db.open())
            value = db.lastError().text();
        else if (!query.exec(sql))
            value = query.lastError().text();
        else if (query.next())
            value = query.value(0);
    }
    QSqlDatabase::removeDatabase(name);
    return value;
}

// The run with the id as the server keeps it, with its channels.
StoredRun serverRun(const PgServer& server, const QString& database, const QString& runId)
{
    StoredRun run;
    {
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("read"));
        db.setHostName(QStringLiteral("127.0.0.1"));
        db.setPort(server.port());
        db.setUserName(QStringLiteral("rovizez"));
        db.setDatabaseName(database);
        if (db.open()) {
            QSqlQuery query(db);
            query.prepare(QStringLiteral("SELECT %1 FROM runs WHERE run_id = ?").arg(runColumns()));
            query.addBindValue(runId);
            if (query.exec() && query.next())
                run = runFromRow(query);
            query.prepare(channelSelect());
            query.addBindValue(runId);
            if (query.exec())
                while (query.next())
                    run.channels.append(channelFromRow(query));
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("read"));
    return run;
}

// The child's part: fills a store of its own and forwards it, printing the outcome.
int forwardChild(const QString& path, int first, const QString& uri)
{
    const QString error = fillStore(path, first, 10, uri);
    const ForwardReport report =
        error.isEmpty() ? forwardWithin(path, uri, {}, 60000) : ForwardReport{};
    std::printf("%d %lld %s%s\n", report.forwarded, report.waiting, qPrintable(error),
                qPrintable(report.error));
    return error.isEmpty() && report.error.isEmpty() && report.forwarded == 10 ? 0 : 1;
}
} // namespace

class tst_serverforward : public QObject
{
    Q_OBJECT

    PgServer server_;
    QTemporaryDir folder_;
    int databases_ = 0;

    // A new, empty database on the server: its tables are made by the first station to forward.
    QString freshDatabase()
    {
        const QString name = QStringLiteral("records_%1").arg(++databases_);
        const QVariant answer = onServer(server_, QStringLiteral("postgres"),
                                         QStringLiteral("CREATE DATABASE %1").arg(name));
        return answer.isNull() ? name : QString();
    }

    QString storePath() { return folder_.filePath(QStringLiteral("s%1.sqlite").arg(++databases_)); }

private slots:
    void initTestCase()
    {
        const QString error = server_.start();
        QVERIFY2(error.isEmpty(), qPrintable(error));
    }

    void forwardsEachRunOnce_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("log");
        QTest::addColumn<QString>("serverLog");
        const QString log = QStringLiteral("> V\n< 1.30 OK");
        QTest::newRow("one run") << 1 << log << log;
        QTest::newRow("more than a batch") << 120 << log << log;
        QTest::newRow("NUL in the log") << 2 << QStringLiteral("a") + QChar(0) + "b"
                                        << QStringLiteral("a") + QChar(0xfffd) + "b";
    }

    void forwardsEachRunOnce()
    {
        QFETCH(int, count);
        QFETCH(QString, log);
        QFETCH(QString, serverLog);
        const QString database = freshDatabase();
        QVERIFY(!database.isEmpty());
        const QString uri = server_.uri(database);
        const QString path = storePath();
        {
            RecordStore store(path);
            QCOMPARE(store.open(), QString());
            for (int i = 0; i < count; ++i) {
                StoredRun run = sampleRun(i);
                run.log = log;
                QCOMPARE(store.commit(run, {}, uri), QString());
            }
        }
        ForwardReport report = forwardWithin(path, uri, {}, 60000);
        QCOMPARE(report.error, QString());
        QCOMPARE(report.forwarded, count);
        QCOMPARE(report.waiting, 0);
        QCOMPARE(forwardWithin(path, uri, {}, 60000).forwarded, 0);

        // Runs the server committed but the store did not mark go again; the server keeps one.
        {
            QSqlDatabase db =
                QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("unmark"));
            db.setDatabaseName(path);
            QVERIFY(db.open());
            QVERIFY(QSqlQuery(db).exec(QStringLiteral("UPDATE store_marks SET forwarded = 0")));
        }
        QSqlDatabase::removeDatabase(QStringLiteral("unmark"));
        report = forwardWithin(path, uri, {}, 60000);
        QCOMPARE(report.error, QString());
        QCOMPARE(report.forwarded, count);
        QCOMPARE(onServer(server_, database, QStringLiteral("SELECT COUNT(*) FROM runs")).toInt(),
                 count);
        QCOMPARE(onServer(server_, database, QStringLiteral("SELECT COUNT(*) FROM run_channels"))
                     .toInt(),
                 count * 2);
        StoredRun expected = sampleRun(count - 1);
        expected.log = serverLog;
        QVERIFY(serverRun(server_, database, expected.runId) == expected);
    }

    void outageLosesNoRun()
    {
        const QString database = freshDatabase();
        QVERIFY(!database.isEmpty());
        const QString uri = server_.uri(database);
        const QString path = storePath();
        ServerLink link(path, uri, {});
        QSignalSpy done(&link, &ServerLink::forwardDone);
        QCOMPARE(server_.stop(), QString());
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(fillStore(path, i, 1, uri), QString());
            link.forwardNow();
            QVERIFY(done.wait(30000));
            const auto report = done.takeFirst().at(0).value<ForwardReport>();
            QVERIFY(!report.error.isEmpty());
            QCOMPARE(report.waiting, i + 1);
        }
        const QString error = server_.start();
        QVERIFY2(error.isEmpty(), qPrintable(error));
        link.forwardNow();
        QVERIFY(done.wait(30000));
        const auto report = done.takeFirst().at(0).value<ForwardReport>();
        QCOMPARE(report.error, QString());
        QCOMPARE(report.forwarded, 5);
        QCOMPARE(report.waiting, 0);
        QCOMPARE(
            onServer(server_, database,
                     QStringLiteral("SELECT COUNT(DISTINCT run_id) || '/' || COUNT(*) FROM runs"))
                .toString(),
            QStringLiteral("5/5"));
    }

    void newerServerIsLeftAlone_data()
    {
        QTest::addColumn<int>("version");
        QTest::newRow("999") << 999;
        QTest::newRow("2") << 2;
    }

    void newerServerIsLeftAlone()
    {
        QFETCH(int, version);
        const QString database = freshDatabase();
        QVERIFY(!database.isEmpty());
        QVERIFY(onServer(server_, database,
                         QStringLiteral("CREATE TABLE schema_version (version INTEGER); INSERT "
                                        "INTO schema_version VALUES (%1)")
                             .arg(version))
                    .isNull());
        const QString uri = server_.uri(database);
        const QString path = storePath();
        QCOMPARE(fillStore(path, 0, 3, uri), QString());
        const ForwardReport report = forwardWithin(path, uri, {}, 60000);
        QVERIFY(report.schemaTooNew);
        QCOMPARE(report.error, QStringLiteral("The server's schema version %1 is newer than this "
                                              "program's 1; nothing written.")
                                   .arg(version));
        QCOMPARE(report.forwarded, 0);
        QCOMPARE(report.waiting, 3);
        QCOMPARE(onServer(server_, database, QStringLiteral("SELECT to_regclass('runs') IS NULL"))
                     .toBool(),
                 true);
    }

    void silentServerCostsBoundedTime()
    {
        // A listening socket that is never accepted: the kernel completes the connection, and
        // the server's greeting never comes.
        const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        QCOMPARE(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        QCOMPARE(::listen(listener, 8), 0);
        QCOMPARE(::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length), 0);
        const QString uri = QStringLiteral("postgresql://rovizez@127.0.0.1:%1/postgres")
                                .arg(ntohs(address.sin_port));
        const QString path = storePath();
        QCOMPARE(fillStore(path, 0, 3, uri), QString());

        QElapsedTimer clock;
        clock.start();
        const ForwardReport report = forwardWithin(path, uri, {}, 500);
        const qint64 elapsed = clock.elapsed();
        ::close(listener);
        QVERIFY2(elapsed < 1500, qPrintable(QString::number(elapsed)));
        QVERIFY(!report.error.isEmpty());
        QCOMPARE(report.forwarded, 0);
        QCOMPARE(report.waiting, 3);
    }

    void stationsStartingAtOnceMakeTablesOnce()
    {
        const QString database = freshDatabase();
        QVERIFY(!database.isEmpty());
        QList<QProcess*> children;
        for (int i = 0; i < 4; ++i) {
            auto* child = new QProcess(this);
            child->start(QCoreApplication::applicationFilePath(),
                         {QStringLiteral("--forward-child"), storePath(), QString::number(i * 100),
                          server_.uri(database)});
            children << child;
        }
        for (QProcess* child : children) {
            QVERIFY(child->waitForFinished(120000));
            QVERIFY2(child->exitCode() == 0, child->readAll().constData());
        }
        QCOMPARE(onServer(server_, database, QStringLiteral("SELECT COUNT(*) FROM runs")).toInt(),
                 40);
        QCOMPARE(
            onServer(server_, database,
                     QStringLiteral("SELECT COUNT(*) || '/' || MAX(version) FROM schema_version"))
                .toString(),
            QStringLiteral("1/1"));
    }

    void testConnectionSaysWhy_data()
    {
        QTest::addColumn<QString>("database");
        QTest::addColumn<bool>("connected");
        QTest::addColumn<QString>("reason");
        QTest::newRow("running server") << "postgres" << true << "";
        QTest::newRow("no such database") << "nowhere" << false << "cannot be reached";
        QTest::newRow("newer schema") << "records_newer" << false << "newer than this program's";
    }

    void testConnectionSaysWhy()
    {
        QFETCH(QString, database);
        QFETCH(bool, connected);
        QFETCH(QString, reason);
        if (database == QLatin1String("records_newer"))
            QVERIFY(onServer(server_, QStringLiteral("postgres"),
                             QStringLiteral("CREATE DATABASE records_newer"))
                        .isNull() &&
                    onServer(server_, database,
                             QStringLiteral("CREATE TABLE schema_version (version INTEGER); "
                                            "INSERT INTO schema_version VALUES (5)"))
                        .isNull());
        ServerLink link(storePath(), {}, {});
        QSignalSpy tested(&link, &ServerLink::connectionTested);
        link.testConnection(server_.uri(database), {});
        QVERIFY(tested.wait(30000));
        QCOMPARE(tested.first().at(0).toBool(), connected);
        const QString why = tested.first().at(1).toString();
        QVERIFY2(reason.isEmpty() ? why.isEmpty() : why.contains(reason), qPrintable(why));
    }
};

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc == 5 && qstrcmp(argv[1], "--forward-child") == 0)
        return forwardChild(QString::fromLocal8Bit(argv[2]), atoi(argv[3]),
                            QString::fromLocal8Bit(argv[4]));
    tst_serverforward suite;
    return QTest::qExec(&suite, argc, argv);
}

#include "tst_serverforward.moc"
