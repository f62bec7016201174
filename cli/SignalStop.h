// SIGINT and SIGTERM reach the event loop through a pipe the handler writes to, so that a stop
// takes effect inside the session's waits; a second signal ends the process at once (status 130).
#pragma once

#include <QObject>
#include <functional>

class QSocketNotifier;

class SignalStop : public QObject
{
    Q_OBJECT
public:
    explicit SignalStop(std::function<void()> onStop, QObject* parent = nullptr);
    ~SignalStop() override;

    bool stopped() const { return m_stopped; }

private:
    std::function<void()> m_onStop;
    QSocketNotifier* m_notifier = nullptr;
    bool m_stopped = false;
};
