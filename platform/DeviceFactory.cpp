// The real-port factory: any port name is a port of the system.
#include "platform/DeviceFactory.h"
#include "platform/QSerialPortDevice.h"

DeviceFactory serialPortFactory()
{
    return [](const QString& portName) -> std::unique_ptr<SerialDevice> {
        return std::make_unique<QSerialPortDevice>(portName);
    };
}
