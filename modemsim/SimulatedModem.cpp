// The simulated modem's unit, line and partner, run on a steady clock from the event loop.
#include "modemsim/SimulatedModem.h"

#include "modemsim/SimulatedModemDevice.h"

#include <QCoreApplication>
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

SimulatedModem* g_modem = nullptr;

void destroyModem()
{
    delete g_modem;
    g_modem = nullptr;
}

} // namespace

SimulatedModem::SimulatedModem(QObject* parent) : QObject(parent)
{
    m_clock.start();
    m_toolWindowEnabled = qEnvironmentVariable("ROVIZEZ_SIM_TOOL_WINDOW") != QLatin1String("0");
    m_wake.setSingleShot(true);
    m_wake.setTimerType(Qt::PreciseTimer);
    connect(&m_wake, &QTimer::timeout, this, &SimulatedModem::wake);
    m_changeNotice.setSingleShot(true);
    m_changeNotice.setInterval(0);
    connect(&m_changeNotice, &QTimer::timeout, this, &SimulatedModem::stateChanged);
    resetToDefaults();
}

SimulatedModem::~SimulatedModem() = default;

void SimulatedModem::resetToDefaults()
{
    m_actions.clear();
    m_fromHost.clear();
    m_toHost.clear();
    m_hostBuffer.clear();
    m_announce = false;
    m_pendingLineEvents.clear();
    m_lostPending = false;
    m_simNow = now();

    m_unit = ModemUnit();
    m_line = LineSettings();
    m_partnerPresent = true;
    m_latencyMs = kDefaultLatencyMs;
    m_allFaults = LinkFaults();
    m_faults.clear();
    setSeed(1);
    m_silent = false;
    m_commands = CommandInterpreter();
    m_garbage.clear();
    m_pluggedIn = true;
    m_packetsSent = 0;
    m_packetsEchoed = 0;
    m_powered = true;
    powerUp();
    scheduleWake();
}

// --- The unit ---

void SimulatedModem::setSettings(const ModemSettings& settings)
{
    advanceTo(now());
    m_unit.current = settings;
    m_unit.current.channel = std::clamp(settings.channel, kLowestChannel, kHighestChannel);
    changed();
}

void SimulatedModem::setSavedSettings(const ModemSettings& settings)
{
    advanceTo(now());
    m_unit.eeprom = settings;
    m_unit.eeprom.channel = std::clamp(settings.channel, kLowestChannel, kHighestChannel);
    changed();
}

void SimulatedModem::setFirmwareVersion(const QByteArray& version)
{
    advanceTo(now());
    m_unit.firmware = version;
    changed();
}

void SimulatedModem::setStation(bool mobile)
{
    advanceTo(now());
    m_unit.current.mobile = mobile;
    m_unit.eeprom.mobile = mobile;
    changed();
}

void SimulatedModem::setLineSettings(const LineSettings& settings)
{
    advanceTo(now());
    m_line = settings;
    changed();
}

void SimulatedModem::setBaudRate(qint32 baud)
{
    LineSettings settings = m_line;
    settings.baud = baud;
    setLineSettings(settings);
}

void SimulatedModem::setIgnoreCommands(bool on)
{
    advanceTo(now());
    m_unit.current.ignoreCommands = on;
    m_unit.eeprom.ignoreCommands = on;
    m_locked = on;
    m_recoveryArmed = false;
    m_recoveryPulses = 0;
    m_commands.reset();
    changed();
}

void SimulatedModem::powerCycle()
{
    setPowered(false);
    setPowered(true);
}

void SimulatedModem::setPowered(bool on)
{
    advanceTo(now());
    if (on == m_powered)
        return;
    m_powered = on;
    if (on) {
        powerUp();
        return;
    }
    ++m_generation;
    m_commands.reset();
    m_packet.clear();
    m_packetDeadline = TimedByteQueue::kNever;
    m_toHost.discardUnstarted(m_simNow);
    changed();
    scheduleWake();
}

