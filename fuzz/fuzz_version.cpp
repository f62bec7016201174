// Fuzzes the firmware-version parser with whole replies to "V": a version is read only from a
// reply that ends in the positive reply, it is one line without trailing blanks, and its number
// is a plain finite value.
#include "FuzzCheck.h"
#include "script/FirmwareVersion.h"

#include <cmath>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray reply(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const FirmwareVersion version = parseFirmwareVersion(reply);

    FUZZ_CHECK(std::isfinite(version.number));
    FUZZ_CHECK(version.hasNewCommands() == (version.number > 1.22));
    if (!reply.endsWith("OK\r\n")) {
        FUZZ_CHECK(version.text == "unknown" && version.number == 0.0);
        return 0;
    }
    FUZZ_CHECK(!version.text.contains('\r'));
    FUZZ_CHECK(!version.text.endsWith(' '));
    // The text is what follows the 4-character header, cut at the first CR.
    if (version.text != "unknown")
        FUZZ_CHECK(reply.mid(4).startsWith(version.text));

    const double number = leadingNumber(reply);
    FUZZ_CHECK(std::isfinite(number));
    return 0;
}
