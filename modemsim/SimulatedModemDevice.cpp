// The device of the port "SIM": the serial line to the process's simulated modem.
#include "modemsim/SimulatedModemDevice.h"

#include "modemsim/SimulatedModem.h"

SimulatedModemDevice::SimulatedModemDevice(SimulatedModem& modem, SimToolPresenter presenter)
    : m_modem(&modem), m_presenter(std::move(presenter))
{
}

SimulatedModemDevice::~SimulatedModemDevice()
{
    close();
}

bool SimulatedModemDevice::open(const LineSettings& settings, QString* error)
{
    if (m_open)
        return true;
    if (!m_modem) {
        if (error)
            *error = QStringLiteral("the simulated modem is gone");
        return false;
    }
    if (!m_modem->attach(this, settings, m_rts, error))
        return false;
    m_open = true;
    if (m_modem->toolWindowEnabled() && m_presenter.show)
        m_presenter.show(*m_modem);
    return true;
}

void SimulatedModemDevice::close()
{
    if (!m_open)
        return;
    m_open = false;
    if (m_modem)
        m_modem->detach(this);
    if (m_presenter.hide)
        m_presenter.hide();
}

void SimulatedModemDevice::lose(const QString& reason)
{
    m_open = false;
    if (m_presenter.hide)
        m_presenter.hide();
    emit deviceLost(reason);
}

void SimulatedModemDevice::write(const QByteArray& bytes)
{
    if (m_open && m_modem)
        m_modem->hostWrite(bytes);
}

QByteArray SimulatedModemDevice::readAll()
{
    return m_open && m_modem ? m_modem->hostReadAll() : QByteArray();
}

qint64 SimulatedModemDevice::bytesAvailable() const
{
    return m_open && m_modem ? m_modem->hostBytesAvailable() : 0;
}

qint64 SimulatedModemDevice::bytesToWrite() const
{
    return m_open && m_modem ? m_modem->hostBytesToWrite() : 0;
}

void SimulatedModemDevice::discardInput()
{
    if (m_open && m_modem)
        m_modem->hostDiscardInput();
}

void SimulatedModemDevice::discardOutput()
{
    if (m_open && m_modem)
        m_modem->hostDiscardOutput();
}

void SimulatedModemDevice::setRts(bool on)
{
    m_rts = on;
    if (m_open && m_modem)
        m_modem->hostSetRts(on);
}

std::unique_ptr<SerialDevice> makeSimulatedModemDevice(SimToolPresenter presenter)
{
    return std::make_unique<SimulatedModemDevice>(theSimulatedModem(), std::move(presenter));
}
