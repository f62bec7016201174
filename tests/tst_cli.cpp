// rovizez-cli end to end: the real program, without a terminal or a display, on the simulated
// modem and on a pseudo-terminal whose far end plays the modem.
#include "support/DataTable.h"
#include "support/PtyPeer.h"

#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <csignal>

namespace
{
// The modem's end of the line: silent until the unit's power comes back (its power file
// appears), then a modem in command mode that answers the probe, "V" and "?" at once.
struct PeerModem {
    PtyPeer pty;
    QString powerFile;

    void serve()
    {
        const QByteArray bytes = pty.received();
        for (const char byte : QFile::exists(powerFile) ? bytes : QByteArray()) {
            if (byte == ' ')
                pty.send("ER\r\n");
            else if (byte == 'V')
                pty.send("FW: 1.30  \r\nOK\r\n");
            else if (byte == '?')
                pty.send("Tarvex Brannoc radio modem\r\nChannel ...... 4 (4)\r\nOK\r\n");
        }
    }
};

struct CliRun {
    bool finished = false;
    int status = -1;
    QString out;
    QString err;
    QStringList lines; // of standard output
    qint64 signalToEndMs = -1;
};

// Runs the program to its end (a minute at most) with standard input on /dev/null and no
// display, serving the peer meanwhile; a signal, if given, goes to it after signalAfterMs.
CliRun runCli(const QStringList& args, PeerModem* peer = nullptr, int signal = 0,
              int signalAfterMs = 0)
{
    QProcess cli;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    cli.setProcessEnvironment(env);
    cli.setStandardInputFile(QProcess::nullDevice());
    CliRun result;
    QEventLoop loop;
    QElapsedTimer clock;
    qint64 signalledAt = -1;
    QTimer tick;
    tick.setInterval(2);
    QObject::connect(&tick, &QTimer::timeout, &loop, [&] {
        if (peer)
            peer->serve();
        if (signal != 0 && signalledAt < 0 && clock.elapsed() >= signalAfterMs) {
            ::kill(static_cast<pid_t>(cli.processId()), signal);
            signalledAt = clock.elapsed();
        }
    });
    QObject::connect(&cli, &QProcess::finished, &loop, [&] {
        result.finished = true;
        if (signalledAt >= 0)
            result.signalToEndMs = clock.elapsed() - signalledAt;
        loop.quit();
    });
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    cli.start(QStringLiteral(ROVIZEZ_CLI), args);
    if (!cli.waitForStarted())
        return result;
    clock.start();
    tick.start();
    loop.exec();
    if (!result.finished) {
        cli.kill();
        cli.waitForFinished(5000);
    }
    result.status = cli.exitStatus() == QProcess::NormalExit ? cli.exitCode() : -1;
    result.out = QString::fromUtf8(cli.readAllStandardOutput());
    result.err = QString::fromUtf8(cli.readAllStandardError());
    // Every line ends with a line break, the last one too.
    if (result.out.endsWith(QLatin1Char('\n')))
        result.lines = result.out.chopped(1).split(QLatin1Char('\n'));
    return result;
}

QString usageError(const char* message)
{
    return QStringLiteral("^rovizez-cli: ") + QRegularExpression::escape(QLatin1String(message)) +
           QStringLiteral("\n\nUsage: rovizez-cli ACTION --port NAME");
}
} // namespace

class tst_cli : public QObject
{
    Q_OBJECT
private slots:
    void withoutRun_data();
    void withoutRun();
    void simulatedRuns_data();
    void simulatedRuns();
    void jsonReport();
    void silentModem_data();
    void silentModem();
    void stopSignal_data();
    void stopSignal();
};

