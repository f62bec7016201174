// The ports a station knows: the simulated modem as "SIM", ports of the system by any other name.
#pragma once

#include "modemsim/SimulatedModemDevice.h"
#include "platform/PortBackends.h"

// The backends the program gives its session; the window passes what shows the simulated modem's
// tool window, the command line nothing.
PortBackends stationPortBackends(const SimToolPresenter& presenter = {});
