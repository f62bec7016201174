// The QSerialPort backend: opening with the line format, control lines, line errors, loss.
#include "platform/QSerialPortDevice.h"

#include "platform/OpenFailure.h"

#include <QMetaObject>

#ifdef Q_OS_LINUX
#include <linux/serial.h>
#include <sys/ioctl.h>
#endif

namespace
{
QSerialPort::Parity parityOf(char letter)
{
    switch (letter) {
    case 'E':
        return QSerialPort::EvenParity;
    case 'O':
        return QSerialPort::OddParity;
    case 'M':
        return QSerialPort::MarkParity;
    case 'S':
        return QSerialPort::SpaceParity;
    default:
        return QSerialPort::NoParity;
    }
}

QString formatText(const LineSettings& s)
{
    return QStringLiteral("%1,%2,%3,%4")
        .arg(s.baud)
        .arg(QLatin1Char(s.parity))
        .arg(s.dataBits)
        .arg(s.stopBits);
}
} // namespace

QSerialPortDevice::QSerialPortDevice(const QString& portName, QObject* parent)
    : SerialDevice(parent), m_portName(portName)
{
    connect(&m_port, &QSerialPort::readyRead, this, &QSerialPortDevice::onReadyRead);
    connect(&m_port, &QSerialPort::errorOccurred, this, &QSerialPortDevice::onError);
    m_counterPoll.setInterval(kCounterPollMs);
    connect(&m_counterPoll, &QTimer::timeout, this, &QSerialPortDevice::checkLineErrors);
}

QSerialPortDevice::~QSerialPortDevice()
{
    close();
}

bool QSerialPortDevice::open(const LineSettings& settings, QString* error)
{
    close();
    m_port.setPortName(m_portName);
    m_port.setBaudRate(settings.baud);
    m_port.setDataBits(static_cast<QSerialPort::DataBits>(settings.dataBits));
    m_port.setParity(parityOf(settings.parity));
    m_port.setStopBits(settings.stopBits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop);
    m_port.setFlowControl(QSerialPort::NoFlowControl);
    if (!m_port.open(QIODevice::ReadWrite)) {
        if (error)
            *error = failureReason(settings);
        m_port.clearError();
        return false;
    }
    m_controlLinesNoted = false;
    m_breakNoted = false;
    m_lossPending = false;
    setRts(m_rts);
    setDtr(m_dtr);
    m_countersKept = readLineErrorCounters(&m_counters);
    if (m_countersKept)
        m_counterPoll.start();
    else
        postNotice(QStringLiteral("%1: this device does not report line errors (framing, "
                                  "overrun, parity, break); they are not counted")
                       .arg(m_portName));
    return true;
}

void QSerialPortDevice::close()
{
    m_counterPoll.stop();
    if (m_port.isOpen())
        m_port.close();
    m_port.clearError();
}

bool QSerialPortDevice::isOpen() const
{
    return m_port.isOpen() && !m_lossPending;
}

void QSerialPortDevice::write(const QByteArray& bytes)
{
    if (isOpen())
        m_port.write(bytes);
}

QByteArray QSerialPortDevice::readAll()
{
    return isOpen() ? m_port.readAll() : QByteArray();
}

qint64 QSerialPortDevice::bytesAvailable() const
{
    return isOpen() ? m_port.bytesAvailable() : 0;
}

qint64 QSerialPortDevice::bytesToWrite() const
{
    if (!isOpen())
        return 0;
    qint64 pending = m_port.bytesToWrite();
#ifdef Q_OS_LINUX
    // Bytes already handed to the driver but not yet sent.
    int queued = 0;
    if (::ioctl(m_port.handle(), TIOCOUTQ, &queued) == 0 && queued > 0)
        pending += queued;
#endif
    return pending;
}

void QSerialPortDevice::discardInput()
{
    if (isOpen())
        m_port.clear(QSerialPort::Input);
}

void QSerialPortDevice::discardOutput()
{
    if (isOpen())
        m_port.clear(QSerialPort::Output);
}

void QSerialPortDevice::setRts(bool on)
{
    m_rts = on;
    if (isOpen() && !m_port.setRequestToSend(on) && isOpen())
        noteMissingControlLines();
}

void QSerialPortDevice::setDtr(bool on)
{
    m_dtr = on;
    if (isOpen() && !m_port.setDataTerminalReady(on) && isOpen())
        noteMissingControlLines();
}

void QSerialPortDevice::setBreak(bool on)
{
    if (!isOpen() || m_port.setBreakEnabled(on) || !isOpen() || m_breakNoted)
        return;
    m_breakNoted = true;
    postNotice(QStringLiteral("%1: this device cannot send a break").arg(m_portName));
}

