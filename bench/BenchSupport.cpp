// The benchmarks' shared set-up, readings and report lines, and their two devices.
#include "bench/BenchSupport.h"
#include "modemsim/SimulatedModemDevice.h"
#include "platform/MSComm.h"
#include "platform/MessageBox.h"
#include "shell/MainWin.h"
#include "shell/ProgramPorts.h"
#include "support/EventLoop.h"
#include "support/WindowDoor.h"

#include <QCoreApplication>
#include <QFile>
#include <QWindow>
#include <cstdio>
#include <ctime>
#include <thread>

#ifndef ROVIZEZ_BUILD_TYPE
#define ROVIZEZ_BUILD_TYPE "unknown"
#endif

namespace Bench
{

void prepareEnvironment()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("ROVIZEZ_SIM_TOOL_WINDOW", "0");
}

QString machineLine()
{
    const QString type = QStringLiteral(ROVIZEZ_BUILD_TYPE);
    return QStringLiteral("%1 cores, %2 build")
        .arg(std::thread::hardware_concurrency())
        .arg(type.isEmpty() ? QStringLiteral("unnamed") : type);
}

void figure(const QString& name, const QString& value, const QString& target,
            std::optional<bool> met)
{
    const char* verdict = !met ? "-" : *met ? "met" : "missed";
    std::printf("FIGURE\t%s\t%s\t%s\t%s\n", qPrintable(name), qPrintable(value), qPrintable(target),
                verdict);
    std::fflush(stdout);
}

void note(const QString& text)
{
    std::printf("  %s\n", qPrintable(text));
    std::fflush(stdout);
}

namespace
{
qint64 clockNs(clockid_t clock)
{
    timespec ts{};
    clock_gettime(clock, &ts);
    return qint64(ts.tv_sec) * 1'000'000'000 + ts.tv_nsec;
}
} // namespace

qint64 monotonicNs()
{
    return clockNs(CLOCK_MONOTONIC);
}

qint64 processCpuNs()
{
    return clockNs(CLOCK_PROCESS_CPUTIME_ID);
}

namespace
{
// A figure in kB from the process's status ("VmRSS:", "VmHWM:"), -1 when it cannot be read.
qint64 statusKb(const QByteArray& field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& row : status.readAll().split('\n')) {
        if (row.startsWith(field))
            return row.mid(field.size()).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}
} // namespace

qint64 residentKb()
{
    return statusKb(QByteArrayLiteral("VmRSS:"));
}

qint64 peakResidentKb()
{
    return statusKb(QByteArrayLiteral("VmHWM:"));
}

bool resetPeak()
{
    QFile refs(QStringLiteral("/proc/self/clear_refs"));
    return refs.open(QIODevice::WriteOnly) && refs.write("5") == 1;
}

void showWindow(MainWin& win)
{
    setMessageBoxResponder([](const QString& text, const QString& title, MsgButtons) {
        note(QStringLiteral("message box \"%1\": %2").arg(title, text));
        return MsgAnswer::Ok;
    });
    win.show();
    EventLoop::runUntil([&win] { return win.windowHandle() && win.windowHandle()->isExposed(); },
                        5000);
    QCoreApplication::processEvents();
}

QString megabytes(qint64 kb)
{
    return QStringLiteral("%1 MB").arg(double(kb) / 1024.0, 0, 'f', 1);
}

} // namespace Bench

// --- MemoryDevice ---

namespace
{
QPointer<MemoryDevice> g_memoryDevice;
} // namespace

void MemoryDevice::push(const QByteArray& bytes)
{
    m_input += bytes;
    emit bytesArrived();
}

void MemoryDevice::installOn(MainWin& win)
{
    WindowDoor(win).MSComm1()->setDeviceFactory(
        [](const QString&) -> std::unique_ptr<SerialDevice> {
            auto device = std::make_unique<MemoryDevice>();
            g_memoryDevice = device.get();
            return device;
        });
}

MemoryDevice* MemoryDevice::current()
{
    return g_memoryDevice.data();
}

// --- TimedSimDevice ---

TimedSimDevice::TimedSimDevice() : m_inner(makeSimulatedModemDevice())
{
    connect(m_inner.get(), &SerialDevice::bytesArrived, this, [this] {
        record().append({Event::Arrival, Bench::monotonicNs(), {}, false});
        emit bytesArrived();
    });
    connect(m_inner.get(), &SerialDevice::lineEvent, this, &SerialDevice::lineEvent);
    connect(m_inner.get(), &SerialDevice::deviceLost, this, &SerialDevice::deviceLost);
    connect(m_inner.get(), &SerialDevice::notice, this, &SerialDevice::notice);
}

TimedSimDevice::~TimedSimDevice() = default;

bool TimedSimDevice::open(const LineSettings& settings, QString* error)
{
    return m_inner->open(settings, error);
}

void TimedSimDevice::close()
{
    m_inner->close();
}

bool TimedSimDevice::isOpen() const
{
    return m_inner->isOpen();
}

void TimedSimDevice::write(const QByteArray& bytes)
{
    record().append({Event::Write, Bench::monotonicNs(), bytes, false});
    m_inner->write(bytes);
}

QByteArray TimedSimDevice::readAll()
{
    const QByteArray bytes = m_inner->readAll();
    if (!bytes.isEmpty()) {
        record().append({Event::Read, Bench::monotonicNs(), bytes, false});
        bytesRead() += bytes.size();
    }
    return bytes;
}

qint64 TimedSimDevice::bytesAvailable() const
{
    return m_inner->bytesAvailable();
}

qint64 TimedSimDevice::bytesToWrite() const
{
    return m_inner->bytesToWrite();
}

void TimedSimDevice::discardInput()
{
    record().append({Event::DiscardInput, Bench::monotonicNs(), {}, false});
    m_inner->discardInput();
}

void TimedSimDevice::discardOutput()
{
    m_inner->discardOutput();
}

void TimedSimDevice::setRts(bool on)
{
    record().append({Event::Rts, Bench::monotonicNs(), {}, on});
    m_inner->setRts(on);
}

void TimedSimDevice::setDtr(bool on)
{
    m_inner->setDtr(on);
}

void TimedSimDevice::setBreak(bool on)
{
    m_inner->setBreak(on);
}

QList<TimedSimDevice::Event>& TimedSimDevice::record()
{
    static QList<Event> events;
    return events;
}

qint64& TimedSimDevice::bytesRead()
{
    static qint64 count = 0;
    return count;
}

void TimedSimDevice::installOn(MainWin& win)
{
    WindowDoor(win).MSComm1()->setDeviceFactory(
        [](const QString&) -> std::unique_ptr<SerialDevice> {
            return std::make_unique<TimedSimDevice>();
        });
}
