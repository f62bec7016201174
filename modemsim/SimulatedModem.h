// The simulated radio modem behind the port name "SIM": the unit, its serial line, the loopback
// partner and the faults it can be told to show.
#pragma once

#include "modemsim/LineTiming.h"
#include "modemsim/LoopbackPartner.h"
#include "modemsim/ModemCommands.h"
#include "modemsim/TimedByteQueue.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <map>

class SimulatedModemDevice;

// One unit per process (theSimulatedModem()). Everything happens on the user-interface thread:
// bytes travel at the line rate, and the unit acts on each byte at the moment its last bit has
// arrived, on a steady clock, however late the event loop comes round. While the window keeps
// the event loop busy, the unit still answers at the right times; the answers are waiting when
// the window looks again.
//
// RTS on means command mode, off data mode; the switch takes effect a few milliseconds after the
// line changes. In command mode characters collect until they form a command (answered at once)
// or cannot begin one ("ER" + CR LF). In data mode a burst of bytes without a pause is one packet;
// with the transmitter on it goes over the air to the partner, which sends it back after its
// latency.
class SimulatedModem : public QObject
{
    Q_OBJECT
public:
    static constexpr int kDefaultLatencyMs = 30;
    static inline const QByteArray kDefaultFirmware = QByteArrayLiteral("1.30");

    explicit SimulatedModem(QObject* parent = nullptr);
    ~SimulatedModem() override;

    // A new unit out of the box: factory settings, saved; firmware 1.30; 9600,N,8,1; powered up
    // in the mode RTS selects; partner present, latency 30 ms, a clean link; no faults; seed 1.
    // An open port stays open; bytes on the line are dropped.
    void resetToDefaults();

    // --- The unit ---
    ModemSettings settings() const { return m_unit.current; }
    void setSettings(const ModemSettings& settings);
    ModemSettings savedSettings() const { return m_unit.eeprom; }
    void setSavedSettings(const ModemSettings& settings);
    bool settingsSaved() const { return m_unit.current == m_unit.eeprom; }
    QByteArray firmwareVersion() const { return m_unit.firmware; }
    void setFirmwareVersion(const QByteArray& version);
    bool isMobile() const { return m_unit.current.mobile; }
    // The station type, in the current and the saved settings.
    void setStation(bool mobile);
    // The modem's own line: rate and format it sends and expects.
    LineSettings lineSettings() const { return m_line; }
    void setLineSettings(const LineSettings& settings);
    void setBaudRate(qint32 baud);

    // Whether the saved settings make the unit ignore commands after power-up. Setting it saves
    // it and takes effect at once, as if the unit had been powered up with it.
    bool ignoresCommands() const { return m_unit.eeprom.ignoreCommands; }
    void setIgnoreCommands(bool on);
    // Whether the unit answers commands now (it is powered and not ignoring them).
    bool answersCommands() const { return m_powered && !m_locked; }

    // Removes and reapplies power: loads the saved settings and starts in the mode RTS selects.
    void powerCycle();
    void setPowered(bool on);
    bool isPowered() const { return m_powered; }
    bool inCommandMode() const { return m_powered && m_commandMode; }

    // --- The partner and the radio link ---
    void setPartnerPresent(bool present);
    bool partnerPresent() const { return m_partnerPresent; }
    void setPartnerLatencyMs(int ms);
    int partnerLatencyMs() const { return m_latencyMs; }
    // Faults of the link on one channel (1..40), or on every channel.
    void setLinkFaults(int channel, const LinkFaults& faults);
    void setLinkFaults(const LinkFaults& faults);
    LinkFaults linkFaults(int channel) const;
    // Loss probability on every channel, the other faults kept.
    void setLossRate(double probability);
    double lossRate() const { return m_allFaults.loss; }
    // The same seed gives the same losses, corruptions and garbled bytes.
    void setSeed(quint32 seed);

