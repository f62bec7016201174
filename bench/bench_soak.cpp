// Sustained receive: the simulated modem floods the shown message window at 115200 baud for
// 60 s. Every byte sent must show in the log; processor share and resident memory are noted.
#include "bench/BenchSupport.h"
#include "modemsim/SimulatedModem.h"
#include "shell/MainWin.h"
#include "shell/ProgramPorts.h"
#include "support/EventLoop.h"
#include "support/WindowDoor.h"
#include "support/WindowPort.h"
#include "terminal/EscapeDecoder.h"
#include "terminal/MsgLog.h"

#include <QApplication>
#include <QComboBox>
#include <QTimer>
#include <cstdio>

namespace
{

// The received bytes as the log shows them, read back from their visible forms.
QByteArray shownBytes(MainWin& win)
{
    EscapeDecoder decoder;
    QByteArray bytes;
    const MsgLog& log = *WindowDoor(win).MsgLines();
    for (int i = 0; i < log.lineCount(); ++i)
        decoder.decode(log.line(i).toLatin1(), [&bytes](const QByteArray& one) { bytes += one; });
    return bytes;
}

} // namespace

int main(int argc, char* argv[])
{
    Bench::prepareEnvironment();
    QApplication app(argc, argv);
    std::printf("Sustained receive (%s)\n", qPrintable(Bench::machineLine()));

    constexpr qint32 kBaud = 115200;
    constexpr int kSeconds = 60;
    SimulatedModem& modem = theSimulatedModem();
    modem.setToolWindowEnabled(false);
    modem.resetToDefaults();
    modem.setBaudRate(kBaud);

    MainWin win(programPortBackends());
    TimedSimDevice::installOn(win);
    Bench::showWindow(win);
    WindowDoor(win).CommBaud()->setCurrentText(QString::number(kBaud));
    if (!openPortInWindow(win, QStringLiteral("SIM"))) {
        std::printf("SIM did not open\n");
        return 1;
    }
    EventLoop::runFor(200);
    win.session().MsgWin_Clear();
    // The flood starts with an exchange, so that no byte of start-up is waiting to be shown.
    WindowDoor(win).Modem_Transact(QByteArray(), 0, 1);

    // 8 data bits, no parity, 1 stop bit: ten bits a byte.
    const int count = kBaud / 10 * kSeconds;
    const qint64 startKb = Bench::residentKb();
    QList<qint64> samplesKb;
    QTimer sampler;
    QObject::connect(&sampler, &QTimer::timeout, [&samplesKb] {
        samplesKb << Bench::residentKb();
        // Only the count of bytes read is needed; the record of each read is let go.
        TimedSimDevice::record().clear();
    });
    sampler.start(10'000);

    TimedSimDevice::bytesRead() = 0;
    const qint64 wallStart = Bench::monotonicNs();
    const qint64 cpuStart = Bench::processCpuNs();
    // The line is kept two seconds ahead: a second's worth of bytes is queued each second.
    const int perSecond = kBaud / 10;
    int queued = std::min(count, 2 * perSecond);
    modem.flood(queued);
    QTimer topUp;
    QObject::connect(&topUp, &QTimer::timeout, [&] {
        const int more = std::min(perSecond, count - queued);
        if (more > 0)
            modem.flood(more);
        queued += more;
    });
    topUp.start(1000);
    EventLoop::runUntil([count] { return TimedSimDevice::bytesRead() >= count; },
                        (kSeconds + 15) * 1000);
    EventLoop::runFor(100);
    const double wall = double(Bench::monotonicNs() - wallStart) / 1e9;
    const double cpu = double(Bench::processCpuNs() - cpuStart) / 1e9;
    sampler.stop();
    topUp.stop();
    const qint64 endKb = Bench::residentKb();

    const qint64 read = TimedSimDevice::bytesRead();
    const QByteArray shown = shownBytes(win);
    QStringList samples;
    for (const qint64 kb : samplesKb)
        samples << Bench::megabytes(kb);
    Bench::note(QStringLiteral("%1 bytes flooded at %2 baud, %3 read by the window in %4 s, %5 "
                               "shown in %6 lines")
                    .arg(count)
                    .arg(kBaud)
                    .arg(read)
                    .arg(wall, 0, 'f', 2)
                    .arg(shown.size())
                    .arg(WindowDoor(win).MsgLines()->lineCount()));
    Bench::note(
        QStringLiteral("resident memory every 10 s: %1").arg(samples.join(QStringLiteral(", "))));
    Bench::figure(QStringLiteral("soak: bytes shown / bytes sent"),
                  QStringLiteral("%1 / %2").arg(shown.size()).arg(count), QStringLiteral("equal"),
                  shown.size() == count && read == count);
    Bench::figure(QStringLiteral("soak: CPU share"),
                  QStringLiteral("%1 %").arg(100.0 * cpu / wall, 0, 'f', 2), QStringLiteral("-"),
                  std::nullopt);
    Bench::figure(QStringLiteral("soak: resident memory at start"), Bench::megabytes(startKb),
                  QStringLiteral("-"), std::nullopt);
    Bench::figure(QStringLiteral("soak: resident memory at end"), Bench::megabytes(endKb),
                  QStringLiteral("-"), std::nullopt);
    return 0;
}
