// Run overhead: the wall time of a whole console "Test" run on the simulated modem (9600 baud,
// a partner that loses nothing) against the least time the run can take.
//
// The least time is worked out from what crossed the line during the run, exchange by exchange:
// - a wait that must pass in full: the version query "V" (500 ms, its length varies), each
//   character of a command sent one by one that the modem does not answer yet (100 ms), and the
//   250 ms listen without a command after each switch to data mode when the modem says nothing;
// - otherwise the line time of the command's bytes and of the reply's bytes; for an echo in data
//   mode also the pause that ends the packet and the partner's radio latency;
// - the two busy settle delays (1 ms and 100 ms) of every switch of the control lines.
#include "bench/BenchSupport.h"
#include "modemsim/LineTiming.h"
#include "modemsim/SimulatedModem.h"
#include "platform/MSComm.h"
#include "shell/MainWin.h"
#include "shell/ProgramPorts.h"
#include "support/EventLoop.h"
#include "support/WindowDoor.h"
#include "support/WindowPort.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <cstdio>

namespace
{

constexpr qint64 kMs = 1'000'000;

struct Floor {
    int fullVersion = 0;   // "V", 500 ms
    int fullCharacter = 0; // one character of a command, not answered, 100 ms
    int fullEcho = 0;      // an echo that did not come, 200 ms
    int fullListen = 0;    // listen after the switch to data mode, 250 ms
    qint64 bytesOut = 0;   // bytes whose line time no full wait covers
    qint64 bytesIn = 0;
    int echoes = 0;         // data-mode exchanges answered by the partner
    int lineSwitches = 0;   // settle delays of 101 ms
    int unexplained = 0;    // exchanges none of the rules covers
    qint64 lineNs = 0;      // line time of bytesOut and bytesIn
    qint64 echoExtraNs = 0; // packet pauses and partner latency

    qint64 fullNs() const
    {
        return (fullVersion * 500LL + fullCharacter * 100LL + fullEcho * 200LL +
                fullListen * 250LL) *
               kMs;
    }
    qint64 settleNs() const { return lineSwitches * 101LL * kMs; }
    qint64 totalNs() const { return fullNs() + lineNs + echoExtraNs + settleNs(); }
};

// Splits the record into exchanges and line switches. A switch of the lines (one change of RTS)
// ends with a discard of the input; every exchange starts and ends with one, and writes its
// command, if it has one, in between; what is read in between is its reply.
Floor floorOf(const QList<TimedSimDevice::Event>& record, bool rtsAtStart, qint64 byteNs,
              qint64 packetEndNs, qint64 latencyNs)
{
    using Event = TimedSimDevice::Event;
    Floor f;
    bool rts = rtsAtStart;
    bool switchEnding = false;
    bool inExchange = false;
    QByteArray command;
    QByteArray reply;
    for (const Event& e : record) {
        switch (e.kind) {
        case Event::Rts:
            ++f.lineSwitches;
            rts = e.on;
            switchEnding = true;
            break;
        case Event::Write:
            command += e.bytes;
            break;
        case Event::Read:
            reply += e.bytes;
            break;
        case Event::Arrival:
            break;
        case Event::DiscardInput:
            if (switchEnding) {
                switchEnding = false;
            } else if (!inExchange) {
                inExchange = true;
                command.clear();
                reply.clear();
            } else {
                inExchange = false;
                if (command == "V") {
                    ++f.fullVersion;
                } else if (command.isEmpty() && reply.isEmpty()) {
                    ++f.fullListen;
                } else if (reply.isEmpty() && rts && command.size() == 1) {
                    ++f.fullCharacter;
                } else if (reply.isEmpty() && !rts) {
                    ++f.fullEcho;
                } else if (reply.isEmpty()) {
                    ++f.unexplained;
                } else {
                    f.bytesOut += command.size();
                    f.bytesIn += reply.size();
                    f.lineNs += (command.size() + reply.size()) * byteNs;
                    if (!rts && !command.isEmpty()) {
                        ++f.echoes;
                        f.echoExtraNs += packetEndNs + latencyNs;
                    }
                }
            }
            break;
        }
    }
    return f;
}

QString seconds(qint64 ns)
{
    return QStringLiteral("%1 s").arg(double(ns) / 1e9, 0, 'f', 3);
}

} // namespace

