// The ports the window program knows: the station's, the simulated modem with its tool window.
#pragma once

#include "platform/PortBackends.h"

// The window program's backends, given to its window's session; the tests and benchmarks that
// open ports as a user does take the same.
PortBackends programPortBackends();
