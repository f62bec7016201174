// Forwarding to a real PostgreSQL server: each run arrives once, an outage loses nothing, a newer
// server is left alone, a silent server costs bounded time, and stations starting at once make
// the tables once.
#include "records/ForwardWithin.h"
#include "records/RecordSchema.h"
#include "records/RecordStore.h"
#include "records/RunRows.h"
#include "records/ServerLink.h"
#include "support/PgServer.h"
#include "support/SampleRun.h"

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
QString fillStore(const QString& path, int first, int count, const QString& uri,
                  const QString& log = QStringLiteral("> V"))
{
    RecordStore store(path);
    QString error = store.open();
    for (int i = first; error.isEmpty() && i < first + count; ++i) {
        StoredRun run = sampleRun(i);
        run.log = log;
        error = store.commit(run, {}, uri);
    }
    return error;
}

// Runs work with a query on a connection of the test's own to a database at port.
template <typename Work>
void withDatabase(const QString& driver, const QString& database, int port, Work work)
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(driver, QStringLiteral("test"));
        db.setHostName(QStringLiteral("127.0.0.1"));
        db.setPort(port);
        db.setUserName(QStringLiteral("rovizez"));
        db.setDatabaseName(database);
        db.open();
        QSqlQuery query(db);
        work(query);
    }
    QSqlDatabase::removeDatabase(QStringLiteral("test"));
}

// The first value sql gives on the server's database, or the error text.
QVariant onServer(int port, const QString& database, const QString& sql)
{
    QVariant value;
    withDatabase(QStringLiteral("QPSQL"), database, port, [&](QSqlQuery& query) {
        if (!query.exec(sql))
            value = query.lastError().text();
        else if (query.next())
            value = query.value(0);
    });
    return value;
}

StoredRun serverRun(int port, const QString& database, const QString& runId)
{
    StoredRun run;
    withDatabase(QStringLiteral("QPSQL"), database, port, [&](QSqlQuery& query) {
        query.exec(
            QStringLiteral("SELECT %1 FROM runs WHERE run_id = '%2'").arg(runColumns(), runId));
        if (query.next())
            run = runFromRow(query);
        query.prepare(channelSelect());
        query.addBindValue(runId);
        for (query.exec(); query.next();)
            run.channels.append(channelFromRow(query));
    });
    return run;
}

// The child's part: fills a store of its own and forwards it.
int forwardChild(const QString& path, int first, const QString& uri)
{
    const QString error = fillStore(path, first, 10, uri);
    const ForwardReport report = forwardWithin(path, uri, {}, 60000);
    std::printf("%s %s\n", qPrintable(error), qPrintable(report.error));
    return error.isEmpty() && report.error.isEmpty() && report.forwarded == 10 ? 0 : 1;
}
} // namespace

class tst_serverforward : public QObject
{
    Q_OBJECT

    PgServer server_;
    QTemporaryDir folder_;
    int made_ = 0;

    // A new, empty database on the server: its tables are made by the first station to forward.
    QString freshDatabase(const QString& sql = {})
    {
        const QString name = QStringLiteral("records_%1").arg(++made_);
        onServer(server_.port(), QStringLiteral("postgres"), "CREATE DATABASE " + name);
        if (!sql.isEmpty())
            onServer(server_.port(), name, sql);
        return name;
    }
    QString storePath() { return folder_.filePath(QStringLiteral("s%1.sqlite").arg(++made_)); }
    int count(const QString& database, const QString& table)
    {
        return onServer(server_.port(), database, "SELECT COUNT(*) FROM " + table).toInt();
    }

private slots:
    void initTestCase()
    {
        const QString error = server_.start();
        QVERIFY2(error.isEmpty(), qPrintable(error));
    }

    void forwardsEachRunOnce_data()
    {
        QTest::addColumn<int>("runs");
        QTest::addColumn<QString>("log");
        QTest::addColumn<QString>("serverLog");
        QTest::newRow("one run") << 1 << "> V"
                                 << "> V";
        QTest::newRow("more than a batch") << 120 << "> V"
                                           << "> V";
        QTest::newRow("NUL in the log") << 2 << QStringLiteral("a") + QChar(0) + "b"
                                        << QStringLiteral("a") + QChar(0xfffd) + "b";
    }