// Arguments that end before any run: usage errors, help and version, a port that is not there.
void tst_cli::withoutRun_data()
{
    addColumns<QStringList, int, QString, QString>({"args", "status", "out", "errPattern"});
    const QStringList sim = {QStringLiteral("--port"), QStringLiteral("SIM")};
    QTest::newRow("no action") << sim << 64 << QString() << usageError("no action given");
    QTest::newRow("no port") << QStringList{"query"} << 64 << QString()
                             << usageError("no port given (--port NAME)");
    QTest::newRow("channel 7") << QStringList{"set-channel", "7"} + sim << 64 << QString()
                               << usageError("set-channel: 4, 13, 22, 31 or 40, not 7");
    QTest::newRow("unknown mode") << QStringList{"set-mode", "TURBO"} + sim << 64 << QString()
                                  << usageError(
                                         "set-mode: \"PBASIC\" or \"Factory Defaults\", not TURBO");
    QTest::newRow("--mobile with query")
        << QStringList{"query", "--mobile"} + sim << 64 << QString()
        << usageError("the Test Console's options go with config and test");
    QTest::newRow("unknown option") << QStringList{"query", "--fast"} + sim << 64 << QString()
                                    << usageError("unknown option --fast");
    QTest::newRow("version") << QStringList{"--version"} << 0
                             << QStringLiteral("rovizez-cli 1.05.1\n") << QStringLiteral("^$");
    QTest::newRow("port missing") << QStringList{"query", "--port", "/dev/rovizez-none"} << 4
                                  << QString()
                                  << QStringLiteral("Open /dev/rovizez-none failed: \\S");
}

void tst_cli::withoutRun()
{
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(QString, out);
    QFETCH(QString, errPattern);
    const CliRun run = runCli(args);
    QVERIFY(run.finished);
    QCOMPARE(run.status, status);
    QCOMPARE(run.out, out);
    QVERIFY2(run.err.contains(QRegularExpression(errPattern)), qPrintable(run.err));
}

void tst_cli::simulatedRuns_data()
{
    addColumns<QStringList, int, QString, QString, QStringList>(
        {"args", "status", "first", "last", "errHas"});
    QTest::newRow("query") << QStringList{"query", "--port", "SIM"} << 0
                           << QStringLiteral("QueryConfig Started.")
                           << QStringLiteral("QueryConfig Completed, 0 errors.")
                           << QStringList{"Open SIM for 9600,N,8,1\n"};
    QTest::newRow("set-mode, no terminal to ask")
        << QStringList{"set-mode", "PBASIC", "--port", "SIM"} << 5 << QString() << QString()
        << QStringList{"Modem Config - Over-write user-settings?\nWARNING:", "Answered Cancel"};
    QTest::newRow("set-mode --yes")
        << QStringList{"set-mode", "PBASIC", "--port", "SIM", "--yes"} << 0
        << QStringLiteral("SetConfig Started.") << QStringLiteral("SetConfig Completed, 0 errors.")
        << QStringList{"Modem Config - Over-write user-settings?\n", "Answered OK"};
}

void tst_cli::simulatedRuns()
{
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(QString, first);
    QFETCH(QString, last);
    QFETCH(QStringList, errHas);
    const CliRun run = runCli(args);
    QVERIFY(run.finished);
    QCOMPARE(run.status, status);
    for (const QString& text : errHas)
        QVERIFY2(run.err.contains(text), qPrintable(run.err));
    QCOMPARE(run.out.isEmpty(), first.isEmpty());
    QCOMPARE(run.lines.value(0), first);
    QCOMPARE(run.lines.value(run.lines.size() - 1), last);
}

// --json prints one object and nothing else; its lines are what the plain run prints.
void tst_cli::jsonReport()
{
    const QStringList args = {QStringLiteral("query"), QStringLiteral("--port"), "SIM"};
    const CliRun plain = runCli(args);
    const CliRun json = runCli(args + QStringList{QStringLiteral("--json")});
    QCOMPARE(plain.status, 0);
    QCOMPARE(json.status, 0);
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(json.out.toUtf8(), &error);
    QVERIFY2(error.error == QJsonParseError::NoError, qPrintable(error.errorString()));
    QVERIFY(doc.isObject());
    const QJsonObject o = doc.object();
    QStringList keys = o.keys();
    keys.sort();
    QCOMPARE(keys, (QStringList{"channels", "configuration", "ended_at", "ended_in", "errors",
                                "firmware", "lines", "outcome", "port", "run", "started_at",
                                "station_type", "unit"}));
    QCOMPARE(o.value("run").toString(), QStringLiteral("QueryConfig"));
    QCOMPARE(o.value("outcome").toString(), QStringLiteral("completed"));
    QCOMPARE(o.value("errors").toInt(-1), 0);
    QCOMPARE(o.value("firmware").toString(), QStringLiteral("1.30"));
    QCOMPARE(o.value("port").toString(), QStringLiteral("SIM"));
    QStringList lines;
    for (const QJsonValue& line : o.value("lines").toArray())
        lines << line.toString();
    QCOMPARE(lines, plain.lines);
}

