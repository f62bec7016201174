// Waiting cost: processor time the program uses while one 2000 ms TimerDelay passes, with the
// port closed and with the simulated modem open and idle in command mode.
#include "bench/BenchSupport.h"
#include "modemsim/SimulatedModem.h"
#include "shell/MainWin.h"
#include "shell/ProgramPorts.h"
#include "support/EventLoop.h"
#include "support/WindowDoor.h"
#include "support/WindowPort.h"

#include <QApplication>
#include <QCheckBox>
#include <cstdio>

namespace
{

void measure(MainWin& win, const QString& situation)
{
    const qint64 wallStart = Bench::monotonicNs();
    const qint64 cpuStart = Bench::processCpuNs();
    win.session().TimerDelay(2000);
    const double cpu = double(Bench::processCpuNs() - cpuStart) / 1e6;
    const double wall = double(Bench::monotonicNs() - wallStart) / 1e6;
    const double share = 100.0 * cpu / wall;
    Bench::note(QStringLiteral("%1: %2 ms of processor time in %3 ms")
                    .arg(situation)
                    .arg(cpu, 0, 'f', 2)
                    .arg(wall, 0, 'f', 1));
    Bench::figure(QStringLiteral("CPU during TimerDelay(2000), ") + situation,
                  QStringLiteral("%1 %").arg(share, 0, 'f', 3), QStringLiteral("<= 1 %"),
                  share <= 1.0);
}

} // namespace

int main(int argc, char* argv[])
{
    Bench::prepareEnvironment();
    QApplication app(argc, argv);
    std::printf("Waiting cost (%s)\n", qPrintable(Bench::machineLine()));

    MainWin win(programPortBackends());
    Bench::showWindow(win);
    EventLoop::runFor(200);
    measure(win, QStringLiteral("port closed"));

    theSimulatedModem().setToolWindowEnabled(false);
    if (!openPortInWindow(win, QStringLiteral("SIM"))) {
        std::printf("SIM did not open\n");
        return 1;
    }
    WindowDoor(win).CmdRTSCbox()->setChecked(true);
    EventLoop::runFor(200);
    measure(win, QStringLiteral("SIM open in command mode"));
    Bench::note(
        QStringLiteral("processor time of the whole process (all threads), user and system"));
    return 0;
}
