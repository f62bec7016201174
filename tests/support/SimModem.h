// The process's simulated modem for end-to-end tests: a clean unit per case, "SIM" in the window.
#pragma once

#include "modemsim/SimulatedModem.h"

class MainWin;
class MessageBoxRecorder;

namespace SimModem
{

// The simulated modem as a new unit with no faults (see SimulatedModem::resetToDefaults), its
// tool window off. Call it at the start of each case; an open port stays open.
SimulatedModem& reset();

// Opens "SIM" in the window as a user does: the port text "SIM", then "Open Comm Port?" ticked.
// Returns whether the port is open.
bool openInWindow(MainWin& win);

// Answers OK to the boxes of a run that finds the unit silent, until the last resort: at the
// third box the unit's power comes back with saved settings that ignore commands, which only RTS
// pulses after a power-up with RTS raised bring round.
void answerUntilLastResort(MessageBoxRecorder& recorder);

} // namespace SimModem
