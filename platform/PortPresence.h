// Looking at a port that may come and go: whether its device is there and whether it opens.
#pragma once

#include <QString>

// Whether the device a port's device name stands for is there now: the simulated modem plugged
// in for "SIM", otherwise the device file (a link followed to its target). A bare name is
// looked for in /dev.
bool portPresent(const QString& deviceName);

// Whether the device can be opened for reading and writing as a terminal now. The try opens it
// without making it the controlling terminal and closes it again at once.
bool portOpens(const QString& deviceName);
