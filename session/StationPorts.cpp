// The station's ports: "SIM" (in any case) is the process's simulated modem, any other name a port
// of the system.
#include "session/StationPorts.h"

#include "modemsim/SimulatedModem.h"
#include "modemsim/SimulatedModemDevice.h"

namespace
{
bool isSimulated(const QString& name)
{
    return name.compare(QLatin1String("SIM"), Qt::CaseInsensitive) == 0;
}
} // namespace

PortBackends stationPortBackends(const SimToolPresenter& presenter)
{
    PortBackends backends;
    backends.openDevice = [systemPort = serialPortFactory(), presenter](const QString& portName) {
        return isSimulated(portName) ? makeSimulatedModemDevice(presenter) : systemPort(portName);
    };
    // The simulated modem is there while plugged in, and opens while no port is open on it.
    backends.probe.present = [](const QString& device) {
        return isSimulated(device) ? theSimulatedModem().isPluggedIn() : portPresent(device);
    };
    backends.probe.opens = [](const QString& device) {
        if (isSimulated(device))
            return theSimulatedModem().isPluggedIn() && !theSimulatedModem().hasPort();
        return portOpens(device);
    };
    return backends;
}
