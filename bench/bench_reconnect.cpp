// Reconnecting, 100 times over: a pseudo-terminal behind a link is opened in the shown window
// with "Reconnect Automatically" on, then vanishes and comes back again and again. Prints the
// process's open descriptors and resident memory as the cycles go by, and how soon after each
// return the port was open again.
#include "bench/BenchSupport.h"
#include "shell/MainWin.h"
#include "shell/ProgramPorts.h"
#include "support/EventLoop.h"
#include "support/PtyPeer.h"
#include "support/WindowDoor.h"
#include "support/WindowPort.h"
#include "terminal/MsgLog.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <algorithm>
#include <cstdio>

namespace
{
constexpr int kCycles = 100;

int openDescriptors()
{
    return int(QDir(QStringLiteral("/proc/self/fd")).count()) - 2; // less "." and ".."
}

// Whether one of the last few lines of the log is text.
bool recentLine(MainWin& win, const QString& text)
{
    const QStringList lines = WindowDoor(win).MsgLines()->lines();
    return lines.mid(std::max<qsizetype>(0, lines.size() - 6)).contains(text);
}
} // namespace

int main(int argc, char* argv[])
{
    Bench::prepareEnvironment();
    QApplication app(argc, argv);
    std::printf("Reconnect cycles (%s)\n", qPrintable(Bench::machineLine()));

    PtyLink modem;
    const QString link = modem.path();
    const bool plugged = modem.ok() && modem.plugIn();
    MainWin win(programPortBackends());
    Bench::showWindow(win);
    win.findChild<QAction*>("menuFileReconnect")->setChecked(true);
    if (!plugged || !openPortInWindow(win, link)) {
        std::fprintf(stderr, "bench_reconnect: the pseudo-terminal could not be opened\n");
        return 1;
    }
    EventLoop::runFor(100);

    const QString waiting = QStringLiteral("Waiting for ") + link + QStringLiteral(" to return...");
    const QString back = link + QStringLiteral(" is back");
    QList<double> reopenMs;
    // The first cycles make what every later one reuses; the count starts after them.
    constexpr int kWarmUp = 10;
    int warmFds = 0;
    qsizetype warmObjects = 0;
    qint64 warmKb = 0;
    for (int cycle = 1; cycle <= kCycles; ++cycle) {
        modem.unplug();
        if (!EventLoop::runUntil([&] { return recentLine(win, waiting); }, 5000)) {
            std::fprintf(stderr, "bench_reconnect: cycle %d: the loss was not noticed\n", cycle);
            return 1;
        }
        // Returns at every phase of the window's looks, not always just before one.
        EventLoop::runFor((cycle * 37) % PortWatch::kTickMs);
        const bool returnedOk = modem.plugIn();
        const qint64 returned = Bench::monotonicNs();
        if (!returnedOk || !EventLoop::runUntil([&] { return recentLine(win, back); }, 5000)) {
            std::fprintf(stderr, "bench_reconnect: cycle %d: the port did not come back\n", cycle);
            return 1;
        }
        reopenMs << double(Bench::monotonicNs() - returned) / 1e6;
        // Let the posted remarks of the open arrive before anything is counted.
        EventLoop::runFor(20);
        if (cycle == 1 || cycle == 10 || cycle == 50 || cycle == kCycles)
            Bench::note(QStringLiteral("after cycle %1: %2 open descriptors, resident %3")
                            .arg(cycle)
                            .arg(openDescriptors())
                            .arg(Bench::megabytes(Bench::residentKb())));
        if (cycle == kWarmUp) {
            warmFds = openDescriptors();
            warmObjects = win.findChildren<QObject*>().size();
            warmKb = Bench::residentKb();
        }
    }
    modem.unplug();

    const int fdGrowth = openDescriptors() - warmFds;
    const qint64 kbGrowth = Bench::residentKb() - warmKb;
    std::sort(reopenMs.begin(), reopenMs.end());
    double sum = 0;
    for (double ms : reopenMs)
        sum += ms;
    Bench::figure(QStringLiteral("open descriptors, cycle 100 against cycle 10"),
                  QString::asprintf("%+d", fdGrowth), QStringLiteral("<= 0"), fdGrowth <= 0);
    // Devices, timers and notifiers left behind would show here.
    const qsizetype objectGrowth = win.findChildren<QObject*>().size() - warmObjects;
    Bench::figure(QStringLiteral("objects of the window, cycle 100 against cycle 10"),
                  QString::asprintf("%+lld", static_cast<long long>(objectGrowth)),
                  QStringLiteral("0"), objectGrowth == 0);
    Bench::figure(QStringLiteral("resident memory, cycle 100 against cycle 10"),
                  QString::asprintf("%+.2f MB", double(kbGrowth) / 1024.0),
                  QStringLiteral("<= 1 MB"), kbGrowth <= 1024);
    Bench::figure(QStringLiteral("return to reopened, mean of 100"),
                  QString::asprintf("%.0f ms", sum / double(reopenMs.size())), QString(), {});
    Bench::figure(QStringLiteral("return to reopened, slowest of 100"),
                  QString::asprintf("%.0f ms", reopenMs.last()), QStringLiteral("<= 500 ms"),
                  reopenMs.last() <= 500);
    return 0;
}
