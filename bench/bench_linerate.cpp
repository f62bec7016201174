// Receiving at line rate into a long log: a pseudo-terminal paced at 115200 baud feeds the shown
// message window, pre-filled with 0, 1 million and 5 million lines. Prints the processor share
// and the delay from the arrival of received bytes to the end of the paint that shows them.
//   bench_linerate [--seconds N] [--sizes 0,1000000,5000000] [--window-runs N]
//                  [--window-seconds N]
// Last, the same reception with the window at its designed size and at 1920 x 1080.
#include "bench/BenchSupport.h"
#include "platform/MSComm.h"
#include "platform/QSerialPortDevice.h"
#include "shell/MainWin.h"
#include "shell/ProgramPorts.h"
#include "support/EventLoop.h"
#include "support/PtyPeer.h"
#include "support/WindowDoor.h"
#include "support/WindowPort.h"
#include "terminal/MsgLog.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QPaintEvent>
#include <algorithm>
#include <cstdio>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace
{

constexpr int kBaud = 115200;
// 8 data bits, no parity, 1 stop bit: ten bits a byte.
constexpr int kBytesPerSecond = kBaud / 10;
// A received line: 58 characters and CR LF, one row of the log each.
constexpr int kLineBytes = 60;
// The far end writes what is due every millisecond, as a UART with a small FIFO or a USB
// adapter polled every millisecond hands it on.
constexpr int kTickNs = 1'000'000;

QByteArray receivedLine(qint64 n)
{
    QByteArray line = QByteArray::number(n).rightJustified(8, '0') + ' ';
    while (line.size() < kLineBytes - 2)
        line += char('a' + line.size() % 26);
    return line + "\r\n";
}

QByteArray receivedData(qint64 bytes)
{
    QByteArray data;
    data.reserve(bytes + kLineBytes);
    for (qint64 n = 0; data.size() < bytes; ++n)
        data += receivedLine(n);
    data.truncate(bytes);
    return data;
}

// The real serial backend with a clock: records, for each read, when its first byte was
// announced and how many bytes have been read in all.
class ArrivalTimedPort : public SerialDevice
{
public:
    struct Arrival {
        qint64 ns;
        qint64 bytesSoFar;
    };

    explicit ArrivalTimedPort(const QString& name) : m_inner(name)
    {
        connect(&m_inner, &SerialDevice::bytesArrived, this, [this] {
            if (m_announcedNs < 0)
                m_announcedNs = Bench::monotonicNs();
            emit bytesArrived();
        });
        connect(&m_inner, &SerialDevice::lineEvent, this, &SerialDevice::lineEvent);
        connect(&m_inner, &SerialDevice::deviceLost, this, &SerialDevice::deviceLost);
        connect(&m_inner, &SerialDevice::notice, this, &SerialDevice::notice);
    }

    bool open(const LineSettings& settings, QString* error) override
    {
        return m_inner.open(settings, error);
    }
    void close() override { m_inner.close(); }
    bool isOpen() const override { return m_inner.isOpen(); }
    void write(const QByteArray& bytes) override { m_inner.write(bytes); }
    QByteArray readAll() override
    {
        const QByteArray bytes = m_inner.readAll();
        if (!bytes.isEmpty()) {
            bytesRead() += bytes.size();
            arrivals().append(
                {m_announcedNs < 0 ? Bench::monotonicNs() : m_announcedNs, bytesRead()});
        }
        m_announcedNs = -1;
        return bytes;
    }
    qint64 bytesAvailable() const override { return m_inner.bytesAvailable(); }
    qint64 bytesToWrite() const override { return m_inner.bytesToWrite(); }
    void discardInput() override { m_inner.discardInput(); }
    void discardOutput() override { m_inner.discardOutput(); }
    void setRts(bool on) override { m_inner.setRts(on); }
    void setDtr(bool on) override { m_inner.setDtr(on); }
    void setBreak(bool on) override { m_inner.setBreak(on); }

    static QList<Arrival>& arrivals()
    {
        static QList<Arrival> all;
        return all;
    }
    static qint64& bytesRead()
    {
        static qint64 count = 0;
        return count;
    }

private:
    QSerialPortDevice m_inner;
    qint64 m_announcedNs = -1;
};

// Watches the window's repaints: a repaint that paints the newest row the message window knows
// of shows every received byte up to the end of that row (all read bytes, once the view knows
// every line of the log). At the end of such a repaint each arrival it shows gets its delay.
class PaintClock : public QObject
{
public:
    PaintClock(QWidget* window, QAbstractItemView* view, const MsgLog& log)
        : m_window(window), m_view(view), m_log(log)
    {
        window->installEventFilter(this);
        view->viewport()->installEventFilter(this);
    }

    // Received bytes start on row firstRow of the log; arrivals from `from` on are measured.
    void start(int firstRow, qsizetype from)
    {
        m_firstRow = firstRow;
        m_next = from;
        m_delaysNs.clear();
    }
    const QList<qint64>& delaysNs() const { return m_delaysNs; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_window && event->type() == QEvent::UpdateRequest && !m_inside) {
            // The window paints its dirty widgets and hands the result to the screen here; the
            // event is handled once, inside, so that its end can be timed.
            m_inside = true;
            m_shown = -1;
            QCoreApplication::sendEvent(watched, event);
            m_inside = false;
            if (m_shown >= 0)
                painted(m_shown, Bench::monotonicNs());
            return true;
        }
        if (watched == m_view->viewport() && event->type() == QEvent::Paint)
            notePaint(static_cast<QPaintEvent*>(event)->region());
        return false;
    }

private:
    void notePaint(const QRegion& region)
    {
        const int known = m_view->model()->rowCount();
        const QModelIndex newest = m_view->model()->index(known - 1, 0);
        if (known <= m_firstRow || !region.intersects(m_view->visualRect(newest)))
            return;
        // Rows are painted from the log as it is now; rows the view does not know of yet are
        // not painted, and each row before them holds a whole received line.
        m_shown = known == m_log.lineCount() ? ArrivalTimedPort::bytesRead()
                                             : qint64(known - m_firstRow) * kLineBytes;
    }

    void painted(qint64 shown, qint64 ns)
    {
        const QList<ArrivalTimedPort::Arrival>& all = ArrivalTimedPort::arrivals();
        while (m_next < all.size() && all.at(m_next).bytesSoFar <= shown)
            m_delaysNs.append(ns - all.at(m_next++).ns);
    }

    QWidget* m_window;
    QAbstractItemView* m_view;
    const MsgLog& m_log;
    bool m_inside = false;
    qint64 m_shown = -1;
    int m_firstRow = 0;
    qsizetype m_next = 0;
    QList<qint64> m_delaysNs;
};

