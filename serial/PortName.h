// Turning the port text the user picked or typed into a port number and a device to open.
#pragma once

#include <QList>
#include <QString>

// What opening a port text means: the port number (the digits of "COMn", 0 for other names) and
// the device name handed to the serial component.
struct PortChoice {
    bool ok = false;
    qint16 number = 0;
    QString deviceName;
    // Why the text names no port, when ok is false.
    QString error;
};

enum class PortNaming { Linux, Windows };

// The naming of the platform the program was built for.
PortNaming hostPortNaming();

// "COMn" (any case) is the n-th standard serial port: /dev/ttyS<n-1> on Linux, COMn on Windows.
// Any other name or path is opened as it is written. "COM" followed by something that is not a
// port number from 1 to 32767 names no port.
PortChoice choosePort(const QString& text, PortNaming naming = hostPortNaming());

// One port the system reports, as the list shows it.
struct SystemPort {
    QString name;        // what the list shows and opens, e.g. /dev/ttyUSB0
    QString description; // the tool tip
    bool operator==(const SystemPort&) const = default;
};

// The system's ports to list after COM1..COM4: those four themselves are left out, the rest keep
// their order, each name once.
QList<SystemPort> extraSystemPorts(const QList<SystemPort>& found,
                                   PortNaming naming = hostPortNaming());

// The stable names of ports (the links under /dev/serial/by-id on Linux) as the list shows them:
// each link with the description of the port it leads to among found, empty when it leads to
// none. links holds each link's path as name and the device it leads to as description.
QList<SystemPort> stableNames(const QList<SystemPort>& found, const QList<SystemPort>& links);
