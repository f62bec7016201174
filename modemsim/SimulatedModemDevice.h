// The simulated radio modem as a device behind the port name "SIM".
#pragma once

#include "platform/SerialDevice.h"

#include <memory>

// A new device connected to the process's one simulated modem.
std::unique_ptr<SerialDevice> makeSimulatedModemDevice();
