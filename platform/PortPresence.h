// Looking at a port that may come and go: whether its device is there and whether it opens.
#pragma once

#include <QString>
#include <functional>

// Whether the device a port's device name stands for is there now: the device file (a link
// followed to its target). A bare name is looked for in /dev.
bool portPresent(const QString& deviceName);

// Whether the device can be opened for reading and writing as a terminal now. The try opens it
// without making it the controlling terminal and closes it again at once.
bool portOpens(const QString& deviceName);

// How the wait for a lost port looks at the system; by default at the system's devices.
struct PortProbe {
    // Whether the device is there (a link counts when its target is).
    std::function<bool(const QString& device)> present = portPresent;
    // Whether the device can be opened now; a try leaves it closed.
    std::function<bool(const QString& device)> opens = portOpens;
};
