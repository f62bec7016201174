// Test helpers around the simulated modem.
#include "support/SimModem.h"
#include "support/WindowPort.h"

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
    return openPortInWindow(win, QStringLiteral("SIM"));
}

} // namespace SimModem
