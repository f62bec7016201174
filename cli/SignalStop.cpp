// The self-pipe between the signal handler and the event loop.
#include "cli/SignalStop.h"

#include <QSocketNotifier>
#include <atomic>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace
{
int stopPipe[2] = {-1, -1};
std::atomic<int> signalsSeen{0};

// Only async-signal-safe calls: a write to the pipe, or the immediate end.
void onSignal(int)
{
    if (signalsSeen.fetch_add(1) > 0)
        _exit(130);
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(stopPipe[1], &byte, 1);
}
} // namespace

SignalStop::SignalStop(std::function<void()> onStop, QObject* parent)
    : QObject(parent), m_onStop(std::move(onStop))
{
    if (::pipe(stopPipe) != 0)
        return;
    for (const int fd : stopPipe)
        ::fcntl(fd, F_SETFD, FD_CLOEXEC);
    ::fcntl(stopPipe[1], F_SETFL, O_NONBLOCK);
    m_notifier = new QSocketNotifier(stopPipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] {
        char byte = 0;
        [[maybe_unused]] const ssize_t got = ::read(stopPipe[0], &byte, 1);
        m_stopped = true;
        m_onStop();
    });
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);
}

SignalStop::~SignalStop()
{
    ::signal(SIGINT, SIG_DFL);
    ::signal(SIGTERM, SIG_DFL);
}