void QSerialPortDevice::onReadyRead()
{
    if (!isOpen())
        return;
    checkLineErrors();
    emit bytesArrived();
}

void QSerialPortDevice::onError(QSerialPort::SerialPortError error)
{
    switch (error) {
    case QSerialPort::NoError:
    case QSerialPort::TimeoutError:
    case QSerialPort::NotOpenError:
    case QSerialPort::OpenError:
        return;
    case QSerialPort::UnsupportedOperationError:
        // While open: a control line the device does not have, said once by the caller, nothing
        // lost. While opening, the error stays for the failure's description.
        if (m_port.isOpen())
            m_port.clearError();
        return;
    case QSerialPort::ResourceError:
    case QSerialPort::ReadError:
    case QSerialPort::WriteError:
    case QSerialPort::DeviceNotFoundError:
    case QSerialPort::PermissionError:
    case QSerialPort::UnknownError:
        break;
    }
    if (!m_port.isOpen() || m_lossPending)
        return;
    // A hung-up device keeps reporting; stop listening now and close once QSerialPort has
    // returned from the call that reported it.
    m_lossPending = true;
    m_counterPoll.stop();
    // After a hang-up the system's error text is stale (after traffic it reads "Resource
    // temporarily unavailable"); say what happened in plain words.
    QString reason;
    if (error == QSerialPort::ReadError || error == QSerialPort::ResourceError)
        reason = QStringLiteral("the device hung up or was unplugged");
    else if (error == QSerialPort::WriteError)
        reason = QStringLiteral("writing to the device failed (%1)").arg(m_port.errorString());
    else
        reason = QStringLiteral("the device went away (%1)").arg(m_port.errorString());
    QMetaObject::invokeMethod(
        this, [this, reason] { finishLoss(reason); }, Qt::QueuedConnection);
}

void QSerialPortDevice::finishLoss(const QString& reason)
{
    m_counterPoll.stop();
    if (m_port.isOpen())
        m_port.close();
    m_port.clearError();
    m_lossPending = false;
    emit deviceLost(reason);
}

void QSerialPortDevice::checkLineErrors()
{
    if (!m_countersKept || !isOpen())
        return;
    LineErrorCounters now;
    if (!readLineErrorCounters(&now))
        return;
    const QList<qint16> events = lineEventsBetween(m_counters, now);
    m_counters = now;
    for (qint16 code : events)
        emit lineEvent(code);
}

bool QSerialPortDevice::readLineErrorCounters(LineErrorCounters* out)
{
#ifdef Q_OS_LINUX
    struct serial_icounter_struct counts {
    };
    if (::ioctl(m_port.handle(), TIOCGICOUNT, &counts) != 0)
        return false;
    out->frame = counts.frame;
    out->overrun = counts.overrun;
    out->parity = counts.parity;
    out->brk = counts.brk;
    out->bufOverrun = counts.buf_overrun;
    return true;
#else
    Q_UNUSED(out);
    return false;
#endif
}

void QSerialPortDevice::noteMissingControlLines()
{
    m_port.clearError();
    if (m_controlLinesNoted)
        return;
    m_controlLinesNoted = true;
    postNotice(QStringLiteral("%1: this device has no RTS/DTR control lines; command mode cannot "
                              "be switched")
                   .arg(m_portName));
}

// Notices made while opening are posted, so that they reach the log after the port is open.
void QSerialPortDevice::postNotice(const QString& text)
{
    QMetaObject::invokeMethod(
        this, [this, text] { emit notice(text); }, Qt::QueuedConnection);
}

QString QSerialPortDevice::failureReason(const LineSettings& settings)
{
    const QString location = deviceLocation(m_portName);
    const QString detail = m_port.errorString();
    OpenFailureKind kind = OpenFailureKind::Other;
    switch (m_port.error()) {
    case QSerialPort::DeviceNotFoundError:
        kind = OpenFailureKind::NotFound;
        break;
    case QSerialPort::PermissionError:
        // The library reports a device held by another program the same way; a refusal the
        // mode does not explain (a security policy, say) still carries the system's own words.
        kind = accessDenied(location) || detail == QLatin1String("Permission denied")
                   ? OpenFailureKind::PermissionDenied
                   : OpenFailureKind::InUse;
        break;
    case QSerialPort::UnsupportedOperationError:
        kind = OpenFailureKind::NotSerial;
        break;
    default:
        break;
    }
    return openFailureText(kind, location, detail, deviceAccess(location), formatText(settings));
}