// The modem's side of a pseudo-terminal, written by a child process at the line rate, so that
// the far end's work does not count in this process's processor time.
class PacedPty
{
public:
    PacedPty() = default;
    ~PacedPty()
    {
        if (m_writer > 0) {
            ::kill(m_writer, SIGTERM);
            ::waitpid(m_writer, nullptr, 0);
        }
    }
    PacedPty(const PacedPty&) = delete;
    PacedPty& operator=(const PacedPty&) = delete;

    QString path() const { return m_peer.path(); }

    // Writes data at kBytesPerSecond, what is due every tick; returns at once.
    bool startWriting(const QByteArray& data)
    {
        m_writer = ::fork();
        if (m_writer != 0)
            return m_writer > 0;
        // The writer blocks while the terminal's buffer is full rather than fail.
        const int leader = m_peer.leader();
        ::fcntl(leader, F_SETFL, ::fcntl(leader, F_GETFL) & ~O_NONBLOCK);
        timespec next{};
        ::clock_gettime(CLOCK_MONOTONIC, &next);
        const qint64 start = qint64(next.tv_sec) * 1'000'000'000 + next.tv_nsec;
        qint64 sent = 0;
        while (sent < data.size()) {
            next.tv_nsec += kTickNs;
            if (next.tv_nsec >= 1'000'000'000) {
                next.tv_nsec -= 1'000'000'000;
                ++next.tv_sec;
            }
            ::clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &next, nullptr);
            const qint64 now = qint64(next.tv_sec) * 1'000'000'000 + next.tv_nsec;
            const qint64 due =
                std::min<qint64>(data.size(), (now - start) * kBytesPerSecond / 1'000'000'000);
            while (sent < due) {
                const ssize_t n = ::write(leader, data.constData() + sent, size_t(due - sent));
                if (n <= 0)
                    ::_exit(1);
                sent += n;
            }
        }
        ::_exit(0);
    }

    bool finished()
    {
        if (m_writer <= 0)
            return true;
        if (::waitpid(m_writer, nullptr, WNOHANG) != m_writer)
            return false;
        m_writer = 0;
        return true;
    }

private:
    PtyPeer m_peer;
    pid_t m_writer = 0;
};

