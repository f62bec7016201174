// The simulated modem's command language: which texts are commands, what they do, the replies.
#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QHash>
#include <QSet>

// The settings a unit works with; the current set and the EEPROM copy are both of this kind.
// Letters kept for the opaque codes are the second character of the command that set them.
struct ModemSettings {
    int channel = 1;               // 1..40, set by "C" + the character of code 48 + channel
    bool mobile = false;           // station type: "Sm" mobile, "Sb" base
    bool transmitterOn = true;     // "Tn" / "Tf"
    char power = 'H';              // "P" + O, L, N, 0 or H
    char mode = 'n';               // "M" + n, b, r or c
    char a = 'n';                  // "An" / "Af"
    char f = 'x';                  // "Fe" / "Fx"
    quint8 w = 0;                  // "W" + any byte
    QByteArrayList options;        // "Ya", "Yl", "Ra", "Rl", "Rn", "Rf" taken so far, sorted
    bool extendedChannels = false; // "Eq5vn"
    // A unit saved with this answers no command after power-up until it is recovered.
    bool ignoreCommands = false;
    bool operator==(const ModemSettings&) const = default;
};

// What the commands work on: the current settings, the EEPROM copy and the firmware.
struct ModemUnit {
    ModemSettings current;
    ModemSettings eeprom;
    QByteArray firmware = "1.30";
};

inline const QByteArray kModemOK = QByteArrayLiteral("OK\r\n");
inline const QByteArray kModemER = QByteArrayLiteral("ER\r\n");

// The leading decimal number of a firmware version text ("1.30" gives 1.30; no number gives 0).
double firmwareNumber(const QByteArray& version);
// Firmware above 1.22 also knows "Ya", "Yl", "Rn", "Rf", "P0" and "W" + p.
bool knowsNewCommands(const QByteArray& version);

// The character the modem takes a channel as (code 48 + channel).
char channelCharacter(int channel);

enum class CommandMatch {
    Prefix,   // the text so far begins at least one command
    Complete, // the text is a whole command
    Invalid,  // no command begins like this
};

// Classifies the characters received so far. extraCommands are further whole commands the unit
// takes (reply overrides for texts it would not know otherwise).
CommandMatch matchCommand(const QByteArray& text, bool newCommands,
                          const QSet<QByteArray>& extraCommands = {});

// Carries out a whole command on the unit and returns its reply.
QByteArray executeCommand(const QByteArray& command, ModemUnit& unit);

// The "?" listing: one CR LF line per setting, without the final "OK".
QByteArray settingsListing(const ModemUnit& unit);

// The unit's command mode: collects received characters until they form a command, which it
// carries out and answers at once, or until they cannot begin any command, which it answers with
// "ER" + CR LF. Either way it then starts over.
class CommandInterpreter
{
public:
    // Takes one character and returns the reply it brings (empty while the characters so far
    // still begin a command).
    QByteArray take(char c, ModemUnit& unit);
    // Forgets the characters collected so far.
    void reset() { m_text.clear(); }
    QByteArray pending() const { return m_text; }
    // The last command taken, or the characters that began none.
    QByteArray lastCommand() const { return m_last; }

    // Makes a text a command answered with this reply (empty: no answer) and not carried out.
    void setReplyOverride(const QByteArray& command, const QByteArray& reply);
    void clearReplyOverrides();

private:
    QByteArray m_text;
    QByteArray m_last;
    QHash<QByteArray, QByteArray> m_overrides;
    QSet<QByteArray> m_overrideCommands;
};