void SimulatedModem::powerUp()
{
    ++m_generation;
    m_unit.current = m_unit.eeprom;
    m_commands.reset();
    m_packet.clear();
    m_packetDeadline = TimedByteQueue::kNever;
    m_toHost.discardUnstarted(m_simNow);
    m_commandMode = m_rts;
    m_locked = m_unit.current.ignoreCommands;
    m_recoveryArmed = m_rts;
    m_recoveryPulses = 0;
    changed();
}

// --- The partner and the radio link ---

void SimulatedModem::setPartnerPresent(bool present)
{
    advanceTo(now());
    m_partnerPresent = present;
    changed();
}

void SimulatedModem::setPartnerLatencyMs(int ms)
{
    advanceTo(now());
    m_latencyMs = std::max(0, ms);
    changed();
}

void SimulatedModem::setLinkFaults(int channel, const LinkFaults& faults)
{
    advanceTo(now());
    m_faults.insert(channel, faults);
    changed();
}

void SimulatedModem::setLinkFaults(const LinkFaults& faults)
{
    advanceTo(now());
    m_allFaults = faults;
    m_faults.clear();
    changed();
}

LinkFaults SimulatedModem::linkFaults(int channel) const
{
    return m_faults.value(channel, m_allFaults);
}

void SimulatedModem::setLossRate(double probability)
{
    advanceTo(now());
    m_allFaults.loss = probability;
    for (LinkFaults& faults : m_faults)
        faults.loss = probability;
    changed();
}

void SimulatedModem::setSeed(quint32 seed)
{
    m_partner.seed(seed);
    // Each direction of the line garbles from a stream of its own.
    m_unitReceiver.seed(seed ^ 0x5bd1e995u);
    m_hostReceiver.seed(seed ^ 0x1b873593u);
}

// --- Faults ---

void SimulatedModem::setSilent(bool silent)
{
    advanceTo(now());
    m_silent = silent;
    m_commands.reset();
    changed();
}

void SimulatedModem::setReplyOverride(const QByteArray& command, const QByteArray& reply)
{
    m_commands.setReplyOverride(command, reply);
}

void SimulatedModem::clearReplyOverrides()
{
    m_commands.clearReplyOverrides();
}

void SimulatedModem::setGarbageAfterReply(const QByteArray& garbage)
{
    m_garbage = garbage;
}

void SimulatedModem::flood(int count)
{
    advanceTo(now());
    QByteArray text;
    text.reserve(std::max(0, count));
    // Printable characters from the blank to the tilde, over and over.
    for (int i = 0; i < count; ++i)
        text += char(0x20 + i % 95);
    sendToHost(text);
    scheduleWake();
}

void SimulatedModem::raiseLineEvent(qint16 code)
{
    if (m_device.isNull())
        return;
    m_pendingLineEvents.append(code);
    scheduleWake();
}

void SimulatedModem::vanish()
{
    m_pluggedIn = false;
    if (!m_device.isNull()) {
        m_lostPending = true;
        scheduleWake();
    }
    changed();
}

void SimulatedModem::plugIn()
{
    m_pluggedIn = true;
    changed();
}

// --- The serial line ---

bool SimulatedModem::attach(SimulatedModemDevice* device, const LineSettings& host, bool rts,
                            QString* error)
{
    auto fail = [&](const QString& reason) {
        if (error)
            *error = reason;
        return false;
    };
    if (!m_pluggedIn)
        return fail(QStringLiteral("the simulated modem is unplugged"));
    if (!m_device.isNull() && m_device != device)
        return fail(QStringLiteral("the simulated modem is in use by another port"));
    advanceTo(now());
    m_device = device;
    m_host = host;
    dropLine();
    hostSetRts(rts);
    emit portAttached(true);
    changed();
    return true;
}

void SimulatedModem::detach(SimulatedModemDevice* device)
{
    if (m_device != device || device == nullptr)
        return;
    // A closed port no longer drives RTS.
    hostSetRts(false);
    dropLine();
    m_device = nullptr;
    emit portAttached(false);
    changed();
    scheduleWake();
}

