// The serial line between the port "SIM" and the simulated unit, and the steady clock both run on.
#pragma once

#include "modemsim/LineTiming.h"
#include "modemsim/TimedByteQueue.h"

#include <QElapsedTimer>
#include <QTimer>
#include <functional>
#include <map>

// Everything happens on the user-interface thread. Bytes travel at their sender's line rate, and
// each end acts on a byte at the moment its last bit has arrived, on a steady clock, however late
// the event loop comes round: whoever looks at the line first runs it up to the present. A timer
// wakes the port when something falls due, so that while the window keeps the event loop busy the
// unit still answers at the right times, and the answers are waiting when the window looks again.
class SimLine
{
public:
    // The unit's end, run by the line as time passes.
    class UnitEnd
    {
    public:
        // A byte from the port has fully arrived, as sent (readAtUnit gives what the unit reads).
        virtual void arrive(quint8 sent) = 0;
        // When the packet the unit is collecting ends (TimedByteQueue::kNever: none is).
        virtual qint64 packetEndNs() const = 0;
        virtual void endPacket() = 0;
        // The port has changed RTS.
        virtual void rtsChanged(bool on) = 0;

    protected:
        ~UnitEnd() = default;
    };

    // The port's end, woken by the line when something falls due.
    class PortEnd
    {
    public:
        // Whether a port is open on the line; bytes the unit sends otherwise are lost.
        virtual bool isAttached() const = 0;
        // Whether the port has something to tell its device at once.
        virtual bool hasNews() const = 0;
        virtual void wake() = 0;

    protected:
        ~PortEnd() = default;
    };

    SimLine();
    void connectEnds(UnitEnd& unit, PortEnd& port);

    // --- The clock ---
    qint64 now() const { return m_clock.nsecsElapsed(); }
    // The moment the line has been run up to: the time of what is happening now.
    qint64 simNow() const { return m_simNow; }
    // Runs the line up to now (bytes arriving, packets ending, scheduled actions) and returns now.
    qint64 advance();
    // Runs action at time t; actions due at the same time run in the order they were scheduled.
    void at(qint64 t, std::function<void()> action);
    // Sets the wake-up timer for the next moment anything falls due.
    void scheduleWake();
    // Forgets the scheduled actions and the bytes on the line, and starts over from now.
    void restart();

    // --- The bytes ---
    // What the port and the unit are set up for: rate and format each sends and expects.
    LineSettings portSettings() const { return m_portSettings; }
    void setPortSettings(const LineSettings& settings) { m_portSettings = settings; }
    LineSettings unitSettings() const { return m_unitSettings; }
    void setUnitSettings(const LineSettings& settings) { m_unitSettings = settings; }
    // The same seed garbles the same bytes, each direction from a stream of its own.
    void seed(quint32 seed);

    bool rts() const { return m_rts; }
    // The port changes RTS; the unit is told at once.
    void setRts(bool on);
    // The port has gone with its adapter: RTS reads off again, and the unit sees no change.
    void forgetRts() { m_rts = false; }

    // The port sends bytes, from time t.
    void portSends(const QByteArray& bytes, qint64 t);
    // What the unit reads of a byte that has arrived.
    quint8 readAtUnit(quint8 sent);
    // The unit sends bytes from the present moment; they are lost while no port is open.
    void unitSends(const QByteArray& bytes);
    // The bytes in flight towards each end.
    TimedByteQueue& towardsUnit() { return m_towardsUnit; }
    TimedByteQueue& towardsPort() { return m_towardsPort; }
    // Drops the bytes in flight both ways.
    void dropBytes();

private:
    qint64 nextActionNs() const;
    void advanceTo(qint64 t);

    UnitEnd* m_unit = nullptr;
    PortEnd* m_port = nullptr;

    LineSettings m_portSettings;
    LineSettings m_unitSettings;
    bool m_rts = false;
    TimedByteQueue m_towardsUnit;
    TimedByteQueue m_towardsPort;
    LineReceiver m_unitReceiver;
    LineReceiver m_portReceiver;

    // Scheduled actions by time; equal times keep their order.
    std::multimap<qint64, std::function<void()>> m_actions;
    qint64 m_simNow = 0;
    bool m_advancing = false;
    QElapsedTimer m_clock;
    QTimer m_wake;
    qint64 m_wakeFor = TimedByteQueue::kNever;
};
