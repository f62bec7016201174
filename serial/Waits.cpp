// Waits: busy settle delays that run no events, and timer waits that run the event loop.
#include "session/UnitSession.h"

#include <QCoreApplication>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <limits>
#include <thread>

namespace
{
// One jiffy is a five-hundredth of a millisecond.
constexpr qint64 kJiffiesPerMs = 500;
} // namespace

void UnitSession::DelayMS(qint32 ms)
{
    const qint64 jiffies = static_cast<qint64>(ms) * kJiffiesPerMs;
    DelayJif(static_cast<qint32>(std::clamp<qint64>(jiffies, std::numeric_limits<qint32>::min(),
                                                    std::numeric_limits<qint32>::max())));
}

// The delay is kept by the clock, not by counting calls: it lasts count jiffies whatever the
// machine's speed, and the thread sleeps instead of burning the processor. No event runs.
void UnitSession::DelayJif(qint32 count)
{
    if (count < 1)
        return;
    using Clock = std::chrono::steady_clock;
    const auto until =
        Clock::now() + std::chrono::microseconds(static_cast<qint64>(count) * 1000 / kJiffiesPerMs);
    qint32 discarded = 0;
    DelayJif_Helper(discarded);
    std::this_thread::sleep_until(until);
}

void UnitSession::DelayJif_Helper(qint32& out)
{
    out = DelayJifValue;
}

namespace
{
// Arms the one wait timer afresh. An interval of 0 would end at once at best, or never: the
// shortest wait is 1 ms. The timer is precise, so a reply time-out is never cut short.
void armWaitTimer(QTimer* timer, qint16 ms)
{
    timer->stop();
    timer->setTimerType(Qt::PreciseTimer);
    timer->setInterval(std::max<int>(ms, 1));
    timer->start();
}
} // namespace

// The tick handler of StartKludgeTimer disables it; that ends the wait. A wait started by a
// handler running inside this one re-arms the same timer, and its tick ends both. Pending
// events run at least once; after that the loop sleeps until the next event arrives.
void UnitSession::TimerDelay(qint16 ms)
{
    armWaitTimer(StartKludgeTimer, ms);
    QCoreApplication::processEvents();
    while (StartKludgeTimer->isActive())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

// As TimerDelay, ending early once the reply capture holds count bytes; the timer then stays
// armed and disables itself when it fires.
void UnitSession::TimerDelayUntilRx(qint16 ms, qint16 count)
{
    armWaitTimer(StartKludgeTimer, ms);
    QCoreApplication::processEvents();
    while (StartKludgeTimer->isActive() && rx.RxCount() < count)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void UnitSession::WaitMS(qint16 ms)
{
    TimerDelay(ms);
}