int main(int argc, char* argv[])
{
    Bench::prepareEnvironment();
    QApplication app(argc, argv);
    std::printf("Run overhead (%s)\n", qPrintable(Bench::machineLine()));

    SimulatedModem& modem = theSimulatedModem();
    modem.setToolWindowEnabled(false);
    modem.resetToDefaults();
    MainWin win(programPortBackends());
    TimedSimDevice::installOn(win);
    Bench::showWindow(win);
    if (!openPortInWindow(win, QStringLiteral("SIM"))) {
        std::printf("SIM did not open\n");
        return 1;
    }
    EventLoop::runFor(200);
    win.findChild<QCheckBox*>("TestConfigOnly")->setChecked(false);

    const bool rtsAtStart = WindowDoor(win).MSComm1()->RTSEnable();
    TimedSimDevice::record().clear();
    const qint64 start = Bench::monotonicNs();
    WindowDoor(win).TestDoIt_Click();
    const qint64 wall = Bench::monotonicNs() - start;
    const QList<TimedSimDevice::Event> record = TimedSimDevice::record();

    const LineSettings line = modem.lineSettings();
    const qint64 byteNs = byteTimeNs(line);
    // The modem ends a packet after a pause of three byte times, and never sooner than 2 ms.
    const qint64 packetEndNs = std::max<qint64>(2 * kMs, 3 * byteNs);
    const qint64 latencyNs = qint64(modem.partnerLatencyMs()) * kMs;
    const Floor f = floorOf(record, rtsAtStart, byteNs, packetEndNs, latencyNs);

    Bench::note(QStringLiteral("run \"Test\" of %1, %2 station, firmware %3, %4 baud: \"%5\"")
                    .arg(WindowDoor(win).TestDeviceConfig()->currentText(),
                         WindowDoor(win).TestIsMobile()->isChecked() ? QStringLiteral("mobile")
                                                                     : QStringLiteral("base"),
                         QString::fromLatin1(modem.firmwareVersion()))
                    .arg(line.baud)
                    .arg(WindowDoor(win).TestStateWin()->text()));
    Bench::note(QStringLiteral("full waits %1: %2 x V 500 ms, %3 x unanswered character 100 ms, "
                               "%4 x listen after data mode 250 ms, %5 x lost echo 200 ms")
                    .arg(seconds(f.fullNs()))
                    .arg(f.fullVersion)
                    .arg(f.fullCharacter)
                    .arg(f.fullListen)
                    .arg(f.fullEcho));
    Bench::note(QStringLiteral("line time %1: %2 bytes out and %3 in at %4 ms a byte (bytes "
                               "inside a full wait are covered by it)")
                    .arg(seconds(f.lineNs))
                    .arg(f.bytesOut)
                    .arg(f.bytesIn)
                    .arg(double(byteNs) / 1e6, 0, 'f', 4));
    Bench::note(QStringLiteral("echoes %1: %2 x (packet pause %3 ms + partner latency %4 ms)")
                    .arg(seconds(f.echoExtraNs))
                    .arg(f.echoes)
                    .arg(double(packetEndNs) / 1e6, 0, 'f', 2)
                    .arg(latencyNs / kMs));
    Bench::note(QStringLiteral("settle delays %1: %2 line switches x (1 ms + 100 ms)")
                    .arg(seconds(f.settleNs()))
                    .arg(f.lineSwitches));
    if (f.unexplained > 0)
        Bench::note(
            QStringLiteral("%1 exchanges fit none of the rules and add nothing to the floor")
                .arg(f.unexplained));
    Bench::note(QStringLiteral("floor %1, wall time %2").arg(seconds(f.totalNs()), seconds(wall)));
    const double ratio = double(wall) / double(f.totalNs());
    Bench::figure(QStringLiteral("console \"Test\" run, wall / floor"),
                  QStringLiteral("%1").arg(ratio, 0, 'f', 4), QStringLiteral("<= 1.03"),
                  ratio <= 1.03);
    return 0;
}
