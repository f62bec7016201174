// Test helpers around the simulated modem.
#include "support/SimModem.h"

#include "platform/MSComm.h"
#include "shell/MainWin.h"

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
    win.CommPort->setCurrentText(QStringLiteral("SIM"));
    win.CommOpenCbox->setChecked(true);
    return win.MSComm1->PortOpen();
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
