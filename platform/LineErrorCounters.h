// The driver's line-error counters and the line events their increases stand for.
#pragma once

#include <QList>

// A snapshot of the error counters a serial driver keeps for a port (Linux: TIOCGICOUNT).
struct LineErrorCounters {
    int frame = 0;
    int overrun = 0;
    int parity = 0;
    int brk = 0;
    int bufOverrun = 0;
    bool operator==(const LineErrorCounters&) const = default;
};

// The events for the counters that went up from one snapshot to the next, one event per kind
// that went up, in the order break, framing, overrun, parity, receive-buffer overflow. A counter
// that went down (driver reset, wrap-around) stands for no event.
QList<qint16> lineEventsBetween(const LineErrorCounters& before, const LineErrorCounters& after);
