// TEMPORARY: placeholder until the device backends land.
#include "platform/MSComm.h"

DeviceFactory defaultDeviceFactory()
{
    return [](const QString&) { return std::unique_ptr<SerialDevice>(); };
}
