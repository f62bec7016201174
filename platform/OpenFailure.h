// Plain-language reasons for a serial port that would not open.
#pragma once

#include <QString>

enum class OpenFailureKind {
    NotFound,         // no such device
    PermissionDenied, // the user may not open it
    InUse,            // another program holds it
    NotSerial,        // opened, but it is no serial port or refused the line format
    Other,            // anything else: the system's own words
};

// Who may read and write a device file, as its owner, group and mode say, and where the current
// user stands.
struct DeviceAccess {
    bool known = false; // false when the file could not be looked at
    QString owner;      // user name of the owner (its number when it has no name)
    QString group;      // name of the owning group (its number when it has no name)
    bool groupIsRoot = false;
    bool ownerReadWrite = false;
    bool groupReadWrite = false;
    bool othersReadWrite = false;
    bool userIsOwner = false;
    bool userInGroup = false; // the owning group is one of this process's groups
};

// The reason shown after "Open <port> failed: ". location is the device path, detail the
// system's own words, access who may use the device (for a refused permission), settings the
// line format asked for (e.g. 9600,N,8,1).
QString openFailureText(OpenFailureKind kind, const QString& location, const QString& detail,
                        const DeviceAccess& access, const QString& settings);

// The device path a port name stands for: a path stays as it is, a bare name ("ttyUSB0") is
// looked for in /dev, as the serial library does.
QString deviceLocation(const QString& portName);

// Owner, group and mode of the file and the current user's place among them.
DeviceAccess deviceAccess(const QString& path);

// Whether the current user lacks read or write permission on the file (false when it is absent).
bool accessDenied(const QString& path);
