// A recording device in front of the simulated modem: what the window wrote, and when RTS moved.
#include "support/RecordedSimLine.h"

#include "modemsim/SimulatedModemDevice.h"
#include "platform/MSComm.h"
#include "support/SimModem.h"
#include "support/WindowDoor.h"

// Passes every call to the simulated modem's own device and records writes and RTS changes.
class RecordingDevice : public SerialDevice
{
public:
    RecordingDevice(std::shared_ptr<RecordedSimLine> record)
        : m_record(std::move(record)), m_inner(makeSimulatedModemDevice())
    {
        connect(m_inner.get(), &SerialDevice::bytesArrived, this, &SerialDevice::bytesArrived);
        connect(m_inner.get(), &SerialDevice::lineEvent, this, &SerialDevice::lineEvent);
        connect(m_inner.get(), &SerialDevice::deviceLost, this, &SerialDevice::deviceLost);
        connect(m_inner.get(), &SerialDevice::notice, this, &SerialDevice::notice);
    }

    bool open(const LineSettings& settings, QString* error) override
    {
        return m_inner->open(settings, error);
    }
    void close() override { m_inner->close(); }
    bool isOpen() const override { return m_inner->isOpen(); }
    void write(const QByteArray& bytes) override
    {
        m_record->recordWrite(bytes);
        m_inner->write(bytes);
    }
    QByteArray readAll() override { return m_inner->readAll(); }
    qint64 bytesAvailable() const override { return m_inner->bytesAvailable(); }
    qint64 bytesToWrite() const override { return m_inner->bytesToWrite(); }
    void discardInput() override { m_inner->discardInput(); }
    void discardOutput() override { m_inner->discardOutput(); }
    void setRts(bool on) override
    {
        m_record->recordRts(on);
        m_inner->setRts(on);
    }
    void setDtr(bool on) override { m_inner->setDtr(on); }
    void setBreak(bool on) override { m_inner->setBreak(on); }

private:
    std::shared_ptr<RecordedSimLine> m_record;
    std::unique_ptr<SerialDevice> m_inner;
};

std::shared_ptr<RecordedSimLine> RecordedSimLine::install(MainWin& win)
{
    auto record = std::make_shared<RecordedSimLine>();
    WindowDoor(win).MSComm1()->setDeviceFactory(
        [record](const QString&) -> std::unique_ptr<SerialDevice> {
            return std::make_unique<RecordingDevice>(record);
        });
    return record;
}

std::shared_ptr<RecordedSimLine> RecordedSimLine::openIn(MainWin& win)
{
    SimModem::reset();
    std::shared_ptr<RecordedSimLine> record = install(win);
    SimModem::openInWindow(win);
    record->clear();
    return record;
}

void RecordedSimLine::clear()
{
    m_calls.clear();
    m_writes.clear();
}

QString RecordedSimLine::visible(const QByteArray& bytes)
{
    QString text;
    for (const char c : bytes) {
        const auto code = static_cast<quint8>(c);
        if (code >= 32 && code <= 126)
            text += QLatin1Char(c);
        else
            text += QStringLiteral("\\%1").arg(code, 2, 16, QLatin1Char('0')).toUpper();
    }
    return text;
}

QList<QByteArray> RecordedSimLine::scriptWrites(const QList<QByteArray>& commands)
{
    static const QList<QByteArray> whole{" ", "V", "**", "S?", "?"};
    QList<QByteArray> writes;
    for (const QByteArray& command : commands) {
        if (whole.contains(command)) {
            writes << command;
            continue;
        }
        for (const char c : command)
            writes << QByteArray(1, c);
    }
    return writes;
}

void RecordedSimLine::recordWrite(const QByteArray& bytes)
{
    m_writes << bytes;
    m_calls << QStringLiteral("write ") + visible(bytes);
}

void RecordedSimLine::recordRts(bool on)
{
    if (on == m_rts && !m_calls.isEmpty())
        return;
    m_rts = on;
    m_calls << (on ? QStringLiteral("rts 1") : QStringLiteral("rts 0"));
}
