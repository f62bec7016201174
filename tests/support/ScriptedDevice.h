// A fake serial device for window tests: records what the window does to the line, feeds replies.
#pragma once

#include "platform/SerialDevice.h"

#include <QByteArray>
#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class MSComm;
class MainWin;
class ScriptedDevice;

// The line as the test sees it. It outlives every device the window opens and closes on it, so
// one record holds the whole story of a test across re-opens.
//
// calls() lists, in order, every operation the window made on a device:
//   "open 9600,N,8,1"  "close"  "rts 1"  "dtr 0"  "break 1"  "discardIn"  "discardOut"
//   "write <the bytes as Latin-1>"
// Line states set while closed are recorded too (the component sets them before it opens).
//
// feed(), lineEvent() and lose() are delivered through the event loop, as a real port would
// deliver them: nothing reaches the window while it is in a busy wait.
class ScriptedLine
{
public:
    // --- What the window did ---
    QStringList calls() const { return m_calls; }
    // Only the calls starting with one of the prefixes (e.g. {"rts", "dtr", "open"}).
    QStringList callsMatching(const QStringList& prefixes) const;
    // Each write, in order, and all of them joined.
    QList<QByteArray> writes() const { return m_writes; }
    QByteArray written() const;
    // Forgets the calls and writes so far (line states and buffers stay).
    void clearRecord();

    bool isOpen() const;
    int openCount() const { return m_openCount; }
    QString lastPortName() const { return m_lastPortName; }
    LineSettings lastSettings() const { return m_lastSettings; }
    bool rts() const { return m_rts; }
    bool dtr() const { return m_dtr; }
    bool breakOn() const { return m_break; }
    // Received bytes the window has not read yet.
    QByteArray unread() const { return m_input; }

    // --- What the line does ---
    // Queues received bytes on the open device and announces them. Returns false (and drops
    // the bytes) when no device is open.
    bool feed(const QByteArray& bytes);
    // Feeds the bytes after a delay (0: at the next turn of the event loop).
    void feedLater(int ms, const QByteArray& bytes);
    // Reports a line condition (comEventFrame, comEventOverrun, ...) on the open device.
    bool lineEvent(qint16 code);
    // The next open fails with this reason (once).
    void failNextOpen(const QString& reason);
    // Every open fails with this reason until cleared with an empty text.
    void failOpens(const QString& reason);
    // The open device goes away (unplugged) with this reason.
    bool lose(const QString& reason);
    // Unsent bytes the window sees in OutBufferCount; discarding output sets it to 0. With
    // drainAfterMs >= 0 the count drops to 0 by itself after that time.
    void setPendingOutput(qint64 count, int drainAfterMs = -1);
    qint64 pendingOutput() const { return m_pendingOutput; }
    // Called with each write, after it is recorded; it may feed a reply.
    void setResponder(std::function<void(const QByteArray& written)> responder);
    // Called with each recorded call (after the responder for writes).
    void setCallHook(std::function<void(const QString& call)> hook);

    // --- Making and installing it ---
    static std::shared_ptr<ScriptedLine> create();
    // The factory that makes devices on this line, whatever port name is asked for.
    void installOn(MSComm& comm);
    void installOn(MainWin& win);
    // A new record installed as the window's device factory.
    static std::shared_ptr<ScriptedLine> install(MainWin& win);
    // As install, then "Open Comm Port?" ticked and the record of the opening cleared; the
    // caller checks isOpen().
    static std::shared_ptr<ScriptedLine> openIn(MainWin& win);

private:
    friend class ScriptedDevice;
    ScriptedLine() = default;
    void record(const QString& call);
    ScriptedDevice* openDevice() const;

    std::weak_ptr<ScriptedLine> m_self;
    QStringList m_calls;
    QList<QByteArray> m_writes;
    QByteArray m_input;
    QPointer<ScriptedDevice> m_device;
    QString m_failNext;
    QString m_failAlways;
    QString m_lastPortName;
    LineSettings m_lastSettings;
    int m_openCount = 0;
    qint64 m_pendingOutput = 0;
    bool m_rts = false;
    bool m_dtr = false;
    bool m_break = false;
    std::function<void(const QByteArray&)> m_responder;
    std::function<void(const QString&)> m_callHook;
};

// One device made by the factory for one open; everything it does goes to the shared record.
class ScriptedDevice : public SerialDevice
{
    Q_OBJECT
public:
    ScriptedDevice(std::shared_ptr<ScriptedLine> line, const QString& portName);

    bool open(const LineSettings& settings, QString* error) override;
    void close() override;
    bool isOpen() const override { return m_open; }
    void write(const QByteArray& bytes) override;
    QByteArray readAll() override;
    qint64 bytesAvailable() const override;
    qint64 bytesToWrite() const override;
    void discardInput() override;
    void discardOutput() override;
    void setRts(bool on) override;
    void setDtr(bool on) override;
    void setBreak(bool on) override;

private:
    friend class ScriptedLine;
    std::shared_ptr<ScriptedLine> m_line;
    QString m_portName;
    bool m_open = false;
};
