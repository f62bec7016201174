// Waiting for a lost port to come back: its path looked at on every tick, then quiet tries to
// open it before the window opens it for real.
#pragma once

#include "platform/PortBackends.h"
#include "platform/PortPresence.h"

#include <QString>
#include <optional>

// One wait for one port. The window calls check() on a timer every kTickMs; the watch keeps no
// timer of its own, so its time is whatever the caller says.
class PortWatch
{
public:
    // How often the window looks at the path.
    static constexpr int kTickMs = 250;
    // How long a path that is back is tried quietly before the window gives up on it.
    static constexpr int kRetryMs = 3000;

    enum class Verdict {
        Waiting, // nothing to do yet
        Back,    // the device is back and opens: open it as the user would
        GaveUp,  // the device is back but would not open for kRetryMs: open it once more and
                 // let that failure be reported
    };

    // Without a probe the watch looks as the process's port backends say.
    explicit PortWatch(PortProbe probe);

    // Starts waiting for the port the user knows as portText, whose device is device (a path,
    // a name under /dev, or "SIM").
    void start(const QString& portText, const QString& device);
    // Ends the wait; nothing happens on later checks.
    void stop();
    bool active() const { return m_active; }
    const QString& portText() const { return m_portText; }
    const QString& device() const { return m_device; }

    // One look at time nowMs (a steady clock in milliseconds). Back and GaveUp end the wait.
    Verdict check(qint64 nowMs);

private:
    PortProbe m_probe;
    QString m_portText;
    QString m_device;
    bool m_active = false;
    // When the path was first seen again since it was last missing.
    std::optional<qint64> m_backSince;
};
