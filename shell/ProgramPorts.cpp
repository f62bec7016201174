// The window's ports: the station's, with the simulated modem's tool window beside the window.
#include "shell/ProgramPorts.h"
#include "modemsim/SimToolWindow.h"
#include "session/StationPorts.h"

PortBackends programPortBackends()
{
    return stationPortBackends(
        {[](SimulatedModem& modem) { showSimToolWindow(modem); }, [] { hideSimToolWindow(); }});
}
