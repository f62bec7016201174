// The wait for a lost port: path present, quiet tries for a while, then the verdict.
#include "serial/PortWatch.h"

PortWatch::PortWatch(PortProbe probe) : m_probe(std::move(probe)) {}

void PortWatch::start(const QString& portText, const QString& device)
{
    m_portText = portText;
    m_device = device;
    m_active = true;
    m_backSince.reset();
}

void PortWatch::stop()
{
    m_active = false;
    m_backSince.reset();
}

PortWatch::Verdict PortWatch::check(qint64 nowMs)
{
    if (!m_active)
        return Verdict::Waiting;
    // A path that goes again before it would open starts the wait afresh, without a limit.
    if (!m_probe.present(m_device)) {
        m_backSince.reset();
        return Verdict::Waiting;
    }
    if (!m_backSince)
        m_backSince = nowMs;
    // The system may still be setting up a device that has just appeared (its permissions,
    // say): it is tried quietly until it opens or the time is up.
    if (m_probe.opens(m_device)) {
        stop();
        return Verdict::Back;
    }
    if (nowMs - *m_backSince >= kRetryMs) {
        stop();
        return Verdict::GaveUp;
    }
    return Verdict::Waiting;
}
