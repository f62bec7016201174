// TEMPORARY: placeholder until the simulated modem lands.
#include "modemsim/SimulatedModemDevice.h"

std::unique_ptr<SerialDevice> makeSimulatedModemDevice()
{
    return nullptr;
}
