// The simulated unit's behaviour: power, command and data mode, packets, replies and its faults.
#pragma once

#include "modemsim/LoopbackPartner.h"
#include "modemsim/ModemCommands.h"
#include "modemsim/SimLine.h"

#include <QByteArray>
#include <QObject>

// RTS on means command mode, off data mode; the unit follows a change of the line a few
// milliseconds later. In command mode characters collect until they form a command (answered at
// once) or cannot begin one ("ER" + CR LF). In data mode a burst of bytes without a pause is one
// packet; with the transmitter on it goes over the air to the partner, which sends it back after
// its latency.
class SimUnit : public QObject, public SimLine::UnitEnd
{
    Q_OBJECT
public:
    SimUnit(SimLine& line, LoopbackPartner& partner);

    // A unit out of the box, powered up in the mode RTS selects: factory settings, saved; no
    // faults; nothing sent or echoed yet.
    void reset();

    ModemSettings settings() const { return m_unit.current; }
    void setSettings(const ModemSettings& settings);
    ModemSettings savedSettings() const { return m_unit.eeprom; }
    void setSavedSettings(const ModemSettings& settings);
    QByteArray firmwareVersion() const { return m_unit.firmware; }
    void setFirmwareVersion(const QByteArray& version);
    // The station type, in the current and the saved settings.
    void setStation(bool mobile);
    // Saved, and in effect at once as if the unit had been powered up with it.
    void setIgnoreCommands(bool on);
    bool answersCommands() const { return m_powered && !m_locked; }

    void setPowered(bool on);
    bool isPowered() const { return m_powered; }
    bool inCommandMode() const { return m_powered && m_commandMode; }

    void setSilent(bool silent);
    bool isSilent() const { return m_silent; }
    void setReplyOverride(const QByteArray& command, const QByteArray& reply)
    {
        m_commands.setReplyOverride(command, reply);
    }
    void clearReplyOverrides() { m_commands.clearReplyOverrides(); }
    QByteArray lastCommand() const { return m_commands.lastCommand(); }
    void setGarbageAfterReply(const QByteArray& garbage) { m_garbage = garbage; }
    void flood(int count);

    int packetsSent() const { return m_packetsSent; }
    int packetsEchoed() const { return m_packetsEchoed; }

    // The line runs the unit through these.
    void arrive(quint8 sent) override;
    qint64 packetEndNs() const override { return m_packetDeadline; }
    void endPacket() override;
    void rtsChanged(bool on) override;

signals:
    // Something the tool window shows changed.
    void changed();

private:
    void powerUp();
    // Forgets what was under way: the command begun, the packet collected, replies not started.
    void dropWork();
    void commandCharacter(char c);
    void setMode(bool command);
    void echoArrives(int channel, const QByteArray& bytes);

    SimLine& m_line;
    LoopbackPartner& m_partner;

    ModemUnit m_unit;
    bool m_powered = true;
    bool m_commandMode = false;
    // Ignoring commands until recovered: powered up with RTS raised, then five RTS pulses.
    bool m_locked = false;
    bool m_recoveryArmed = false;
    int m_recoveryPulses = 0;
    CommandInterpreter m_commands;
    QByteArray m_packet;
    qint64 m_packetDeadline = TimedByteQueue::kNever;
    // Every power-up and power-down starts a new generation; actions scheduled before it are void.
    int m_generation = 0;

    bool m_silent = false;
    QByteArray m_garbage;
    int m_packetsSent = 0;
    int m_packetsEchoed = 0;
};
