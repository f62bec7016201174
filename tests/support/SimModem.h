// The process's simulated modem for end-to-end tests: a clean unit per case, "SIM" in the window.
#pragma once

#include "modemsim/SimulatedModem.h"

class MainWin;

namespace SimModem
{

// The simulated modem as a new unit with no faults (see SimulatedModem::resetToDefaults), its
// tool window off. Call it at the start of each case; an open port stays open.
SimulatedModem& reset();

// Opens "SIM" in the window as a user does: the port text "SIM", then "Open Comm Port?" ticked.
// Returns whether the port is open.
bool openInWindow(MainWin& win);

} // namespace SimModem
