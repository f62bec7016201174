// The loopback partner's echo with the link faults of a channel, and how its link is set up.
#include "modemsim/LoopbackPartner.h"

#include <algorithm>

bool LoopbackPartner::chance(double probability)
{
    // Always draw, so that the sequence of a seed does not depend on the fault settings.
    const double draw = std::uniform_real_distribution<double>(0.0, 1.0)(m_random);
    return draw < probability;
}

qsizetype LoopbackPartner::position(qsizetype size)
{
    return qsizetype(m_random() % quint32(size));
}

std::optional<QByteArray> LoopbackPartner::echo(const QByteArray& packet, const LinkFaults& faults)
{
    const bool lost = chance(faults.loss);
    const bool corrupt = chance(faults.corruption);
    const bool extra = chance(faults.extraByte);
    const bool missing = chance(faults.missingByte);
    if (lost || packet.isEmpty())
        return std::nullopt;
    QByteArray reply = packet;
    if (corrupt) {
        const qsizetype at = position(reply.size());
        reply[at] = char(quint8(reply.at(at)) ^ quint8(1 + m_random() % 255));
    }
    if (extra)
        reply.insert(position(reply.size() + 1), char(m_random() & 0xFF));
    if (missing && !reply.isEmpty())
        reply.remove(position(reply.size()), 1);
    return reply;
}

void LoopbackPartner::resetLink()
{
    m_present = true;
    m_latencyMs = kDefaultLatencyMs;
    m_faults = LinkFaults();
    m_channelFaults.clear();
}

void LoopbackPartner::setLatencyMs(int ms)
{
    m_latencyMs = std::max(0, ms);
}

void LoopbackPartner::setFaults(int channel, const LinkFaults& faults)
{
    m_channelFaults.insert(channel, faults);
}

void LoopbackPartner::setFaults(const LinkFaults& faults)
{
    m_faults = faults;
    m_channelFaults.clear();
}

void LoopbackPartner::setLossRate(double probability)
{
    m_faults.loss = probability;
    for (LinkFaults& faults : m_channelFaults)
        faults.loss = probability;
}
