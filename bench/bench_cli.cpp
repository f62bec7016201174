// The command line's own cost, with a pseudo-terminal as the modem's port: the time from the
// program's start to its first byte on the line, and a settings query on a modem that answers at
// once against the least time the query's waits allow.
//
// Both floors are the fixed waits of the session, counted from its code:
// - every switch of the control lines (RTS_Set) settles for 1 ms + 100 ms without running events:
//   once as the session starts (its start-up leaves the line in data mode), once as the port
//   opens, and twice as the run sets command mode (the RTS box's handler, then the mode switch
//   itself);
// - the version query "V" waits its whole 500 ms, as its reply's length varies;
// - the settings listing "?" waits its whole 2000 ms, for the same reason;
// - the probe " " ends at the modem's 4-byte answer, which comes at once here; a pseudo-terminal
//   keeps no baud clock, so no byte adds line time.
// The first byte on the line is the probe, after those four settles; the query's run stays
// in command mode at its end and so switches nothing more.
#include "bench/BenchSupport.h"
#include "support/PtyPeer.h"

#include <QCoreApplication>
#include <QProcess>
#include <algorithm>
#include <cstdio>
#include <unistd.h>

namespace
{
constexpr qint64 kMs = 1'000'000;
constexpr qint64 kSettleMs = 101;
constexpr qint64 kSettlesBeforeFirstByte = 4;
constexpr qint64 kQueryFloorMs = kSettlesBeforeFirstByte * kSettleMs + 500 + 2000;
constexpr int kFirstByteRuns = 10;
constexpr int kQueryRuns = 3;

void startCli(QProcess& cli, const PtyPeer& peer)
{
    cli.setStandardInputFile(QProcess::nullDevice());
    cli.setStandardOutputFile(QProcess::nullDevice());
    cli.setStandardErrorFile(QProcess::nullDevice());
    cli.start(QStringLiteral(ROVIZEZ_CLI),
              {QStringLiteral("query"), QStringLiteral("--port"), peer.path()});
}

// From the start to the first byte the peer receives; -1 when none came within 5 s.
qint64 firstByteNs()
{
    PtyPeer peer;
    QProcess cli;
    const qint64 start = Bench::monotonicNs();
    startCli(cli, peer);
    qint64 at = -1;
    while (Bench::monotonicNs() - start < 5000 * kMs) {
        if (!peer.received().isEmpty()) {
            at = Bench::monotonicNs() - start;
            break;
        }
        ::usleep(100);
    }
    cli.kill();
    cli.waitForFinished(5000);
    return at;
}

// A whole query against a peer that answers the probe, "V" and "?" at once, from the start to
// the program's end; -1 unless it ended with status 0.
qint64 queryNs()
{
    PtyPeer peer;
    QProcess cli;
    const qint64 start = Bench::monotonicNs();
    startCli(cli, peer);
    while (!cli.waitForFinished(1)) {
        if (cli.state() == QProcess::NotRunning)
            break;
        for (const char byte : peer.received()) {
            if (byte == ' ')
                peer.send("ER\r\n");
            else if (byte == 'V')
                peer.send("FW: 1.30  \r\nOK\r\n");
            else if (byte == '?')
                peer.send("Tarvex Brannoc radio modem\r\nChannel ...... 4 (4)\r\nOK\r\n");
        }
    }
    const qint64 wall = Bench::monotonicNs() - start;
    return cli.exitStatus() == QProcess::NormalExit && cli.exitCode() == 0 ? wall : -1;
}

qint64 median(QList<qint64> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

QString milliseconds(qint64 ns)
{
    return QStringLiteral("%1 ms").arg(double(ns) / 1e6, 0, 'f', 1);
}
} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    std::printf("Command line (%s)\n", qPrintable(Bench::machineLine()));

    QList<qint64> firsts;
    for (int i = 0; i < kFirstByteRuns; ++i) {
        const qint64 ns = firstByteNs();
        if (ns < 0) {
            std::printf("no byte reached the line\n");
            return 1;
        }
        firsts << ns;
    }
    const qint64 first = median(firsts);
    const qint64 settles = kSettlesBeforeFirstByte * kSettleMs * kMs;
    const qint64 startUp = first - settles;
    Bench::note(QStringLiteral("first byte (the probe) after %1, median of %2 starts (%3 ... %4); "
                               "%5 of it are %6 line settles of %7 ms")
                    .arg(milliseconds(first))
                    .arg(kFirstByteRuns)
                    .arg(milliseconds(*std::min_element(firsts.begin(), firsts.end())),
                         milliseconds(*std::max_element(firsts.begin(), firsts.end())),
                         milliseconds(settles))
                    .arg(kSettlesBeforeFirstByte)
                    .arg(kSettleMs));
    Bench::figure(QStringLiteral("command line, start to first byte"), milliseconds(first),
                  QString(), std::nullopt);
    Bench::figure(QStringLiteral("command line, start to first byte less the line settles"),
                  milliseconds(startUp), QStringLiteral("<= 50 ms"), startUp <= 50 * kMs);

    QList<qint64> queries;
    for (int i = 0; i < kQueryRuns; ++i) {
        const qint64 ns = queryNs();
        if (ns < 0) {
            std::printf("the query did not complete\n");
            return 1;
        }
        queries << ns;
    }
    const qint64 wall = median(queries);
    const qint64 floor = kQueryFloorMs * kMs;
    Bench::note(QStringLiteral("query from start to end %1, median of %2; floor %3: %4 line "
                               "settles x %5 ms, \"V\" 500 ms, \"?\" 2000 ms")
                    .arg(milliseconds(wall))
                    .arg(kQueryRuns)
                    .arg(milliseconds(floor))
                    .arg(kSettlesBeforeFirstByte)
                    .arg(kSettleMs));
    Bench::note(QStringLiteral("the window's own run overhead, for a whole \"Test\" run, is "
                               "bench_runoverhead's figure"));
    const double ratio = double(wall) / double(floor);
    Bench::figure(QStringLiteral("command line \"query\", wall / floor"),
                  QStringLiteral("%1").arg(ratio, 0, 'f', 4), QStringLiteral("<= 1.03"),
                  ratio <= 1.03);
    return 0;
}