    void forwardsEachRunOnce()
    {
        QFETCH(int, runs);
        QFETCH(QString, log);
        QFETCH(QString, serverLog);
        const QString database = freshDatabase();
        const QString uri = server_.uri(database);
        const QString path = storePath();
        QCOMPARE(fillStore(path, 0, runs, uri, log), QString());
        ForwardReport report = forwardWithin(path, uri, {}, 60000);
        QCOMPARE(report.error, QString());
        QCOMPARE(report.forwarded, runs);
        QCOMPARE(report.waiting, 0);
        QCOMPARE(forwardWithin(path, uri, {}, 60000).forwarded, 0);

        // Runs the server committed but the store did not mark go again; the server keeps one.
        withDatabase(QStringLiteral("QSQLITE"), path, 0, [](QSqlQuery& query) {
            query.exec(QStringLiteral("UPDATE store_marks SET forwarded = 0"));
        });
        report = forwardWithin(path, uri, {}, 60000);
        QCOMPARE(report.error, QString());
        QCOMPARE(report.forwarded, runs);
        QCOMPARE(count(database, QStringLiteral("runs")), runs);
        QCOMPARE(count(database, QStringLiteral("run_channels")), runs * 3);
        StoredRun expected = sampleRun(runs - 1);
        expected.log = serverLog;
        QVERIFY(serverRun(server_.port(), database, expected.runId) == expected);
    }

    void outageLosesNoRun()
    {
        const QString database = freshDatabase();
        const QString uri = server_.uri(database);
        const QString path = storePath();
        ServerLink link(path, uri, {});
        QSignalSpy done(&link, &ServerLink::forwardDone);
        QCOMPARE(server_.stop(), QString());
        for (int i = 0; i <= 5; ++i) {
            if (i == 5)
                QCOMPARE(server_.start(), QString());
            else
                QCOMPARE(fillStore(path, i, 1, uri), QString());
            link.forwardNow();
            QVERIFY(done.wait(30000));
            const auto report = done.takeFirst().at(0).value<ForwardReport>();
            QCOMPARE(report.error.isEmpty(), i == 5);
            QCOMPARE(report.waiting, i == 5 ? 0 : i + 1);
        }
        QCOMPARE(count(database, QStringLiteral("runs")), 5);
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
        const QString database =
            freshDatabase(QStringLiteral("CREATE TABLE schema_version (version "
                                         "INTEGER); INSERT INTO schema_version VALUES (%1)")
                              .arg(version));
        const QString uri = server_.uri(database);
        const QString path = storePath();
        QCOMPARE(fillStore(path, 0, 3, uri), QString());
        const ForwardReport report = forwardWithin(path, uri, {}, 60000);
        QVERIFY(report.schemaTooNew);
        QCOMPARE(report.error, QStringLiteral("The server's schema version %1 is newer than this "
                                              "program's 1; nothing written.")
                                   .arg(version));
        QCOMPARE(report.waiting, 3);
        QCOMPARE(onServer(server_.port(), database,
                          QStringLiteral("SELECT to_regclass('runs') IS NULL")),
                 QVariant(true));
    }

    void silentServerCostsBoundedTime()
    {
        // A listening socket never accepted: the kernel completes the connection, and the
        // server's greeting never comes.
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
        QCOMPARE(report.waiting, 3);
    }

    void stationsStartingAtOnceMakeTablesOnce()
    {
        const QString database = freshDatabase();
        QList<QProcess*> children;
        for (int i = 0; i < 4; ++i) {
            children << new QProcess(this);
            children.last()->start(QCoreApplication::applicationFilePath(),
                                   {QStringLiteral("--forward-child"), storePath(),
                                    QString::number(i * 100), server_.uri(database)});
        }
        for (QProcess* child : children) {
            QVERIFY(child->waitForFinished(120000));
            QVERIFY2(child->exitCode() == 0, child->readAll().constData());
        }
        QCOMPARE(count(database, QStringLiteral("runs")), 40);
        QCOMPARE(count(database, QStringLiteral("schema_version")), 1);
    }

    void testConnectionSaysWhy_data()
    {
        QTest::addColumn<QString>("schema");
        QTest::addColumn<QString>("database");
        QTest::addColumn<QString>("reason");
        QTest::newRow("running server") << ""
                                        << ""
                                        << "";
        QTest::newRow("no such database") << ""
                                          << "nowhere"
                                          << "cannot be reached";
        QTest::newRow("newer schema") << "CREATE TABLE schema_version (version INTEGER); INSERT "
                                         "INTO schema_version VALUES (5)"
                                      << ""
                                      << "newer than this program's";
    }

    void testConnectionSaysWhy()
    {
        QFETCH(QString, schema);
        QFETCH(QString, database);
        QFETCH(QString, reason);
        ServerLink link(storePath(), {}, {});
        QSignalSpy tested(&link, &ServerLink::connectionTested);
        link.testConnection(server_.uri(database.isEmpty() ? freshDatabase(schema) : database), {});
        QVERIFY(tested.wait(30000));
        QCOMPARE(tested.first().at(0).toBool(), reason.isEmpty());
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
