// The simulated radio modem as a device behind the port name "SIM".
#pragma once

#include "platform/SerialDevice.h"

#include <QPointer>
#include <memory>

#include <functional>

class SimulatedModem;

// What shows the simulated modem's tool window while a port is open on it; a program without a
// window leaves both empty.
struct SimToolPresenter {
    std::function<void(SimulatedModem&)> show;
    std::function<void()> hide;
};

// A port on the process's one simulated modem. Only one can be open at a time.
class SimulatedModemDevice : public SerialDevice
{
    Q_OBJECT
public:
    explicit SimulatedModemDevice(SimulatedModem& modem, SimToolPresenter presenter = {});
    ~SimulatedModemDevice() override;

    bool open(const LineSettings& settings, QString* error) override;
    void close() override;
    bool isOpen() const override { return m_open; }

    void write(const QByteArray& bytes) override;
    QByteArray readAll() override;
    qint64 bytesAvailable() const override;
    qint64 bytesToWrite() const override;
    void discardInput() override;
    void discardOutput() override;

    void setRts(bool on) override;
    void setDtr(bool on) override { m_dtr = on; }
    void setBreak(bool on) override { m_break = on; }

    // Called by the modem.
    void announceArrival() { emit bytesArrived(); }
    void announceLineEvent(qint16 code) { emit lineEvent(code); }
    // The adapter went away: the device is closed already when deviceLost is emitted.
    void lose(const QString& reason);

private:
    QPointer<SimulatedModem> m_modem;
    SimToolPresenter m_presenter;
    bool m_open = false;
    bool m_rts = false;
    bool m_dtr = false;
    bool m_break = false;
};

// A new device connected to the process's one simulated modem.
std::unique_ptr<SerialDevice> makeSimulatedModemDevice(SimToolPresenter presenter = {});
