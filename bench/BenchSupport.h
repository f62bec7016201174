// What every benchmark shares: set-up of the offscreen window, clocks and memory readings, the
// figure lines that tools/run-bench gathers, and two devices under the serial component.
#pragma once

#include "platform/SerialDevice.h"

#include <QByteArray>
#include <QList>
#include <QPointer>
#include <QString>
#include <memory>
#include <optional>

class MainWin;

namespace Bench
{

// Offscreen platform unless one is chosen, no tool window for the simulated modem, the program's
// ports. Call before the application object is made.
void prepareEnvironment();

// "2 cores, Release build": printed at the top of every benchmark.
QString machineLine();

// One row of the table: the figure's name, its value with unit, the target, and whether the
// target was met (no value: the figure has no target). A line of the form
//   FIGURE<tab>name<tab>value<tab>target<tab>met|missed|-
void figure(const QString& name, const QString& value, const QString& target,
            std::optional<bool> met);
// A line of explanation under the figures.
void note(const QString& text);

qint64 monotonicNs();
// CPU time of the whole process (every thread), user and system.
qint64 processCpuNs();
// Resident memory of the process in kB, from /proc/self/status.
qint64 residentKb();
// Peak resident memory since start or the last resetPeak(), in kB.
qint64 peakResidentKb();
// Starts the peak over from the present resident memory; false where the system cannot.
bool resetPeak();

// Shows the window and waits until it is on the (offscreen) screen. Every message box is
// answered OK and printed, so that nothing waits for a user.
void showWindow(MainWin& win);

QString megabytes(qint64 kb);

} // namespace Bench

// An in-memory line: bytes pushed in are announced at once, as a fast driver would announce a
// full read; writes are swallowed. For measuring the window's own work on received data.
class MemoryDevice : public SerialDevice
{
    Q_OBJECT
public:
    bool open(const LineSettings&, QString*) override { return m_open = true; }
    void close() override { m_open = false; }
    bool isOpen() const override { return m_open; }
    void write(const QByteArray&) override {}
    QByteArray readAll() override { return std::exchange(m_input, {}); }
    qint64 bytesAvailable() const override { return m_input.size(); }
    qint64 bytesToWrite() const override { return 0; }
    void discardInput() override { m_input.clear(); }
    void discardOutput() override {}
    void setRts(bool) override {}
    void setDtr(bool) override {}
    void setBreak(bool) override {}

    void push(const QByteArray& bytes);

    // Installs a factory on the window that opens a new MemoryDevice; current() is the open one.
    static void installOn(MainWin& win);
    static MemoryDevice* current();

private:
    bool m_open = false;
    QByteArray m_input;
};

// The simulated modem's device with a timed record of what crosses it: each arrival announced
// to the component, each write, each read, each change of RTS and each discard of the input, in
// order.
class TimedSimDevice : public SerialDevice
{
    Q_OBJECT
public:
    struct Event {
        enum Kind { Arrival, Write, Read, Rts, DiscardInput } kind;
        qint64 ns = 0;
        QByteArray bytes; // written or read
        bool on = false;  // RTS
    };

    TimedSimDevice();
    ~TimedSimDevice() override;

    bool open(const LineSettings& settings, QString* error) override;
    void close() override;
    bool isOpen() const override;
    void write(const QByteArray& bytes) override;
    QByteArray readAll() override;
    qint64 bytesAvailable() const override;
    qint64 bytesToWrite() const override;
    void discardInput() override;
    void discardOutput() override;
    void setRts(bool on) override;
    void setDtr(bool on) override;
    void setBreak(bool on) override;

    // The shared record of every device the factory made.
    static QList<Event>& record();
    // Bytes read through every such device so far.
    static qint64& bytesRead();
    // Installs a factory on the window that opens the simulated modem through a TimedSimDevice.
    static void installOn(MainWin& win);

private:
    std::unique_ptr<SerialDevice> m_inner;
};