    // --- Faults ---
    // A silent unit neither acts on commands nor sends anything on the line.
    void setSilent(bool silent);
    bool isSilent() const { return m_silent; }
    // Makes a command answer this text instead (an empty text: no answer). The command is then
    // not carried out. Any text can be made a command this way.
    void setReplyOverride(const QByteArray& command, const QByteArray& reply);
    void clearReplyOverrides();
    // Bytes sent after every reply to a command (empty: none).
    void setGarbageAfterReply(const QByteArray& garbage);
    // Sends count bytes of printable text at the line rate, after what is being sent.
    void flood(int count);
    // Reports a line condition (comEventFrame, comEventOverrun, ...) on the open port.
    void raiseLineEvent(qint16 code);
    // The unit's adapter goes away, as an unplugged USB adapter does: the open port is lost and
    // "SIM" cannot be opened until plugIn().
    void vanish();
    void plugIn();
    bool isPluggedIn() const { return m_pluggedIn; }

    // --- What happened (tests and the tool window) ---
    int packetsSent() const { return m_packetsSent; }
    int packetsEchoed() const { return m_packetsEchoed; }
    // The last command the unit recognised, or began none with.
    QByteArray lastCommand() const { return m_commands.lastCommand(); }
    bool hasPort() const { return !m_device.isNull(); }

    // The "Simulated modem" window shown while "SIM" is open. Off when the environment variable
    // ROVIZEZ_SIM_TOOL_WINDOW is 0.
    void setToolWindowEnabled(bool enabled) { m_toolWindowEnabled = enabled; }
    bool toolWindowEnabled() const { return m_toolWindowEnabled; }

    // --- The serial line, for the device of the open port ---
    bool attach(SimulatedModemDevice* device, const LineSettings& host, bool rts, QString* error);
    void detach(SimulatedModemDevice* device);
    void hostWrite(const QByteArray& bytes);
    QByteArray hostReadAll();
    qint64 hostBytesAvailable();
    qint64 hostBytesToWrite();
    void hostDiscardInput();
    void hostDiscardOutput();
    void hostSetRts(bool on);

signals:
    // Something the tool window shows changed (coalesced, delivered through the event loop).
    void stateChanged();
    void portAttached(bool attached);

private:
    qint64 now() const { return m_clock.nsecsElapsed(); }
    // Runs the unit up to time t: bytes arriving, mode switches, packets, echoes.
    void advanceTo(qint64 t);
    // Moves bytes that have reached the port into its buffer; returns whether any did.
    bool settleHost(qint64 t);
    void scheduleWake();
    void wake();
    void at(qint64 t, std::function<void()> action);
    void changed();

    void powerUp();
    void receive(quint8 byte);
    void commandCharacter(char c);
    void setMode(bool command);
    void endPacket();
    void sendToHost(const QByteArray& bytes);
    void dropLine();

    ModemUnit m_unit;
    LineSettings m_line;
    bool m_powered = true;
    bool m_commandMode = false;
    // Ignoring commands until recovered: powered up with RTS raised, then five RTS pulses.
    bool m_locked = false;
    bool m_recoveryArmed = false;
    int m_recoveryPulses = 0;
    CommandInterpreter m_commands;
    QByteArray m_packet;
    qint64 m_packetDeadline = TimedByteQueue::kNever;
    // Every power-up starts a new generation; actions scheduled before it are void.
    int m_generation = 0;

    bool m_partnerPresent = true;
    int m_latencyMs = kDefaultLatencyMs;
    LinkFaults m_allFaults;
    QHash<int, LinkFaults> m_faults; // channels that differ from m_allFaults
    LoopbackPartner m_partner;
    LineReceiver m_unitReceiver;
    LineReceiver m_hostReceiver;

    bool m_silent = false;
    QByteArray m_garbage;
    bool m_pluggedIn = true;
    bool m_lostPending = false;
    QList<qint16> m_pendingLineEvents;

    int m_packetsSent = 0;
    int m_packetsEchoed = 0;
    bool m_toolWindowEnabled = true;

    // The port's end of the line.
    QPointer<SimulatedModemDevice> m_device;
    LineSettings m_host;
    bool m_rts = false;
    TimedByteQueue m_fromHost;
    TimedByteQueue m_toHost;
    QByteArray m_hostBuffer;
    bool m_announce = false;

    // Scheduled actions by time; equal times keep their order.
    std::multimap<qint64, std::function<void()>> m_actions;
    qint64 m_simNow = 0;
    bool m_advancing = false;
    QElapsedTimer m_clock;
    QTimer m_wake;
    qint64 m_wakeFor = TimedByteQueue::kNever;
    QTimer m_changeNotice;
};

// The process's one simulated modem.
SimulatedModem& theSimulatedModem();
