// Test helpers around the simulated modem.
#include "support/SimModem.h"

#include "support/WindowDoor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTimer>

namespace SimModem
{

SimulatedModem& reset()
{
    SimulatedModem& modem = theSimulatedModem();
    modem.setToolWindowEnabled(false);
    modem.resetToDefaults();
    return modem;
}

bool openInWindow(MainWin& win)
{
    WindowDoor door(win);
    door.CommPort()->setCurrentText(QStringLiteral("SIM"));
    door.CommOpenCbox()->setChecked(true);
    return door.MSComm1()->PortOpen();
}

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

} // namespace SimModem
