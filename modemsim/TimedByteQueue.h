// Bytes travelling along one direction of a serial line, each with the time it has fully arrived.
#pragma once

#include <QByteArray>
#include <QtGlobal>
#include <deque>
#include <limits>

struct TimedByte {
    qint64 dueNs = 0; // when the byte's last bit has arrived
    quint8 byte = 0;
    bool frameError = false;
};

// One direction of the line: bytes leave one after another, never overlapping, each taking the
// byte time it is sent with. Times are nanoseconds on the caller's clock.
class TimedByteQueue
{
public:
    static constexpr qint64 kNever = std::numeric_limits<qint64>::max();

    // Sends a byte that starts no earlier than startNs nor before the previous byte has left.
    // Returns the time it has arrived.
    qint64 send(quint8 byte, qint64 startNs, qint64 byteNs, bool frameError = false);

    bool isEmpty() const { return m_bytes.empty(); }
    qsizetype size() const { return qsizetype(m_bytes.size()); }
    // When the next byte arrives, or kNever.
    qint64 nextDueNs() const { return m_bytes.empty() ? kNever : m_bytes.front().dueNs; }
    // When the line is free for the next byte.
    qint64 lineFreeNs() const { return m_lineFree; }
    // Bytes that have not fully arrived at nowNs.
    qsizetype countPending(qint64 nowNs) const;

    // Removes and returns the first byte.
    TimedByte takeFirst();
    // Drops the bytes that have not started at nowNs; a byte already under way completes.
    void discardUnstarted(qint64 nowNs);
    void clear();

private:
    struct Entry : TimedByte {
        qint64 startNs = 0;
    };
    std::deque<Entry> m_bytes;
    qint64 m_lineFree = 0;
};
