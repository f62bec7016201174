// Running the event loop for a while: the waits of tests and benchmarks.
#include "support/EventLoop.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTimer>

namespace EventLoop
{

bool runUntil(const std::function<bool()>& condition, int ms)
{
    const QDeadlineTimer deadline(ms, Qt::PreciseTimer);
    // Makes sure the wait for the next event ends at the deadline.
    QTimer guard;
    guard.setTimerType(Qt::PreciseTimer);
    guard.setSingleShot(true);
    guard.start(ms);
    while (!condition() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return condition();
}

void runFor(int ms)
{
    runUntil([] { return false; }, ms);
}

} // namespace EventLoop