double median(QList<double> values)
{
    if (values.isEmpty())
        return -1;
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

qint64 percentile(QList<qint64> values, double share)
{
    if (values.isEmpty())
        return -1;
    std::sort(values.begin(), values.end());
    const auto at = qsizetype(share * double(values.size() - 1) + 0.5);
    return values.at(qBound<qsizetype>(0, at, values.size() - 1));
}

QString ms(qint64 ns)
{
    return QStringLiteral("%1 ms").arg(double(ns) / 1e6, 0, 'f', 1);
}

QString lines(int count)
{
    return count == 0 ? QStringLiteral("empty log") : QStringLiteral("%L1 lines").arg(count);
}

struct Figures {
    double cpuPercent = 0;
    qint64 medianNs = -1;
    qint64 p99Ns = -1;
    bool complete = false;
};

// Fills the log with `prefill` lines, then receives for `seconds` at the line rate.
Figures receiveAtLineRate(MainWin& win, PaintClock& clock, int prefill, int seconds)
{
    Figures figures;
    PacedPty pty;
    if (pty.path().isEmpty() || !openPortInWindow(win, pty.path())) {
        Bench::note(QStringLiteral("the pseudo-terminal did not open"));
        return figures;
    }
    // An exchange leaves the receive buffer empty, so that only the data below is shown.
    WindowDoor(win).Modem_Transact(QByteArray(), 0, 1);
    win.session().MsgWin_Clear();
    const QString filler = QString::fromLatin1(receivedLine(0).chopped(2)).mid(9);
    for (int i = 0; i < prefill; ++i) {
        win.session().MsgWin_Output(QStringLiteral("%1 ").arg(i, 8, 10, QLatin1Char('0')) + filler);
        if (i % 100'000 == 99'999)
            QCoreApplication::processEvents();
    }
    EventLoop::runFor(300);
    const qint64 residentKb = Bench::residentKb();

    const QByteArray data = receivedData(qint64(kBytesPerSecond) * seconds);
    ArrivalTimedPort::bytesRead() = 0;
    ArrivalTimedPort::arrivals().clear();
    clock.start(prefill, 0);
    const qint64 wallStart = Bench::monotonicNs();
    const qint64 cpuStart = Bench::processCpuNs();
    if (!pty.startWriting(data)) {
        Bench::note(QStringLiteral("the writer did not start"));
        return figures;
    }
    EventLoop::runUntil([&] { return ArrivalTimedPort::bytesRead() >= data.size(); },
                        (seconds + 10) * 1000);
    const double wall = double(Bench::monotonicNs() - wallStart);
    const double cpu = double(Bench::processCpuNs() - cpuStart);
    // The last bytes still have to be painted.
    EventLoop::runFor(200);
    figures.cpuPercent = 100.0 * cpu / wall;
    figures.medianNs = percentile(clock.delaysNs(), 0.5);
    figures.p99Ns = percentile(clock.delaysNs(), 0.99);

    // Every received line must be in the log, in order, after the pre-filled ones.
    QByteArray shown;
    const MsgLog& log = *WindowDoor(win).MsgLines();
    for (int row = prefill; row < log.lineCount(); ++row)
        shown += log.line(row).toLatin1();
    QByteArray expected = data;
    expected.replace("\r\n", "");
    figures.complete = shown == expected && ArrivalTimedPort::bytesRead() == data.size();
    Bench::note(
        QStringLiteral("%1: %2 bytes in %3 reads over %4 s, %5 of them painted; "
                       "resident %6 after the pre-fill; log %7")
            .arg(lines(prefill))
            .arg(ArrivalTimedPort::bytesRead())
            .arg(ArrivalTimedPort::arrivals().size())
            .arg(wall / 1e9, 0, 'f', 2)
            .arg(clock.delaysNs().size())
            .arg(Bench::megabytes(residentKb))
            .arg(figures.complete ? QStringLiteral("complete") : QStringLiteral("INCOMPLETE")));
    WindowDoor(win).CommOpenCbox()->setChecked(false);
    while (!pty.finished())
        EventLoop::runFor(10);
    return figures;
}

QList<int> parseSizes(const QString& text)
{
    QList<int> sizes;
    for (const QString& part : text.split(QLatin1Char(','), Qt::SkipEmptyParts))
        sizes << part.toInt();
    return sizes;
}

} // namespace

