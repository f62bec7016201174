// What stands behind the port names of a session: the device a name opens and how a port that may
// come and go is looked at. Whoever creates a session (the program, a test, a benchmark) chooses.
#pragma once

#include "platform/DeviceFactory.h"
#include "platform/PortPresence.h"

struct PortBackends {
    // Makes the device for a name; while it is empty no name opens and every open fails.
    DeviceFactory openDevice;
    // How the wait for a lost port looks at it.
    PortProbe probe;
};
