// Log ingest: received bytes through the receive path into the shown message window, in both
// display modes, and whole lines through MsgWin_Output.
#include "bench/BenchSupport.h"
#include "shell/MainWin.h"
#include "shell/ProgramPorts.h"
#include "support/WindowDoor.h"
#include "support/WindowPort.h"
#include "terminal/MsgLog.h"

#include <QApplication>
#include <QComboBox>
#include <cstdio>
#include <random>

namespace
{

constexpr qint64 kTotalBytes = 10 * 1024 * 1024;
// A driver hands over what it has read in one piece; 4 kB is a full read of a fast line.
constexpr int kChunk = 4096;
constexpr int kLines = 500'000;

// Text lines of 30 to 70 printable characters ended by CR LF, with now and then a byte a
// terminal would show in hex even in character mode.
QByteArray receivedData()
{
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> length(30, 70);
    std::uniform_int_distribution<int> printable(32, 126);
    std::uniform_int_distribution<int> percent(0, 99);
    QByteArray data;
    data.reserve(kTotalBytes + 80);
    while (data.size() < kTotalBytes) {
        const int n = length(rng);
        for (int i = 0; i < n; ++i)
            data += percent(rng) < 2 ? char(0xFF) : char(printable(rng));
        data += "\r\n";
    }
    data.truncate(kTotalBytes);
    return data;
}

qint64 shownCharacters(const QByteArray& data, bool hex)
{
    qint64 n = 0;
    for (const char b : data)
        n += visibleForm(quint8(b), hex).size();
    return n;
}

qint64 logCharacters(MainWin& win)
{
    qint64 n = 0;
    const MsgLog& log = *WindowDoor(win).MsgLines();
    for (int i = 0; i < log.lineCount(); ++i)
        n += log.line(i).size();
    return n;
}

double ingest(MainWin& win, const QByteArray& data, bool hex)
{
    win.session().MsgWin_Clear();
    win.findChild<QComboBox*>("RxShowMode")->setCurrentIndex(hex ? 1 : 0);
    QCoreApplication::processEvents();
    const qint64 start = Bench::monotonicNs();
    for (qsizetype at = 0; at < data.size(); at += kChunk) {
        MemoryDevice::current()->push(data.mid(at, kChunk));
        // The view follows and paints between reads, as it does between driver events.
        QCoreApplication::processEvents();
    }
    QCoreApplication::processEvents();
    const double seconds = double(Bench::monotonicNs() - start) / 1e9;
    const qint64 shown = logCharacters(win);
    const qint64 expected = shownCharacters(data, hex);
    Bench::note(QStringLiteral("%1 mode: %2 bytes in %3 s, %4 lines; %5 of %6 characters shown")
                    .arg(hex ? "hex" : "chars")
                    .arg(data.size())
                    .arg(seconds, 0, 'f', 3)
                    .arg(WindowDoor(win).MsgLines()->lineCount())
                    .arg(shown)
                    .arg(expected));
    return double(data.size()) / seconds / 1e6;
}

} // namespace

int main(int argc, char* argv[])
{
    Bench::prepareEnvironment();
    QApplication app(argc, argv);
    std::printf("Log ingest (%s)\n", qPrintable(Bench::machineLine()));

    MainWin win(programPortBackends());
    MemoryDevice::installOn(win);
    Bench::showWindow(win);
    if (!openPortInWindow(win, QStringLiteral("COM1")) || !MemoryDevice::current()) {
        std::printf("the in-memory port did not open\n");
        return 1;
    }
    // An exchange leaves the receive buffer empty, so that only the data below is shown.
    WindowDoor(win).Modem_Transact(QByteArray(), 0, 1);
    const QByteArray data = receivedData();

    const double chars = ingest(win, data, false);
    Bench::figure(QStringLiteral("log ingest, chars mode"),
                  QStringLiteral("%1 MB/s").arg(chars, 0, 'f', 2), QStringLiteral("-"),
                  std::nullopt);
    const double hex = ingest(win, data, true);
    Bench::figure(QStringLiteral("log ingest, hex mode"),
                  QStringLiteral("%1 MB/s").arg(hex, 0, 'f', 2), QStringLiteral(">= 5 MB/s"),
                  hex >= 5.0);

    win.session().MsgWin_Clear();
    QCoreApplication::processEvents();
    const QString text =
        QStringLiteral("  GOT (OK) as expected. ....") + QString(12, QLatin1Char('.'));
    const qint64 start = Bench::monotonicNs();
    for (int i = 0; i < kLines; ++i) {
        win.session().MsgWin_Output(text);
        if (i % 100 == 99)
            QCoreApplication::processEvents();
    }
    QCoreApplication::processEvents();
    const double seconds = double(Bench::monotonicNs() - start) / 1e9;
    Bench::note(
        QStringLiteral("%1 lines of %2 characters in %3 s, the view following every 100 lines")
            .arg(kLines)
            .arg(text.size())
            .arg(seconds, 0, 'f', 3));
    Bench::figure(QStringLiteral("log lines through MsgWin_Output"),
                  QStringLiteral("%1 lines/s").arg(double(kLines) / seconds, 0, 'f', 0),
                  QStringLiteral("-"), std::nullopt);
    Bench::note(
        QStringLiteral("MB are 10^6 bytes; the bytes come from an in-memory port in 4 kB reads"));
    return 0;
}