void SimulatedModem::dropLine()
{
    m_fromHost.clear();
    m_toHost.clear();
    m_hostBuffer.clear();
    m_announce = false;
    m_pendingLineEvents.clear();
    m_lostPending = false;
}

void SimulatedModem::hostWrite(const QByteArray& bytes)
{
    const qint64 t = now();
    advanceTo(t);
    const qint64 byteNs = byteTimeNs(m_host);
    for (const char c : bytes)
        m_fromHost.send(quint8(c), t, byteNs);
    scheduleWake();
}

QByteArray SimulatedModem::hostReadAll()
{
    const qint64 t = now();
    advanceTo(t);
    settleHost(t);
    m_announce = false;
    scheduleWake();
    return std::exchange(m_hostBuffer, {});
}

qint64 SimulatedModem::hostBytesAvailable()
{
    const qint64 t = now();
    advanceTo(t);
    // Bytes found here are announced too, so that none waits unseen for the next arrival.
    if (settleHost(t)) {
        m_announce = true;
        scheduleWake();
    }
    return m_hostBuffer.size();
}

qint64 SimulatedModem::hostBytesToWrite()
{
    const qint64 t = now();
    advanceTo(t);
    return m_fromHost.countPending(t);
}

void SimulatedModem::hostDiscardInput()
{
    const qint64 t = now();
    advanceTo(t);
    settleHost(t);
    m_hostBuffer.clear();
    m_announce = false;
    scheduleWake();
}

void SimulatedModem::hostDiscardOutput()
{
    const qint64 t = now();
    advanceTo(t);
    m_fromHost.discardUnstarted(t);
    scheduleWake();
}

void SimulatedModem::hostSetRts(bool on)
{
    advanceTo(now());
    if (on == m_rts)
        return;
    m_rts = on;
    if (on && m_powered && m_locked && m_recoveryArmed && ++m_recoveryPulses >= kRecoveryPulses) {
        m_locked = false;
        changed();
    }
    const int generation = m_generation;
    at(m_simNow + kModeSwitchNs, [this, on, generation] {
        if (generation == m_generation && m_rts == on)
            setMode(on);
    });
    scheduleWake();
}

// --- Running the unit ---

void SimulatedModem::at(qint64 t, std::function<void()> action)
{
    m_actions.emplace(t, std::move(action));
}

void SimulatedModem::advanceTo(qint64 t)
{
    if (m_advancing)
        return;
    m_advancing = true;
    for (;;) {
        const qint64 byteAt = m_fromHost.nextDueNs();
        const qint64 packetAt = m_packetDeadline;
        const qint64 actionAt =
            m_actions.empty() ? TimedByteQueue::kNever : m_actions.begin()->first;
        const qint64 next = std::min({byteAt, packetAt, actionAt});
        if (next > t)
            break;
        m_simNow = std::max(m_simNow, next);
        if (byteAt == next) {
            receive(m_fromHost.takeFirst().byte);
        } else if (packetAt == next) {
            endPacket();
        } else {
            auto node = m_actions.extract(m_actions.begin());
            node.mapped()();
        }
    }
    m_simNow = std::max(m_simNow, t);
    m_advancing = false;
}

bool SimulatedModem::settleHost(qint64 t)
{
    bool moved = false;
    while (m_toHost.nextDueNs() <= t) {
        const TimedByte b = m_toHost.takeFirst();
        m_hostBuffer += char(b.byte);
        if (b.frameError)
            m_pendingLineEvents.append(comEventFrame);
        moved = true;
    }
    return moved;
}

