// One direction of a serial line with byte arrival times.
#include "modemsim/TimedByteQueue.h"

#include <algorithm>

qint64 TimedByteQueue::send(quint8 byte, qint64 startNs, qint64 byteNs, bool frameError)
{
    Entry entry;
    entry.startNs = std::max(startNs, m_lineFree);
    entry.dueNs = entry.startNs + byteNs;
    entry.byte = byte;
    entry.frameError = frameError;
    m_lineFree = entry.dueNs;
    m_bytes.push_back(entry);
    return entry.dueNs;
}

qsizetype TimedByteQueue::countPending(qint64 nowNs) const
{
    // Arrival times grow along the queue: count from the back while they lie ahead.
    qsizetype count = 0;
    for (auto it = m_bytes.rbegin(); it != m_bytes.rend() && it->dueNs > nowNs; ++it)
        ++count;
    return count;
}

TimedByte TimedByteQueue::takeFirst()
{
    const TimedByte first = m_bytes.front();
    m_bytes.pop_front();
    return first;
}

void TimedByteQueue::discardUnstarted(qint64 nowNs)
{
    while (!m_bytes.empty() && m_bytes.back().startNs > nowNs)
        m_bytes.pop_back();
    m_lineFree = m_bytes.empty() ? std::min(m_lineFree, nowNs) : m_bytes.back().dueNs;
}

void TimedByteQueue::clear()
{
    m_bytes.clear();
    m_lineFree = 0;
}
