// Exchange latency: from the device announcing the last byte of a reply to Modem_Transact
// returning it, over 1000 probes of the simulated modem in command mode.
#include "bench/BenchSupport.h"
#include "modemsim/SimulatedModem.h"
#include "shell/MainWin.h"
#include "shell/ProgramPorts.h"
#include "support/EventLoop.h"
#include "support/WindowDoor.h"
#include "support/WindowPort.h"

#include <QApplication>
#include <QCheckBox>
#include <algorithm>
#include <cstdio>

namespace
{

double percentile(QList<double> values, double p)
{
    std::sort(values.begin(), values.end());
    const qsizetype at =
        std::min<qsizetype>(values.size() - 1, qsizetype(p * double(values.size())));
    return values.at(at);
}

} // namespace

int main(int argc, char* argv[])
{
    Bench::prepareEnvironment();
    QApplication app(argc, argv);
    std::printf("Exchange latency (%s)\n", qPrintable(Bench::machineLine()));

    constexpr int kExchanges = 1000;
    MainWin win(programPortBackends());
    theSimulatedModem().setToolWindowEnabled(false);
    TimedSimDevice::installOn(win);
    Bench::showWindow(win);
    if (!openPortInWindow(win, QStringLiteral("SIM"))) {
        std::printf("SIM did not open\n");
        return 1;
    }
    WindowDoor(win).CmdRTSCbox()->setChecked(true);
    EventLoop::runFor(100);

    QList<double> latencyMs;
    QList<double> exchangeMs;
    int wrongReplies = 0;
    int unannounced = 0;
    QList<TimedSimDevice::Event>& record = TimedSimDevice::record();
    for (int i = 0; i < kExchanges; ++i) {
        record.clear();
        const qint64 start = Bench::monotonicNs();
        const QByteArray reply = WindowDoor(win).Modem_Transact(QByteArrayLiteral(" "), 4, 250);
        const qint64 returned = Bench::monotonicNs();
        if (reply != "ER\r\n")
            ++wrongReplies;
        const auto last = std::find_if(record.crbegin(), record.crend(), [](const auto& e) {
            return e.kind == TimedSimDevice::Event::Arrival;
        });
        if (last == record.crend()) {
            ++unannounced;
            continue;
        }
        latencyMs << double(returned - last->ns) / 1e6;
        exchangeMs << double(returned - start) / 1e6;
    }
    if (latencyMs.isEmpty()) {
        std::printf("no reply was announced\n");
        return 1;
    }

    const double median = percentile(latencyMs, 0.5);
    const double p99 = percentile(latencyMs, 0.99);
    Bench::note(QStringLiteral("%1 probes \" \" answered \"ER\" CR LF at 9600 baud; %2 wrong "
                               "replies, %3 without an announced arrival")
                    .arg(kExchanges)
                    .arg(wrongReplies)
                    .arg(unannounced));
    Bench::note(QStringLiteral("whole exchange: median %1 ms (5 bytes on the line take 5.2 ms)")
                    .arg(percentile(exchangeMs, 0.5), 0, 'f', 2));
    Bench::note(QStringLiteral("measured from the device's announcement of the arrival that "
                               "completed the reply to the return of Modem_Transact"));
    Bench::figure(QStringLiteral("exchange latency, median"),
                  QStringLiteral("%1 ms").arg(median, 0, 'f', 3), QStringLiteral("<= 1 ms"),
                  median <= 1.0);
    Bench::figure(QStringLiteral("exchange latency, 99th percentile"),
                  QStringLiteral("%1 ms").arg(p99, 0, 'f', 3), QStringLiteral("-"), std::nullopt);
    return 0;
}
