// What stands behind the port names of this process: the device a name opens and how a port that
// may come and go is looked at. The program chooses them once, before it builds its window.
#pragma once

#include "platform/DeviceFactory.h"
#include "platform/PortPresence.h"

struct PortBackends {
    // Makes the device for a name; while it is empty no name opens and every open fails.
    DeviceFactory openDevice;
    // How the wait for a lost port looks at it.
    PortProbe probe;
};

// The backends chosen last; until a choice, no port name makes a device and ports are looked at
// as devices of the system.
const PortBackends& portBackends();

// Serial components and port watches made afterwards take these.
void setPortBackends(PortBackends backends);
