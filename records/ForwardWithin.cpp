// The bounded pass of forwarding: a detached thread does it, the caller waits up to its deadline.
#include "records/ForwardWithin.h"

#include "records/RecordStore.h"

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

namespace
{
// What the caller and the pass share; it lives as long as the longer of the two.
struct Pass {
    ForwardControl control;
    std::mutex mutex;
    std::condition_variable ended;
    bool done = false;
    ForwardReport report;
};
} // namespace

ForwardReport forwardWithin(const QString& storePath, const QString& uri, const QString& password,
                            int deadlineMs)
{
    auto pass = std::make_shared<Pass>();
    std::thread([pass, storePath, uri, password] {
        ForwardReport report;
        {
            RecordStore store(storePath);
            report.error = store.open();
            if (report.error.isEmpty())
                report = forwardWaiting(store, uri, password, pass->control);
        }
        const std::lock_guard lock(pass->mutex);
        pass->report = report;
        pass->done = true;
        pass->ended.notify_all();
    }).detach();

    std::unique_lock lock(pass->mutex);
    if (pass->ended.wait_for(lock, std::chrono::milliseconds(deadlineMs),
                             [&] { return pass->done; }))
        return pass->report;
    lock.unlock();
    pass->control.abandoned = true;

    ForwardReport report;
    report.forwarded = pass->control.forwarded;
    report.error = QStringLiteral("The server did not finish within %1 ms; the runs not forwarded "
                                  "wait in the store.")
                       .arg(deadlineMs);
    RecordStore store(storePath);
    const QString error = store.open();
    const StoreCount waiting = error.isEmpty() ? store.waitingForServerCount() : StoreCount{};
    report.waiting = error.isEmpty() && waiting.error.isEmpty() ? waiting.count : -1;
    return report;
}
