// The modem's firmware version as read from its reply to "V", and the command set it selects.
#pragma once

#include "terminal/LeadingNumber.h"

#include <QByteArray>

struct FirmwareVersion {
    // "unknown" and 0 until a reply is understood.
    QByteArray text = QByteArrayLiteral("unknown");
    double number = 0.0;

    // Firmware above 1.22 takes the newer commands ("Ya", "Yl", "Rn", "Rf", "P0", "W" + p);
    // 1.22 itself still takes the old ones.
    bool hasNewCommands() const { return number > 1.22; }
};

// Reads the version from the modem's whole reply to "V": a 4-character header, the version text
// (trailing spaces dropped) up to the first CR, and the positive reply "OK" + CR LF at the end.
// Its number is the version text's leadingNumber ("1.25" gives 1.25, "1.3b" gives 1.3). A reply
// that does not end with that positive reply, or has no CR after its header, gives "unknown" and 0.
FirmwareVersion parseFirmwareVersion(const QByteArray& reply);
