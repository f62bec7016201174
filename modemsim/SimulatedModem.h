// The simulated radio modem behind the port name "SIM": the unit, its serial line, the loopback
// partner and the faults it can be told to show.
#pragma once

#include "modemsim/LoopbackPartner.h"
#include "modemsim/ModemCommands.h"
#include "modemsim/SimHostPort.h"
#include "modemsim/SimLine.h"
#include "modemsim/SimUnit.h"

#include <QByteArray>
#include <QObject>
#include <QTimer>

class SimulatedModemDevice;

// One unit per process (theSimulatedModem()), put together from the line it sits on (SimLine),
// its behaviour (SimUnit), the port the program opens (SimHostPort) and the partner at the other
// end of the radio link (LoopbackPartner). Whatever is changed here takes effect at the present
// moment of the line: what was due before it has happened first.
class SimulatedModem : public QObject
{
    Q_OBJECT
public:
    static constexpr int kDefaultLatencyMs = LoopbackPartner::kDefaultLatencyMs;

    explicit SimulatedModem(QObject* parent = nullptr);
    ~SimulatedModem() override;

    // A new unit out of the box: factory settings, saved; firmware 1.30; 9600,N,8,1; powered up
    // in the mode RTS selects; partner present, latency 30 ms, a clean link; no faults; seed 1.
    // An open port stays open; bytes on the line are dropped.
    void resetToDefaults();

    // --- The unit ---
    ModemSettings settings() const { return m_unit.settings(); }
    void setSettings(const ModemSettings& settings) { m_unit.setSettings(settings); }
    ModemSettings savedSettings() const { return m_unit.savedSettings(); }
    void setSavedSettings(const ModemSettings& settings) { m_unit.setSavedSettings(settings); }
    bool settingsSaved() const { return settings() == savedSettings(); }
    QByteArray firmwareVersion() const { return m_unit.firmwareVersion(); }
    void setFirmwareVersion(const QByteArray& version) { m_unit.setFirmwareVersion(version); }
    bool isMobile() const { return settings().mobile; }
    // The station type, in the current and the saved settings.
    void setStation(bool mobile) { m_unit.setStation(mobile); }
    // The modem's own line: rate and format it sends and expects.
    LineSettings lineSettings() const { return m_line.unitSettings(); }
    void setLineSettings(const LineSettings& settings);
    void setBaudRate(qint32 baud);

    // Whether the saved settings make the unit ignore commands after power-up. Setting it saves
    // it and takes effect at once, as if the unit had been powered up with it.
    bool ignoresCommands() const { return savedSettings().ignoreCommands; }
    void setIgnoreCommands(bool on) { m_unit.setIgnoreCommands(on); }
    // Whether the unit answers commands now (it is powered and not ignoring them).
    bool answersCommands() const { return m_unit.answersCommands(); }

    // Removes and reapplies power: loads the saved settings and starts in the mode RTS selects.
    void powerCycle();
    void setPowered(bool on) { m_unit.setPowered(on); }
    bool isPowered() const { return m_unit.isPowered(); }
    bool inCommandMode() const { return m_unit.inCommandMode(); }

    // --- The partner and the radio link ---
    void setPartnerPresent(bool present);
    bool partnerPresent() const { return m_partner.isPresent(); }
    void setPartnerLatencyMs(int ms);
    int partnerLatencyMs() const { return m_partner.latencyMs(); }
    // Faults of the link on one channel (1..40), or on every channel.
    void setLinkFaults(int channel, const LinkFaults& faults);
    void setLinkFaults(const LinkFaults& faults);
    LinkFaults linkFaults(int channel) const { return m_partner.faults(channel); }
    // Loss probability on every channel, the other faults kept.
    void setLossRate(double probability);
    double lossRate() const { return m_partner.lossRate(); }
    // The same seed gives the same losses, corruptions and garbled bytes.
    void setSeed(quint32 seed);

    // --- Faults ---
    // A silent unit neither acts on commands nor sends anything on the line.
    void setSilent(bool silent) { m_unit.setSilent(silent); }
    bool isSilent() const { return m_unit.isSilent(); }
    // Makes a command answer this text instead (an empty text: no answer). The command is then
    // not carried out. Any text can be made a command this way.
    void setReplyOverride(const QByteArray& command, const QByteArray& reply)
    {
        m_unit.setReplyOverride(command, reply);
    }
    void clearReplyOverrides() { m_unit.clearReplyOverrides(); }
    // Bytes sent after every reply to a command (empty: none).
    void setGarbageAfterReply(const QByteArray& garbage) { m_unit.setGarbageAfterReply(garbage); }
    // Sends count bytes of printable text at the line rate, after what is being sent.
    void flood(int count) { m_unit.flood(count); }
    // Reports a line condition (comEventFrame, comEventOverrun, ...) on the open port.
    void raiseLineEvent(qint16 code) { m_port.raiseLineEvent(code); }
    // The unit's adapter goes away, as an unplugged USB adapter does: the open port is lost and
    // "SIM" cannot be opened until plugIn().
    void vanish() { m_port.vanish(); }
    void plugIn() { m_port.plugIn(); }
    bool isPluggedIn() const { return m_port.isPluggedIn(); }

    // --- What happened (tests and the tool window) ---
    int packetsSent() const { return m_unit.packetsSent(); }
    int packetsEchoed() const { return m_unit.packetsEchoed(); }
    // The last command the unit recognised, or began none with.
    QByteArray lastCommand() const { return m_unit.lastCommand(); }
    bool hasPort() const { return m_port.isAttached(); }

    // The "Simulated modem" window shown while "SIM" is open. Off when the environment variable
    // ROVIZEZ_SIM_TOOL_WINDOW is 0.
    void setToolWindowEnabled(bool enabled) { m_toolWindowEnabled = enabled; }
    bool toolWindowEnabled() const { return m_toolWindowEnabled; }

    // --- The serial line, for the device of the open port ---
    bool attach(SimulatedModemDevice* device, const LineSettings& host, bool rts, QString* error)
    {
        return m_port.attach(device, host, rts, error);
    }
    void detach(SimulatedModemDevice* device) { m_port.detach(device); }
    void hostWrite(const QByteArray& bytes) { m_port.write(bytes); }
    QByteArray hostReadAll() { return m_port.readAll(); }
    qint64 hostBytesAvailable() { return m_port.bytesAvailable(); }
    qint64 hostBytesToWrite() { return m_port.bytesToWrite(); }
    void hostDiscardInput() { m_port.discardInput(); }
    void hostDiscardOutput() { m_port.discardOutput(); }
    void hostSetRts(bool on) { m_port.setRts(on); }

signals:
    // Something the tool window shows changed (coalesced, delivered through the event loop).
    void stateChanged();
    void portAttached(bool attached);

private:
    void noteChange();

    SimLine m_line;
    LoopbackPartner m_partner;
    SimUnit m_unit;
    SimHostPort m_port;
    bool m_toolWindowEnabled = true;
    QTimer m_changeNotice;
};

// The process's one simulated modem.
SimulatedModem& theSimulatedModem();
