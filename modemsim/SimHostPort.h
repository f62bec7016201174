// The program's side of the simulated line: the port "SIM" as the simulated modem sees it.
#pragma once

#include "modemsim/SimLine.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPointer>

class SimulatedModemDevice;

// At most one device at a time has the port open. Bytes from the unit wait in the port's buffer
// once they have arrived; the device is told of them, of line conditions and of a lost adapter
// through the event loop, never from inside one of its own calls.
class SimHostPort : public QObject, public SimLine::PortEnd
{
    Q_OBJECT
public:
    explicit SimHostPort(SimLine& line);

    // An empty port with its adapter plugged in; a device that has it open keeps it.
    void reset();

    bool attach(SimulatedModemDevice* device, const LineSettings& settings, bool rts,
                QString* error);
    void detach(SimulatedModemDevice* device);

    void write(const QByteArray& bytes);
    QByteArray readAll();
    qint64 bytesAvailable();
    qint64 bytesToWrite();
    void discardInput();
    void discardOutput();
    void setRts(bool on);

    void raiseLineEvent(qint16 code);
    void vanish();
    void plugIn();
    bool isPluggedIn() const { return m_pluggedIn; }

    // The line wakes the port through these.
    bool isAttached() const override { return !m_device.isNull(); }
    bool hasNews() const override;
    void wake() override;

signals:
    // Something the tool window shows changed.
    void changed();
    void attachedChanged(bool attached);

private:
    // Moves bytes that have reached the port into its buffer; returns whether any did.
    bool settle(qint64 t);
    // Drops the bytes on the line and what waits to be told to the device.
    void dropLine();

    SimLine& m_line;
    QPointer<SimulatedModemDevice> m_device;
    QByteArray m_buffer;
    // Bytes found in the buffer the device has not been told of yet.
    bool m_announce = false;
    QList<qint16> m_pendingLineEvents;
    bool m_pluggedIn = true;
    bool m_lostPending = false;
};
