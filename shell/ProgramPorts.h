// The ports the program knows: the simulated modem as "SIM", ports of the system by any other name.
#pragma once

#include "platform/PortBackends.h"

// The program's backends; the program chooses them before it builds its window, and so do the
// tests and benchmarks that open ports as a user does.
PortBackends programPortBackends();
