// The scripted fake serial device and its shared line record.
#include "support/ScriptedDevice.h"

#include "platform/MSComm.h"
#include "support/WindowDoor.h"

#include <QCheckBox>
#include <QMetaObject>
#include <QTimer>

namespace
{
QString onOff(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

QString settingsText(const LineSettings& s)
{
    return QStringLiteral("%1,%2,%3,%4")
        .arg(s.baud)
        .arg(QLatin1Char(s.parity))
        .arg(s.dataBits)
        .arg(s.stopBits);
}
} // namespace

QStringList ScriptedLine::callsMatching(const QStringList& prefixes) const
{
    QStringList out;
    for (const QString& call : m_calls) {
        for (const QString& prefix : prefixes) {
            if (call.startsWith(prefix)) {
                out << call;
                break;
            }
        }
    }
    return out;
}

QByteArray ScriptedLine::written() const
{
    QByteArray all;
    for (const QByteArray& w : m_writes)
        all += w;
    return all;
}

void ScriptedLine::clearRecord()
{
    m_calls.clear();
    m_writes.clear();
}

bool ScriptedLine::isOpen() const
{
    return openDevice() != nullptr;
}

ScriptedDevice* ScriptedLine::openDevice() const
{
    return (m_device && m_device->m_open) ? m_device.data() : nullptr;
}

bool ScriptedLine::feed(const QByteArray& bytes)
{
    ScriptedDevice* device = openDevice();
    if (!device)
        return false;
    // The bytes are in the driver's buffer at once; the window hears of them when its event
    // loop next runs.
    m_input += bytes;
    QMetaObject::invokeMethod(
        device,
        [device] {
            if (device->m_open)
                emit device->bytesArrived();
        },
        Qt::QueuedConnection);
    return true;
}

void ScriptedLine::feedLater(int ms, const QByteArray& bytes)
{
    std::weak_ptr<ScriptedLine> weak = m_self;
    QTimer::singleShot(ms, [weak, bytes] {
        if (auto line = weak.lock())
            line->feed(bytes);
    });
}

bool ScriptedLine::lineEvent(qint16 code)
{
    ScriptedDevice* device = openDevice();
    if (!device)
        return false;
    QMetaObject::invokeMethod(
        device,
        [device, code] {
            if (device->m_open)
                emit device->lineEvent(code);
        },
        Qt::QueuedConnection);
    return true;
}

void ScriptedLine::failNextOpen(const QString& reason)
{
    m_failNext = reason;
}

void ScriptedLine::failOpens(const QString& reason)
{
    m_failAlways = reason;
}

bool ScriptedLine::lose(const QString& reason)
{
    ScriptedDevice* device = openDevice();
    if (!device)
        return false;
    QMetaObject::invokeMethod(
        device,
        [device, reason] {
            if (!device->m_open)
                return;
            device->m_open = false;
            device->m_line->m_input.clear();
            device->m_line->record(QStringLiteral("lost"));
            emit device->deviceLost(reason);
        },
        Qt::QueuedConnection);
    return true;
}

void ScriptedLine::setPendingOutput(qint64 count, int drainAfterMs)
{
    m_pendingOutput = count;
    if (drainAfterMs < 0)
        return;
    std::weak_ptr<ScriptedLine> weak = m_self;
    QTimer::singleShot(drainAfterMs, [weak] {
        if (auto line = weak.lock())
            line->m_pendingOutput = 0;
    });
}

void ScriptedLine::setResponder(std::function<void(const QByteArray&)> responder)
{
    m_responder = std::move(responder);
}

void ScriptedLine::setCallHook(std::function<void(const QString&)> hook)
{
    m_callHook = std::move(hook);
}

void ScriptedLine::installOn(MSComm& comm)
{
    std::weak_ptr<ScriptedLine> weak = m_self;
    comm.setDeviceFactory([weak](const QString& portName) -> std::unique_ptr<SerialDevice> {
        auto line = weak.lock();
        if (!line)
            return nullptr;
        return std::make_unique<ScriptedDevice>(line, portName);
    });
}

void ScriptedLine::installOn(MainWin& win)
{
    installOn(*WindowDoor(win).MSComm1());
}

std::shared_ptr<ScriptedLine> ScriptedLine::create()
{
    std::shared_ptr<ScriptedLine> line(new ScriptedLine);
    line->m_self = line;
    return line;
}

std::shared_ptr<ScriptedLine> ScriptedLine::install(MainWin& win)
{
    std::shared_ptr<ScriptedLine> line = create();
    line->installOn(win);
    return line;
}

std::shared_ptr<ScriptedLine> ScriptedLine::openIn(MainWin& win)
{
    std::shared_ptr<ScriptedLine> line = install(win);
    WindowDoor(win).CommOpenCbox()->setChecked(true);
    line->clearRecord();
    return line;
}

void ScriptedLine::record(const QString& call)
{
    m_calls << call;
    if (m_callHook)
        m_callHook(call);
}

ScriptedDevice::ScriptedDevice(std::shared_ptr<ScriptedLine> line, const QString& portName)
    : m_line(std::move(line)), m_portName(portName)
{
}

bool ScriptedDevice::open(const LineSettings& settings, QString* error)
{
    ScriptedLine& line = *m_line;
    line.m_lastPortName = m_portName;
    QString reason = line.m_failAlways;
    if (reason.isEmpty()) {
        reason = line.m_failNext;
        line.m_failNext.clear();
    }
    if (!reason.isEmpty()) {
        line.record(QStringLiteral("open failed ") + settingsText(settings));
        if (error)
            *error = reason;
        return false;
    }
    m_open = true;
    line.m_device = this;
    line.m_lastSettings = settings;
    line.m_input.clear();
    line.m_break = false;
    ++line.m_openCount;
    line.record(QStringLiteral("open ") + settingsText(settings));
    return true;
}

void ScriptedDevice::close()
{
    if (!m_open)
        return;
    m_open = false;
    m_line->m_input.clear();
    m_line->m_break = false;
    m_line->record(QStringLiteral("close"));
}

void ScriptedDevice::write(const QByteArray& bytes)
{
    ScriptedLine& line = *m_line;
    line.m_writes << bytes;
    const QString call = QStringLiteral("write ") + QString::fromLatin1(bytes);
    line.m_calls << call;
    if (line.m_responder)
        line.m_responder(bytes);
    if (line.m_callHook)
        line.m_callHook(call);
}

QByteArray ScriptedDevice::readAll()
{
    if (!m_open)
        return {};
    QByteArray all;
    all.swap(m_line->m_input);
    return all;
}

qint64 ScriptedDevice::bytesAvailable() const
{
    return m_open ? m_line->m_input.size() : 0;
}

qint64 ScriptedDevice::bytesToWrite() const
{
    return m_open ? m_line->m_pendingOutput : 0;
}

void ScriptedDevice::discardInput()
{
    m_line->m_input.clear();
    m_line->record(QStringLiteral("discardIn"));
}

void ScriptedDevice::discardOutput()
{
    m_line->m_pendingOutput = 0;
    m_line->record(QStringLiteral("discardOut"));
}

void ScriptedDevice::setRts(bool on)
{
    m_line->m_rts = on;
    m_line->record(QStringLiteral("rts ") + onOff(on));
}

void ScriptedDevice::setDtr(bool on)
{
    m_line->m_dtr = on;
    m_line->record(QStringLiteral("dtr ") + onOff(on));
}

void ScriptedDevice::setBreak(bool on)
{
    m_line->m_break = on;
    m_line->record(QStringLiteral("break ") + onOff(on));
}