// A modem that answers only once it has been power-cycled: the Test Console's runs give up
// without asking, the Modem Configurator's ask, answered by nobody or by the rig's command.
void tst_cli::silentModem_data()
{
    addColumns<QString, QString, QString, int, QString>(
        {"action", "command", "answer", "status", "last"});
    const QString aborted = QStringLiteral("QueryConfig Aborted in Establishing Communication");
    QTest::newRow("test") << QStringLiteral("test") << QString() << QString() << 2
                          << QStringLiteral("Test Aborted in Establishing Communication");
    QTest::newRow("query, nobody to ask")
        << QStringLiteral("query") << QString()
        << QStringLiteral("Answered Cancel (no terminal to ask)\n") << 2 << aborted;
    QTest::newRow("query, command powers the unit")
        << QStringLiteral("query") << QStringLiteral("touch '%1'")
        << QStringLiteral("Answered OK (the power-cycle command)\n") << 0
        << QStringLiteral("QueryConfig Completed, 0 errors.");
    QTest::newRow("query, command fails")
        << QStringLiteral("query") << QStringLiteral("touch '%1'; exit 3")
        << QStringLiteral("The power-cycle command failed (exit status 3)\nAnswered Cancel") << 2
        << aborted;
}

void tst_cli::silentModem()
{
    QFETCH(QString, action);
    QFETCH(QString, command);
    QFETCH(QString, answer);
    QFETCH(int, status);
    QFETCH(QString, last);
    QTemporaryDir dir;
    const QString powerFile = dir.filePath(QStringLiteral("powered"));
    PeerModem peer{{}, powerFile};
    QVERIFY(peer.pty.ok());
    QStringList args = {action, QStringLiteral("--port"), peer.pty.path()};
    if (!command.isEmpty())
        args << QStringLiteral("--power-cycle-command") << command.arg(powerFile);
    const CliRun run = runCli(args, &peer);
    QVERIFY(run.finished);
    QCOMPARE(run.status, status);
    QCOMPARE(run.lines.last(), last);
    QCOMPARE(run.err.contains(QLatin1String("Power-cycle Modem While Connected to CommPort\n")),
             !answer.isEmpty());
    QVERIFY2(run.err.contains(answer), qPrintable(run.err));
    QCOMPARE(run.lines.contains(QStringLiteral("Toggling RTS 5 times...")), status == 0);
}

// A stop by signal in the middle of the radio test: nothing more is sent, and the program ends.
void tst_cli::stopSignal_data()
{
    QTest::addColumn<int>("signal");
    QTest::newRow("SIGINT") << SIGINT;
    QTest::newRow("SIGTERM") << SIGTERM;
}

void tst_cli::stopSignal()
{
    QFETCH(int, signal);
    const CliRun run =
        runCli({QStringLiteral("test"), QStringLiteral("--port"), QStringLiteral("SIM")}, nullptr,
               signal, 3000);
    QVERIFY(run.finished);
    QCOMPARE(run.status, 3);
    const qsizetype stop = run.lines.indexOf(QStringLiteral("Stopped by the user"));
    QVERIFY2(stop > 0, qPrintable(run.out));
    for (const QString& line : run.lines.mid(stop))
        QVERIFY2(!line.startsWith(QLatin1String("  SENT(")), qPrintable(line));
    QVERIFY(!run.out.contains(QLatin1String("Test Completed")));
    QVERIFY2(run.signalToEndMs <= 1000, qPrintable(QString::number(run.signalToEndMs)));
}

QTEST_GUILESS_MAIN(tst_cli)
#include "tst_cli.moc"