void SimulatedModem::scheduleWake()
{
    qint64 next = std::min({m_fromHost.nextDueNs(), m_packetDeadline, m_toHost.nextDueNs(),
                            m_actions.empty() ? TimedByteQueue::kNever : m_actions.begin()->first});
    if (m_announce || m_lostPending || !m_pendingLineEvents.isEmpty())
        next = 0;
    if (next == TimedByteQueue::kNever) {
        m_wake.stop();
        m_wakeFor = next;
        return;
    }
    if (m_wake.isActive() && next == m_wakeFor)
        return;
    m_wakeFor = next;
    const qint64 delay = next - now();
    // Whole milliseconds, rounded up: the timer never fires before the moment is due.
    m_wake.start(delay <= 0 ? 0 : int((delay + kMs - 1) / kMs));
}

void SimulatedModem::wake()
{
    const qint64 t = now();
    advanceTo(t);
    const bool moved = settleHost(t);
    const QPointer<SimulatedModemDevice> device = m_device;
    if (m_lostPending && device) {
        dropLine();
        m_rts = false;
        m_device = nullptr;
        scheduleWake();
        device->lose(QStringLiteral("The simulated modem's adapter was unplugged."));
        emit portAttached(false);
        changed();
        return;
    }
    const bool announce = (moved || m_announce) && !m_hostBuffer.isEmpty();
    m_announce = false;
    const QList<qint16> events = std::exchange(m_pendingLineEvents, {});
    scheduleWake();
    if (!device)
        return;
    if (announce)
        device->announceArrival();
    for (const qint16 code : events) {
        if (m_device != device)
            break;
        device->announceLineEvent(code);
    }
}

void SimulatedModem::changed()
{
    if (!m_changeNotice.isActive())
        m_changeNotice.start();
}

void SimulatedModem::receive(quint8 byte)
{
    if (!m_powered)
        return;
    const quint8 b = m_unitReceiver.receive(byte, m_host, m_line).byte;
    if (m_commandMode) {
        commandCharacter(char(b));
        return;
    }
    m_packet += char(b);
    m_packetDeadline = m_simNow + std::max(kMinGapNs, kPacketGapBytes * byteTimeNs(m_line));
}

void SimulatedModem::commandCharacter(char c)
{
    if (m_silent || m_locked)
        return;
    const QByteArray reply = m_commands.take(c, m_unit);
    if (!reply.isEmpty())
        sendToHost(reply + m_garbage);
    if (m_commands.pending().isEmpty())
        changed();
}

void SimulatedModem::setMode(bool command)
{
    if (command == m_commandMode)
        return;
    // A burst cut short by the switch to command mode still goes out.
    if (command && !m_packet.isEmpty())
        endPacket();
    m_commandMode = command;
    m_commands.reset();
    changed();
}

void SimulatedModem::endPacket()
{
    const QByteArray packet = std::exchange(m_packet, {});
    m_packetDeadline = TimedByteQueue::kNever;
    if (!m_powered || !m_unit.current.transmitterOn || packet.isEmpty())
        return;
    ++m_packetsSent;
    changed();
    if (!m_partnerPresent)
        return;
    const int channel = m_unit.current.channel;
    const std::optional<QByteArray> echo = m_partner.echo(packet, linkFaults(channel));
    if (!echo)
        return;
    const int generation = m_generation;
    at(m_simNow + qint64(m_latencyMs) * kMs, [this, generation, channel, bytes = *echo] {
        // The echo comes back on the channel it was sent on; the unit hears it only in data mode.
        if (generation != m_generation || m_commandMode || m_silent ||
            m_unit.current.channel != channel)
            return;
        ++m_packetsEchoed;
        sendToHost(bytes);
        changed();
    });
}

void SimulatedModem::sendToHost(const QByteArray& bytes)
{
    if (m_device.isNull())
        return;
    const qint64 byteNs = byteTimeNs(m_line);
    for (const char c : bytes) {
        const ReceivedByte r = m_hostReceiver.receive(quint8(c), m_line, m_host);
        m_toHost.send(r.byte, m_simNow, byteNs, r.frameError);
    }
}

SimulatedModem& theSimulatedModem()
{
    if (!g_modem) {
        g_modem = new SimulatedModem;
        // Gone before the application object, with the timers and the tool window it drives.
        qAddPostRoutine(destroyModem);
    }
    return *g_modem;
}
