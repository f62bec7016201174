// The simulated modem's command catalogue, its interpreter and the settings listing.
#include "modemsim/ModemCommands.h"

#include <algorithm>
#include <utility>

namespace
{

// Whole commands of fixed text that every firmware knows.
const char* const kBaseCommands[] = {"V",  "?",  "S?", "Sm", "Sb",    "**", "Fe", "Fx", "Ra",
                                     "Rl", "Mn", "Mb", "Mr", "Mc",    "PO", "PL", "PN", "PH",
                                     "Tn", "Tf", "An", "Af", "Eq5vn", "Dr", "Ds", "Df"};
// Known only to firmware above 1.22 ("W" + p is handled with the other "W" commands).
const char* const kNewCommands[] = {"Ya", "Yl", "Rn", "Rf", "P0"};

constexpr int kLowestChannel = 1;
constexpr int kHighestChannel = 40;

bool isChannelCharacter(char c)
{
    const int channel = static_cast<unsigned char>(c) - 48;
    return channel >= kLowestChannel && channel <= kHighestChannel;
}

// Folds one fixed command into the verdict for text: complete beats prefix beats invalid.
void weigh(const QByteArray& text, const QByteArray& command, CommandMatch& verdict)
{
    if (text == command)
        verdict = CommandMatch::Complete;
    else if (verdict == CommandMatch::Invalid && command.startsWith(text))
        verdict = CommandMatch::Prefix;
}

QByteArray line(const char* label, const QByteArray& value)
{
    QByteArray text(label);
    text += ' ';
    // Dot leaders up to a fixed column keep the listing readable in a terminal.
    constexpr int kValueColumn = 26;
    while (text.size() < kValueColumn - 1)
        text += '.';
    return text + ' ' + value + "\r\n";
}

QByteArray code(char group, char letter)
{
    return QByteArray(1, group) + letter;
}

} // namespace

double firmwareNumber(const QByteArray& version)
{
    // The leading run of digits with at most one decimal point.
    int end = 0;
    bool point = false;
    while (end < version.size()) {
        const char c = version.at(end);
        if (c == '.' && !point)
            point = true;
        else if (c < '0' || c > '9')
            break;
        ++end;
    }
    bool ok = false;
    const double number = version.left(end).toDouble(&ok);
    return ok ? number : 0.0;
}

bool knowsNewCommands(const QByteArray& version)
{
    return firmwareNumber(version) > 1.22;
}

char channelCharacter(int channel)
{
    return static_cast<char>(48 + channel);
}

CommandMatch matchCommand(const QByteArray& text, bool newCommands,
                          const QSet<QByteArray>& extraCommands)
{
    if (text.isEmpty())
        return CommandMatch::Prefix;
    CommandMatch verdict = CommandMatch::Invalid;
    for (const char* command : kBaseCommands)
        weigh(text, command, verdict);
    if (newCommands)
        for (const char* command : kNewCommands)
            weigh(text, command, verdict);
    for (const QByteArray& command : extraCommands)
        weigh(text, command, verdict);
    if (verdict == CommandMatch::Complete)
        return verdict;

    // "C" + a channel character and "W" + any byte.
    const char first = text.at(0);
    if (first == 'C' || first == 'W') {
        if (text.size() == 1)
            return CommandMatch::Prefix;
        if (text.size() == 2) {
            const char second = text.at(1);
            if (first == 'C' && isChannelCharacter(second))
                return CommandMatch::Complete;
            if (first == 'W' && (newCommands || second != 'p'))
                return CommandMatch::Complete;
        }
    }
    return verdict;
}

QByteArray executeCommand(const QByteArray& command, ModemUnit& unit)
{
    ModemSettings& s = unit.current;
    if (command == "V")
        return "FW: " + unit.firmware + "  \r\n" + kModemOK;
    if (command == "?")
        return settingsListing(unit) + kModemOK;
    if (command == "S?")
        return s.mobile ? QByteArrayLiteral("Mobile") : QByteArrayLiteral("Base");
    if (command == "Dr")
        s = ModemSettings();
    else if (command == "Ds")
        unit.eeprom = s;
    else if (command == "Eq5vn")
        s.extendedChannels = true;
    else if (command.size() == 2) {
        const char letter = command.at(1);
        switch (command.at(0)) {
        case 'C':
            s.channel = static_cast<unsigned char>(letter) - 48;
            break;
        case 'S':
            s.mobile = letter == 'm';
            break;
        case 'T':
            s.transmitterOn = letter == 'n';
            break;
        case 'P':
            s.power = letter;
            break;
        case 'M':
            s.mode = letter;
            break;
        case 'A':
            s.a = letter;
            break;
        case 'F':
            s.f = letter;
            break;
        case 'W':
            s.w = static_cast<quint8>(letter);
            break;
        case 'R':
        case 'Y':
            if (!s.options.contains(command)) {
                s.options.append(command);
                std::sort(s.options.begin(), s.options.end());
            }
            break;
        default: // "**", "Df": accepted, nothing the unit keeps
            break;
        }
    }
    return kModemOK;
}

QByteArray settingsListing(const ModemUnit& unit)
{
    const ModemSettings& s = unit.current;
    const int channel = s.channel;
    QByteArray text = "Tarvex Brannoc radio modem\r\n";
    text += line("Firmware version", unit.firmware);
    text += line("Station", s.mobile ? "Mobile" : "Base");
    text += line("Channel", QByteArray::number(channel) + " (" +
                                QByteArray(1, channelCharacter(channel)) + ")");
    text += line("Extended channels", s.extendedChannels ? "on" : "off");
    text += line("Transmitter", s.transmitterOn ? "on" : "off");
    text += line("Transmitter power", code('P', s.power));
    text += line("Mode", code('M', s.mode));
    text += line("A code", code('A', s.a));
    text += line("F code", code('F', s.f));
    text +=
        line("W code", "W " + QByteArray::number(s.w, 16).rightJustified(2, '0').toUpper() + "h");
    text += line("Option codes", s.options.isEmpty() ? "none" : s.options.join(' '));
    text += line("Ignore commands", s.ignoreCommands ? "yes" : "no");
    text += line("Settings", s == unit.eeprom ? "saved" : "not saved");
    return text;
}

QByteArray CommandInterpreter::take(char c, ModemUnit& unit)
{
    m_text += c;
    switch (matchCommand(m_text, knowsNewCommands(unit.firmware), m_overrideCommands)) {
    case CommandMatch::Prefix:
        return {};
    case CommandMatch::Complete:
        m_last = std::exchange(m_text, {});
        if (m_overrides.contains(m_last))
            return m_overrides.value(m_last);
        return executeCommand(m_last, unit);
    case CommandMatch::Invalid:
        break;
    }
    m_last = std::exchange(m_text, {});
    return kModemER;
}

void CommandInterpreter::setReplyOverride(const QByteArray& command, const QByteArray& reply)
{
    if (command.isEmpty())
        return;
    m_overrides.insert(command, reply);
    m_overrideCommands.insert(command);
}

void CommandInterpreter::clearReplyOverrides()
{
    m_overrides.clear();
    m_overrideCommands.clear();
}
