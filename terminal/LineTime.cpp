// Line times: the clock lines are stamped with and their "HH:mm:ss.zzz" form.
#include "terminal/LineTime.h"

#include <QDateTime>

namespace
{
std::function<qint64()>& testClock()
{
    static std::function<qint64()> c;
    return c;
}

constexpr qint64 kQuarterMs = qint64(15) * 60 * 1000;
constexpr qint64 kDayMs = qint64(24) * 60 * 60 * 1000;

void writeTwo(char* out, int value)
{
    out[0] = char('0' + value / 10);
    out[1] = char('0' + value % 10);
}
} // namespace

namespace LineTime
{
qint64 now()
{
    return testClock() ? testClock()() : QDateTime::currentMSecsSinceEpoch();
}

void setClock(std::function<qint64()> c)
{
    testClock() = std::move(c);
}

void Formatter::write(qint64 ms, char* out)
{
    // Offsets change on whole quarters of an hour the world over.
    const qint64 quarter = ms >= 0 ? ms / kQuarterMs : (ms - kQuarterMs + 1) / kQuarterMs;
    if (quarter != m_quarter) {
        m_quarter = quarter;
        m_offsetMs = qint64(QDateTime::fromMSecsSinceEpoch(ms).offsetFromUtc()) * 1000;
    }
    qint64 ofDay = (ms + m_offsetMs) % kDayMs;
    if (ofDay < 0)
        ofDay += kDayMs;
    const int millis = int(ofDay % 1000);
    const int seconds = int(ofDay / 1000);
    writeTwo(out, seconds / 3600);
    out[2] = ':';
    writeTwo(out + 3, seconds / 60 % 60);
    out[5] = ':';
    writeTwo(out + 6, seconds % 60);
    out[8] = '.';
    out[9] = char('0' + millis / 100);
    writeTwo(out + 10, millis % 100);
}

void Column::append(qint64 time)
{
    if (m_size % kBlock == 0) {
        m_blocks.append(QList<qint64>());
        m_blocks.last().reserve(kBlock);
    }
    m_blocks.last().append(time);
    ++m_size;
}

void Column::append(const Column& later)
{
    for (qsizetype i = 0; i < later.size(); ++i)
        append(later.at(i));
}

QString Formatter::text(qint64 ms)
{
    char shown[kTextLength];
    write(ms, shown);
    return QString::fromLatin1(shown, kTextLength);
}
} // namespace LineTime