int main(int argc, char* argv[])
{
    Bench::prepareEnvironment();
    QApplication app(argc, argv);
    int seconds = 20;
    QList<int> sizes = {0, 1'000'000, 5'000'000};
    int windowRuns = 3;
    int windowSeconds = 5;
    const QStringList args = app.arguments();
    for (qsizetype i = 1; i + 1 < args.size(); i += 2) {
        if (args.at(i) == QLatin1String("--seconds"))
            seconds = qMax(1, args.at(i + 1).toInt());
        else if (args.at(i) == QLatin1String("--sizes"))
            sizes = parseSizes(args.at(i + 1));
        else if (args.at(i) == QLatin1String("--window-runs"))
            windowRuns = qMax(3, args.at(i + 1).toInt());
        else if (args.at(i) == QLatin1String("--window-seconds"))
            windowSeconds = qMax(1, args.at(i + 1).toInt());
    }
    std::printf("Receiving at line rate into a long log (%s)\n", qPrintable(Bench::machineLine()));

    MainWin win(programPortBackends());
    WindowDoor(win).MSComm1()->setDeviceFactory(
        [](const QString& name) -> std::unique_ptr<SerialDevice> {
            return std::make_unique<ArrivalTimedPort>(name);
        });
    Bench::showWindow(win);
    WindowDoor(win).CommBaud()->setCurrentText(QString::number(kBaud));
    auto* view = win.findChild<QAbstractItemView*>(QStringLiteral("MsgWin"));
    PaintClock clock(&win, view, *WindowDoor(win).MsgLines());

    double emptyCpu = -1;
    for (const int size : sizes) {
        const Figures f = receiveAtLineRate(win, clock, size, seconds);
        if (size == 0)
            emptyCpu = f.cpuPercent;
        const QString at = lines(size);
        QString cpuTarget = QStringLiteral("<= 8 %");
        bool cpuMet = f.cpuPercent <= 8.0;
        if (size >= 5'000'000 && emptyCpu > 0) {
            cpuTarget += QStringLiteral(", <= 1.2 x empty");
            cpuMet = cpuMet && f.cpuPercent <= 1.2 * emptyCpu;
        }
        Bench::figure(QStringLiteral("line rate, %1: CPU share").arg(at),
                      QStringLiteral("%1 %").arg(f.cpuPercent, 0, 'f', 2), cpuTarget, cpuMet);
        Bench::figure(QStringLiteral("line rate, %1: arrival to paint, median").arg(at),
                      ms(f.medianNs), QStringLiteral("<= 40 ms"),
                      f.medianNs >= 0 && f.medianNs <= 40'000'000);
        Bench::figure(QStringLiteral("line rate, %1: arrival to paint, 99th percentile").arg(at),
                      ms(f.p99Ns), QStringLiteral("<= 100 ms"),
                      f.p99Ns >= 0 && f.p99Ns <= 100'000'000);
        Bench::figure(QStringLiteral("line rate, %1: every byte shown").arg(at),
                      f.complete ? QStringLiteral("yes") : QStringLiteral("no"),
                      QStringLiteral("yes"), f.complete);
    }
    // The same reception with the window at its designed size and at 1920 x 1080, interleaved,
    // so that a slow spell of the machine falls on both alike.
    const QSize designed = win.size();
    QList<double> designedCpu;
    QList<double> largeCpu;
    for (int run = 0; run < windowRuns; ++run) {
        for (const bool large : {false, true}) {
            win.resize(large ? QSize(1920, 1080) : designed);
            EventLoop::runFor(300);
            const Figures f = receiveAtLineRate(win, clock, 0, windowSeconds);
            (large ? largeCpu : designedCpu) << f.cpuPercent;
        }
    }
    win.resize(designed);
    const double designedMedian = median(designedCpu);
    const double largeMedian = median(largeCpu);
    Bench::figure(QStringLiteral("line rate, window at its designed size: CPU share, median"),
                  QStringLiteral("%1 %").arg(designedMedian, 0, 'f', 2), QStringLiteral("-"), true);
    Bench::figure(QStringLiteral("line rate, window at 1920 x 1080: CPU share, median"),
                  QStringLiteral("%1 %").arg(largeMedian, 0, 'f', 2), QStringLiteral("-"), true);
    const double ratio = designedMedian > 0 ? largeMedian / designedMedian : -1;
    Bench::figure(QStringLiteral("line rate, CPU at 1920 x 1080 / at the designed size"),
                  QString::number(ratio, 'f', 2), QStringLiteral("<= 1.5"),
                  ratio >= 0 && ratio <= 1.5);
    Bench::note(QStringLiteral("window sizes: medians of %1 interleaved runs of %2 s each")
                    .arg(windowRuns)
                    .arg(windowSeconds));
    Bench::note(QStringLiteral("%1 s at %2 baud from a pseudo-terminal written every %3 ms by a "
                               "child process; CPU is this process's share of one core")
                    .arg(seconds)
                    .arg(kBaud)
                    .arg(kTickNs / 1'000'000));
    return 0;
}
