// Fuzzes the simulated modem's command interpreter with what a host may send in command mode:
// it never holds more than the longest command, answers every character that ends one, and
// keeps its settings within what the unit can hold.
#include "FuzzCheck.h"
#include "modemsim/ModemCommands.h"

#include <algorithm>
#include <cstdint>

namespace
{

void checkSettings(const ModemSettings& s)
{
    FUZZ_CHECK(s.channel >= 1 && s.channel <= 40);
    FUZZ_CHECK(std::is_sorted(s.options.begin(), s.options.end()));
    FUZZ_CHECK(std::adjacent_find(s.options.begin(), s.options.end()) == s.options.end());
}

} // namespace

// The first byte chooses the unit: bit 0 firmware 1.22 (old commands) or 1.30; with bit 1 set,
// the next (byte >> 2) % 6 bytes become a command answered "X" + CR LF instead. The rest goes
// to the interpreter one character at a time.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const quint8 setup = static_cast<quint8>(input.at(0));
    input.remove(0, 1);

    ModemUnit unit;
    unit.firmware = (setup & 1) ? QByteArrayLiteral("1.22") : QByteArrayLiteral("1.30");
    CommandInterpreter interpreter;
    qsizetype longest = 5; // "Eq5vn"
    QByteArray overridden;
    if (setup & 2) {
        overridden = input.left((setup >> 2) % 6);
        input.remove(0, overridden.size());
        interpreter.setReplyOverride(overridden, QByteArrayLiteral("X\r\n"));
        longest = std::max(longest, overridden.size());
    }
    const bool newCommands = knowsNewCommands(unit.firmware);
    const QSet<QByteArray> extra =
        overridden.isEmpty() ? QSet<QByteArray>{} : QSet<QByteArray>{overridden};

    for (const char c : input) {
        const QByteArray reply = interpreter.take(c, unit);
        const QByteArray pending = interpreter.pending();
        FUZZ_CHECK(pending.size() < longest);
        if (!pending.isEmpty()) {
            // Still collecting: nothing answered yet, and the text begins a command.
            FUZZ_CHECK(reply.isEmpty());
            FUZZ_CHECK(matchCommand(pending, newCommands, extra) == CommandMatch::Prefix);
        } else if (interpreter.lastCommand() == overridden) {
            FUZZ_CHECK(reply == "X\r\n");
        } else {
            FUZZ_CHECK(!reply.isEmpty());
        }
        checkSettings(unit.current);
    }
    checkSettings(unit.eeprom);
    FUZZ_CHECK(settingsListing(unit).endsWith("\r\n"));
    return 0;
}
