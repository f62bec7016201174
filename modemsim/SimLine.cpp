// The simulated serial line, run on a steady clock from the event loop.
#include "modemsim/SimLine.h"

#include <algorithm>

namespace
{

constexpr qint64 kMs = 1'000'000;

} // namespace

SimLine::SimLine()
{
    m_clock.start();
    m_wake.setSingleShot(true);
    m_wake.setTimerType(Qt::PreciseTimer);
    QObject::connect(&m_wake, &QTimer::timeout, &m_wake, [this] { m_port->wake(); });
}

void SimLine::connectEnds(UnitEnd& unit, PortEnd& port)
{
    m_unit = &unit;
    m_port = &port;
}

qint64 SimLine::advance()
{
    const qint64 t = now();
    advanceTo(t);
    return t;
}

void SimLine::at(qint64 t, std::function<void()> action)
{
    m_actions.emplace(t, std::move(action));
}

qint64 SimLine::nextActionNs() const
{
    return m_actions.empty() ? TimedByteQueue::kNever : m_actions.begin()->first;
}

void SimLine::advanceTo(qint64 t)
{
    // What the unit does while the line runs may look at the line again; it is already current.
    if (m_advancing)
        return;
    m_advancing = true;
    for (;;) {
        const qint64 byteAt = m_towardsUnit.nextDueNs();
        const qint64 packetAt = m_unit->packetEndNs();
        const qint64 actionAt = nextActionNs();
        const qint64 next = std::min({byteAt, packetAt, actionAt});
        if (next > t)
            break;
        m_simNow = std::max(m_simNow, next);
        // At equal times a byte arrives before the packet ends, and both before an action.
        if (byteAt == next) {
            m_unit->arrive(m_towardsUnit.takeFirst().byte);
        } else if (packetAt == next) {
            m_unit->endPacket();
        } else {
            auto node = m_actions.extract(m_actions.begin());
            node.mapped()();
        }
    }
    m_simNow = std::max(m_simNow, t);
    m_advancing = false;
}

void SimLine::scheduleWake()
{
    qint64 next = std::min({m_towardsUnit.nextDueNs(), m_unit->packetEndNs(),
                            m_towardsPort.nextDueNs(), nextActionNs()});
    if (m_port->hasNews())
        next = 0;
    if (next == TimedByteQueue::kNever) {
        m_wake.stop();
        m_wakeFor = next;
        return;
    }
    if (m_wake.isActive() && next == m_wakeFor)
        return;
    m_wakeFor = next;
    const qint64 delay = next - now();
    // Whole milliseconds, rounded up: the timer never fires before the moment is due.
    m_wake.start(delay <= 0 ? 0 : int((delay + kMs - 1) / kMs));
}

void SimLine::restart()
{
    m_actions.clear();
    dropBytes();
    m_simNow = now();
}

void SimLine::seed(quint32 seed)
{
    m_unitReceiver.seed(seed ^ 0x5bd1e995u);
    m_portReceiver.seed(seed ^ 0x1b873593u);
}

void SimLine::setRts(bool on)
{
    advance();
    if (on == m_rts)
        return;
    m_rts = on;
    m_unit->rtsChanged(on);
    scheduleWake();
}

void SimLine::portSends(const QByteArray& bytes, qint64 t)
{
    const qint64 byteNs = byteTimeNs(m_portSettings);
    for (const char c : bytes)
        m_towardsUnit.send(quint8(c), t, byteNs);
}

quint8 SimLine::readAtUnit(quint8 sent)
{
    return m_unitReceiver.receive(sent, m_portSettings, m_unitSettings).byte;
}

void SimLine::unitSends(const QByteArray& bytes)
{
    if (!m_port->isAttached())
        return;
    const qint64 byteNs = byteTimeNs(m_unitSettings);
    for (const char c : bytes) {
        const ReceivedByte r = m_portReceiver.receive(quint8(c), m_unitSettings, m_portSettings);
        m_towardsPort.send(r.byte, m_simNow, byteNs, r.frameError);
    }
}

void SimLine::dropBytes()
{
    m_towardsUnit.clear();
    m_towardsPort.clear();
}
