// A log line's arrival time: milliseconds since the epoch by the system clock, in 8 bytes.
#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

namespace LineTime
{
// Characters of a formatted time, "HH:mm:ss.zzz".
constexpr int kTextLength = 12;

// The system clock now, in milliseconds since the epoch; the clock set for a test, if any.
qint64 now();
// Makes now() read this clock instead of the system's (an empty function restores it).
void setClock(std::function<qint64()> clock);

// Formats times as the local time of day, "HH:mm:ss.zzz". The local offset from UTC is looked
// up once for each quarter of an hour met, so formatting a million lines stays cheap; a time
// after a change of the system clock is formatted as what it is.
class Formatter
{
public:
    // Writes the kTextLength characters of the time at out.
    void write(qint64 ms, char* out);
    QString text(qint64 ms);

private:
    qint64 m_quarter = -1;
    qint64 m_offsetMs = 0;
};
} // namespace LineTime
