// Test helpers around the simulated modem.
#include "support/SimModem.h"
#include "support/MessageBoxRecorder.h"
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

void answerUntilLastResort(MessageBoxRecorder& recorder)
{
    recorder.answer(MsgAnswer::Ok);
    recorder.answer(MsgAnswer::Ok);
    recorder.answer(MsgAnswer::Ok, [] {
        SimulatedModem& modem = theSimulatedModem();
        modem.setSilent(false);
        modem.setIgnoreCommands(true);
        modem.powerCycle();
    });
}

} // namespace SimModem
