// The process's simulated modem for end-to-end tests: a clean unit per case, "SIM" in the window.
#pragma once

#include "modemsim/SimulatedModem.h"

#include <functional>

class MainWin;

namespace SimModem
{

// The simulated modem as a new unit with no faults (see SimulatedModem::resetToDefaults), its
// tool window off. Call it at the start of each case; an open port stays open.
SimulatedModem& reset();

// Opens "SIM" in the window as a user does: the port text "SIM", then "Open Comm Port?" ticked.
// Returns whether the port is open.
bool openInWindow(MainWin& win);

// Runs the event loop, blocking between events as the window's own waits do, until the
// condition holds or ms have passed; returns the condition. QTest::qWait sleeps 10 ms between
// passes, which is coarse beside the line times of the simulated modem.
bool runUntil(const std::function<bool()>& condition, int ms);
void runFor(int ms);

} // namespace SimModem
