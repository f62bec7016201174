// Parsing of the serial control's settings text, "baud,parity,data,stop" (e.g. "9600,N,8,1").
#pragma once

#include "platform/SerialDevice.h"

#include <QString>

// Parses a settings text. Accepts any positive baud rate, parity N/E/O/M/S (either case),
// 5 to 8 data bits and 1 or 2 stop bits. On failure returns false and, if given, a reason.
bool parseCommSettings(const QString& text, LineSettings* out, QString* reason = nullptr);

// Bits one byte occupies on the line: start bit, data bits, parity bit if any, stop bits.
int bitsPerByte(const LineSettings& settings);
