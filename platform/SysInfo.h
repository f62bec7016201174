// System information: reading one value of the system registry (where the system has one).
#pragma once

#include <QByteArray>
#include <QString>

// Root key of the machine-wide settings.
constexpr quint32 kHKeyLocalMachine = 0x80000002u;
// Registry value types the lookup turns into text.
constexpr quint32 kRegString = 1;
constexpr quint32 kRegNumber = 4;

// Reads the value SubKeyRef of the key KeyName under KeyRoot as text into KeyVal; true on
// success. On failure KeyVal is "". Without a registry (any system but Windows) it always fails.
bool GetKeyValue(quint32 KeyRoot, const QString& KeyName, const QString& SubKeyRef,
                 QString& KeyVal);

// The text of a value as the registry hands it back: a string (UTF-16, its terminating zero
// dropped) or a 32-bit number (little-endian, given in decimal). Other types leave KeyVal as is.
void registryValueText(quint32 type, const QByteArray& data, QString& KeyVal);
