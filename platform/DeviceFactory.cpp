// The device behind a port name: the simulated modem for "SIM", a real serial port otherwise.
#include "modemsim/SimulatedModemDevice.h"
#include "platform/MSComm.h"
#include "platform/QSerialPortDevice.h"

DeviceFactory defaultDeviceFactory()
{
    return [](const QString& portName) -> std::unique_ptr<SerialDevice> {
        if (portName.compare(QLatin1String("SIM"), Qt::CaseInsensitive) == 0)
            return makeSimulatedModemDevice();
        return std::make_unique<QSerialPortDevice>(portName);
    };
}
