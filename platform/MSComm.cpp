// The serial component facade: settings kept while closed, events dispatched as OnComm.
#include "platform/MSComm.h"

#include "platform/CommSettings.h"

MSComm::MSComm(QObject* parent) : QObject(parent)
{
    parseCommSettings(m_settings, &m_line);
}

MSComm::~MSComm()
{
    closeDevice();
}

void MSComm::setDeviceFactory(DeviceFactory factory)
{
    m_factory = std::move(factory);
}

bool MSComm::PortOpen() const
{
    return m_device && m_device->isOpen();
}

bool MSComm::setPortOpen(bool open, QString* error)
{
    if (!open) {
        closeDevice();
        return true;
    }
    if (PortOpen())
        return true;
    closeDevice();
    std::unique_ptr<SerialDevice> device = m_factory ? m_factory(m_portName) : nullptr;
    if (!device) {
        if (error)
            *error = QStringLiteral("no such device");
        return false;
    }
    // Line states go to the device before it opens, so it opens with them.
    device->setRts(m_rts);
    device->setDtr(m_dtr);
    QString reason;
    if (!device->open(m_line, &reason)) {
        if (error)
            *error = reason;
        return false;
    }
    m_device = std::move(device);
    SerialDevice* d = m_device.get();
    connect(d, &SerialDevice::bytesArrived, this, &MSComm::dispatchReceived);
    connect(d, &SerialDevice::lineEvent, this, &MSComm::raise);
    connect(d, &SerialDevice::deviceLost, this, &MSComm::deviceWentAway);
    connect(d, &SerialDevice::notice, this, &MSComm::OnNotice);
    // Bytes that came in while opening are announced like any others.
    if (d->bytesAvailable() > 0)
        QMetaObject::invokeMethod(this, &MSComm::dispatchReceived, Qt::QueuedConnection);
    return true;
}

bool MSComm::setSettings(const QString& settings)
{
    LineSettings parsed;
    if (!parseCommSettings(settings, &parsed))
        return false;
    m_settings = settings;
    m_line = parsed;
    return true;
}

void MSComm::setRTSEnable(bool on)
{
    m_rts = on;
    if (m_device)
        m_device->setRts(on);
}

void MSComm::setDTREnable(bool on)
{
    m_dtr = on;
    if (m_device)
        m_device->setDtr(on);
}

void MSComm::setBreak(bool on)
{
    m_break = on;
    if (PortOpen())
        m_device->setBreak(on);
}

qint32 MSComm::InBufferCount() const
{
    return PortOpen() ? static_cast<qint32>(m_device->bytesAvailable()) : 0;
}

void MSComm::setInBufferCount(qint32 count)
{
    if (count == 0 && PortOpen()) {
        m_device->discardInput();
        ++m_inputTaken;
    }
}

qint32 MSComm::OutBufferCount() const
{
    return PortOpen() ? static_cast<qint32>(m_device->bytesToWrite()) : 0;
}

void MSComm::setOutBufferCount(qint32 count)
{
    if (count == 0 && PortOpen())
        m_device->discardOutput();
}

void MSComm::setOutput(const QByteArray& bytes)
{
    if (PortOpen() && !bytes.isEmpty())
        m_device->write(bytes);
}

QByteArray MSComm::Input()
{
    if (!PortOpen())
        return {};
    ++m_inputTaken;
    return m_device->readAll();
}

void MSComm::raise(qint16 code)
{
    m_commEvent = code;
    emit OnComm();
}

// One receive event per arrival; the device may not signal again for bytes that came in while
// the handler ran, so look again after every dispatch until nothing is left.
void MSComm::dispatchReceived()
{
    if (m_dispatching)
        return;
    m_dispatching = true;
    while (PortOpen()) {
        const quint64 takenBefore = m_inputTaken;
        raise(comEvReceive);
        // Stop when nothing is left, or when the handler took nothing (it would never end).
        // Bytes that came in while the handler ran, however many, get another event.
        if (!PortOpen() || m_device->bytesAvailable() <= 0 || m_inputTaken == takenBefore)
            break;
    }
    m_dispatching = false;
}

void MSComm::deviceWentAway(const QString& reason)
{
    closeDevice();
    emit OnLost(reason);
}

void MSComm::closeDevice()
{
    if (!m_device)
        return;
    std::unique_ptr<SerialDevice> device = std::move(m_device);
    device->disconnect(this);
    device->close();
    m_break = false;
    // Deleted later: the device may be the sender of the signal being handled. Owned by the
    // component meanwhile, so it goes with it if no event loop runs again.
    SerialDevice* closed = device.release();
    closed->setParent(this);
    closed->deleteLater();
}
