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

// The reason shown after "Open <port> failed: ". location is the device path, detail the
// system's own words, group the group owning the device (may be empty when unknown), settings
// the line format asked for (e.g. 9600,N,8,1).
QString openFailureText(OpenFailureKind kind, const QString& location, const QString& detail,
                        const QString& group, const QString& settings);

// The device path a port name stands for: a path stays as it is, a bare name ("ttyUSB0") is
// looked for in /dev, as the serial library does.
QString deviceLocation(const QString& portName);

// The name of the group that owns the file (e.g. "dialout"); empty when it cannot be told.
QString owningGroup(const QString& path);

// Whether the current user lacks read or write permission on the file (false when it is absent).
bool accessDenied(const QString& path);
