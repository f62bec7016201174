// A log line's arrival time: milliseconds since the epoch by the system clock, in 8 bytes.
#pragma once

#include <QByteArray>
#include <QList>
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
// The times of many lines, in blocks of a fixed size that are never moved once filled: a list
// that grows by reallocating would leave the holes of its earlier copies behind in the heap, a
// good part as much again as the times themselves. Copies share the blocks until either side
// changes, so copying a long log's times costs next to nothing.
class Column
{
public:
    qsizetype size() const { return m_size; }
    qint64 at(qsizetype i) const { return m_blocks.at(i / kBlock).at(i % kBlock); }
    void append(qint64 time);
    void append(const Column& later);

private:
    static constexpr qsizetype kBlock = 8192;
    QList<QList<qint64>> m_blocks;
    qsizetype m_size = 0;
};
} // namespace LineTime
