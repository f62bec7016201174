// Making the device that stands behind a port name.
#pragma once

#include "platform/SerialDevice.h"

#include <QString>
#include <functional>
#include <memory>

// Makes the device for a port name ("SIM", "/dev/ttyUSB0", "COM1", ...); null when there is none.
using DeviceFactory = std::function<std::unique_ptr<SerialDevice>(const QString& portName)>;

// Real serial ports: every name is opened as a port of the system.
DeviceFactory serialPortFactory();
