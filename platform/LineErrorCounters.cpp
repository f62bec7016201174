// Line events from increases of the driver's error counters.
#include "platform/LineErrorCounters.h"

#include "platform/SerialDevice.h"

QList<qint16> lineEventsBetween(const LineErrorCounters& before, const LineErrorCounters& after)
{
    // One event per kind however many errors of that kind the driver counted since the last
    // look: the log gets one line per burst rather than one per garbled byte.
    QList<qint16> events;
    if (after.brk > before.brk)
        events << comEventBreak;
    if (after.frame > before.frame)
        events << comEventFrame;
    if (after.overrun > before.overrun)
        events << comEventOverrun;
    if (after.parity > before.parity)
        events << comEventRxParity;
    if (after.bufOverrun > before.bufOverrun)
        events << comEventRxOver;
    return events;
}
