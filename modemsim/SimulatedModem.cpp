// The simulated modem put together: its line, unit, port and partner, and the change notices.
#include "modemsim/SimulatedModem.h"

#include <QCoreApplication>

namespace
{

SimulatedModem* g_modem = nullptr;

void destroyModem()
{
    delete g_modem;
    g_modem = nullptr;
}

} // namespace

SimulatedModem::SimulatedModem(QObject* parent)
    : QObject(parent), m_unit(m_line, m_partner), m_port(m_line)
{
    m_line.connectEnds(m_unit, m_port);
    m_toolWindowEnabled = qEnvironmentVariable("ROVIZEZ_SIM_TOOL_WINDOW") != QLatin1String("0");
    m_changeNotice.setSingleShot(true);
    m_changeNotice.setInterval(0);
    connect(&m_changeNotice, &QTimer::timeout, this, &SimulatedModem::stateChanged);
    connect(&m_unit, &SimUnit::changed, this, &SimulatedModem::noteChange);
    connect(&m_port, &SimHostPort::changed, this, &SimulatedModem::noteChange);
    connect(&m_port, &SimHostPort::attachedChanged, this, &SimulatedModem::portAttached);
    resetToDefaults();
}

SimulatedModem::~SimulatedModem() = default;

void SimulatedModem::resetToDefaults()
{
    m_line.restart();
    m_line.setUnitSettings(LineSettings());
    m_port.reset();
    m_partner.resetLink();
    setSeed(1);
    m_unit.reset();
    m_line.scheduleWake();
}

void SimulatedModem::noteChange()
{
    if (!m_changeNotice.isActive())
        m_changeNotice.start();
}

// --- The unit ---

void SimulatedModem::setLineSettings(const LineSettings& settings)
{
    m_line.advance();
    m_line.setUnitSettings(settings);
    noteChange();
}

void SimulatedModem::setBaudRate(qint32 baud)
{
    LineSettings settings = lineSettings();
    settings.baud = baud;
    setLineSettings(settings);
}

void SimulatedModem::powerCycle()
{
    setPowered(false);
    setPowered(true);
}

// --- The partner and the radio link ---

void SimulatedModem::setPartnerPresent(bool present)
{
    m_line.advance();
    m_partner.setPresent(present);
    noteChange();
}

void SimulatedModem::setPartnerLatencyMs(int ms)
{
    m_line.advance();
    m_partner.setLatencyMs(ms);
    noteChange();
}

void SimulatedModem::setLinkFaults(int channel, const LinkFaults& faults)
{
    m_line.advance();
    m_partner.setFaults(channel, faults);
    noteChange();
}

void SimulatedModem::setLinkFaults(const LinkFaults& faults)
{
    m_line.advance();
    m_partner.setFaults(faults);
    noteChange();
}

void SimulatedModem::setLossRate(double probability)
{
    m_line.advance();
    m_partner.setLossRate(probability);
    noteChange();
}

void SimulatedModem::setSeed(quint32 seed)
{
    m_partner.seed(seed);
    m_line.seed(seed);
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
