// The simulated unit: what it does with the bytes it receives, in either mode, and with its power.
#include "modemsim/SimUnit.h"

#include <algorithm>

namespace
{

constexpr qint64 kMs = 1'000'000;
// The unit follows a change of RTS this long after the line changed.
constexpr qint64 kModeSwitchNs = 3 * kMs;
// A pause of this many byte times ends a packet in data mode, but never less than kMinGapNs.
constexpr qint64 kPacketGapBytes = 3;
constexpr qint64 kMinGapNs = 2 * kMs;
// RTS off/on pulses after a power-up with RTS raised that bring back an unit ignoring commands.
constexpr int kRecoveryPulses = 5;
constexpr int kLowestChannel = 1;
constexpr int kHighestChannel = 40;

} // namespace

SimUnit::SimUnit(SimLine& line, LoopbackPartner& partner) : m_line(line), m_partner(partner) {}

void SimUnit::reset()
{
    m_unit = ModemUnit();
    m_silent = false;
    m_commands = CommandInterpreter();
    m_garbage.clear();
    m_packetsSent = 0;
    m_packetsEchoed = 0;
    m_powered = true;
    powerUp();
}

void SimUnit::setSettings(const ModemSettings& settings)
{
    m_line.advance();
    m_unit.current = settings;
    m_unit.current.channel = std::clamp(settings.channel, kLowestChannel, kHighestChannel);
    emit changed();
}

void SimUnit::setSavedSettings(const ModemSettings& settings)
{
    m_line.advance();
    m_unit.eeprom = settings;
    m_unit.eeprom.channel = std::clamp(settings.channel, kLowestChannel, kHighestChannel);
    emit changed();
}

void SimUnit::setFirmwareVersion(const QByteArray& version)
{
    m_line.advance();
    m_unit.firmware = version;
    emit changed();
}

void SimUnit::setStation(bool mobile)
{
    m_line.advance();
    m_unit.current.mobile = mobile;
    m_unit.eeprom.mobile = mobile;
    emit changed();
}

void SimUnit::setIgnoreCommands(bool on)
{
    m_line.advance();
    m_unit.current.ignoreCommands = on;
    m_unit.eeprom.ignoreCommands = on;
    m_locked = on;
    m_recoveryArmed = false;
    m_recoveryPulses = 0;
    m_commands.reset();
    emit changed();
}

void SimUnit::setPowered(bool on)
{
    m_line.advance();
    if (on == m_powered)
        return;
    m_powered = on;
    if (on) {
        powerUp();
        return;
    }
    dropWork();
    emit changed();
    m_line.scheduleWake();
}

void SimUnit::powerUp()
{
    dropWork();
    m_unit.current = m_unit.eeprom;
    m_commandMode = m_line.rts();
    m_locked = m_unit.current.ignoreCommands;
    m_recoveryArmed = m_line.rts();
    m_recoveryPulses = 0;
    emit changed();
}

void SimUnit::dropWork()
{
    ++m_generation;
    m_commands.reset();
    m_packet.clear();
    m_packetDeadline = TimedByteQueue::kNever;
    m_line.towardsPort().discardUnstarted(m_line.simNow());
}

void SimUnit::setSilent(bool silent)
{
    m_line.advance();
    m_silent = silent;
    m_commands.reset();
    emit changed();
}

void SimUnit::flood(int count)
{
    m_line.advance();
    QByteArray text;
    text.reserve(std::max(0, count));
    // Printable characters from the blank to the tilde, over and over.
    for (int i = 0; i < count; ++i)
        text += char(0x20 + i % 95);
    m_line.unitSends(text);
    m_line.scheduleWake();
}

void SimUnit::rtsChanged(bool on)
{
    if (on && m_powered && m_locked && m_recoveryArmed && ++m_recoveryPulses >= kRecoveryPulses) {
        m_locked = false;
        emit changed();
    }
    const int generation = m_generation;
    m_line.at(m_line.simNow() + kModeSwitchNs, [this, on, generation] {
        if (generation == m_generation && m_line.rts() == on)
            setMode(on);
    });
}

void SimUnit::arrive(quint8 sent)
{
    if (!m_powered)
        return;
    const quint8 b = m_line.readAtUnit(sent);
    if (m_commandMode) {
        commandCharacter(char(b));
        return;
    }
    m_packet += char(b);
    m_packetDeadline =
        m_line.simNow() + std::max(kMinGapNs, kPacketGapBytes * byteTimeNs(m_line.unitSettings()));
}

void SimUnit::commandCharacter(char c)
{
    if (m_silent || m_locked)
        return;
    const QByteArray reply = m_commands.take(c, m_unit);
    if (!reply.isEmpty())
        m_line.unitSends(reply + m_garbage);
    if (m_commands.pending().isEmpty())
        emit changed();
}

void SimUnit::setMode(bool command)
{
    if (command == m_commandMode)
        return;
    // A burst cut short by the switch to command mode still goes out.
    if (command && !m_packet.isEmpty())
        endPacket();
    m_commandMode = command;
    m_commands.reset();
    emit changed();
}

void SimUnit::endPacket()
{
    const QByteArray packet = std::exchange(m_packet, {});
    m_packetDeadline = TimedByteQueue::kNever;
    if (!m_powered || !m_unit.current.transmitterOn || packet.isEmpty())
        return;
    ++m_packetsSent;
    emit changed();
    if (!m_partner.isPresent())
        return;
    const int channel = m_unit.current.channel;
    const std::optional<QByteArray> echo = m_partner.echo(packet, m_partner.faults(channel));
    if (!echo)
        return;
    const int generation = m_generation;
    m_line.at(m_line.simNow() + qint64(m_partner.latencyMs()) * kMs,
              [this, generation, channel, bytes = *echo] {
                  if (generation == m_generation)
                      echoArrives(channel, bytes);
              });
}

void SimUnit::echoArrives(int channel, const QByteArray& bytes)
{
    // The echo comes back on the channel it was sent on; the unit hears it only in data mode.
    if (m_commandMode || m_silent || m_unit.current.channel != channel)
        return;
    ++m_packetsEchoed;
    m_line.unitSends(bytes);
    emit changed();
}
