// The port "SIM" on the simulated line: writing, reading, discarding, RTS and what its device
// hears.
#include "modemsim/SimHostPort.h"

#include "modemsim/SimulatedModemDevice.h"

SimHostPort::SimHostPort(SimLine& line) : m_line(line) {}

void SimHostPort::reset()
{
    m_buffer.clear();
    m_announce = false;
    m_pendingLineEvents.clear();
    m_lostPending = false;
    m_pluggedIn = true;
}

bool SimHostPort::attach(SimulatedModemDevice* device, const LineSettings& settings, bool rts,
                         QString* error)
{
    auto fail = [&](const QString& reason) {
        if (error)
            *error = reason;
        return false;
    };
    if (!m_pluggedIn)
        return fail(QStringLiteral("the simulated modem is unplugged"));
    if (!m_device.isNull() && m_device != device)
        return fail(QStringLiteral("the simulated modem is in use by another port"));
    m_line.advance();
    m_device = device;
    m_line.setPortSettings(settings);
    dropLine();
    setRts(rts);
    emit attachedChanged(true);
    emit changed();
    return true;
}

void SimHostPort::detach(SimulatedModemDevice* device)
{
    if (m_device != device || device == nullptr)
        return;
    // A closed port no longer drives RTS.
    setRts(false);
    dropLine();
    m_device = nullptr;
    emit attachedChanged(false);
    emit changed();
    m_line.scheduleWake();
}

void SimHostPort::dropLine()
{
    m_line.dropBytes();
    m_buffer.clear();
    m_announce = false;
    m_pendingLineEvents.clear();
    m_lostPending = false;
}

void SimHostPort::write(const QByteArray& bytes)
{
    const qint64 t = m_line.advance();
    m_line.portSends(bytes, t);
    m_line.scheduleWake();
}

QByteArray SimHostPort::readAll()
{
    settle(m_line.advance());
    m_announce = false;
    m_line.scheduleWake();
    return std::exchange(m_buffer, {});
}

qint64 SimHostPort::bytesAvailable()
{
    // Bytes found here are announced too, so that none waits unseen for the next arrival.
    if (settle(m_line.advance())) {
        m_announce = true;
        m_line.scheduleWake();
    }
    return m_buffer.size();
}

qint64 SimHostPort::bytesToWrite()
{
    return m_line.towardsUnit().countPending(m_line.advance());
}

void SimHostPort::discardInput()
{
    settle(m_line.advance());
    m_buffer.clear();
    m_announce = false;
    m_line.scheduleWake();
}

void SimHostPort::discardOutput()
{
    m_line.towardsUnit().discardUnstarted(m_line.advance());
    m_line.scheduleWake();
}

void SimHostPort::setRts(bool on)
{
    m_line.setRts(on);
}

void SimHostPort::raiseLineEvent(qint16 code)
{
    if (m_device.isNull())
        return;
    m_pendingLineEvents.append(code);
    m_line.scheduleWake();
}

void SimHostPort::vanish()
{
    m_pluggedIn = false;
    if (!m_device.isNull()) {
        m_lostPending = true;
        m_line.scheduleWake();
    }
    emit changed();
}

void SimHostPort::plugIn()
{
    m_pluggedIn = true;
    emit changed();
}

bool SimHostPort::settle(qint64 t)
{
    TimedByteQueue& arriving = m_line.towardsPort();
    bool moved = false;
    while (arriving.nextDueNs() <= t) {
        const TimedByte b = arriving.takeFirst();
        m_buffer += char(b.byte);
        if (b.frameError)
            m_pendingLineEvents.append(comEventFrame);
        moved = true;
    }
    return moved;
}

bool SimHostPort::hasNews() const
{
    return m_announce || m_lostPending || !m_pendingLineEvents.isEmpty();
}

void SimHostPort::wake()
{
    const bool moved = settle(m_line.advance());
    const QPointer<SimulatedModemDevice> device = m_device;
    if (m_lostPending && device) {
        dropLine();
        m_line.forgetRts();
        m_device = nullptr;
        m_line.scheduleWake();
        device->lose(QStringLiteral("The simulated modem's adapter was unplugged."));
        emit attachedChanged(false);
        emit changed();
        return;
    }
    const bool announce = (moved || m_announce) && !m_buffer.isEmpty();
    m_announce = false;
    const QList<qint16> events = std::exchange(m_pendingLineEvents, {});
    m_line.scheduleWake();
    if (!device)
        return;
    if (announce)
        device->announceArrival();
    for (const qint16 code : events) {
        if (m_device != device)
            break;
        device->announceLineEvent(code);
    }
}
