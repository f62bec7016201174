// The real serial port: a SerialDevice over QSerialPort, with line errors from the driver.
#pragma once

#include "platform/LineErrorCounters.h"
#include "platform/SerialDevice.h"

#include <QSerialPort>
#include <QTimer>

// One port of the system, opened by name or path ("/dev/ttyUSB0", "ttyS0", "COM3"). No flow
// control: RTS and DTR are the program's. Devices without modem-control lines (pseudo-terminals,
// some adapters) and drivers that keep no error counters are said so once per open, in a notice,
// and otherwise work.
class QSerialPortDevice : public SerialDevice
{
    Q_OBJECT
public:
    explicit QSerialPortDevice(const QString& portName, QObject* parent = nullptr);
    ~QSerialPortDevice() override;

    bool open(const LineSettings& settings, QString* error) override;
    void close() override;
    bool isOpen() const override;
    void write(const QByteArray& bytes) override;
    QByteArray readAll() override;
    qint64 bytesAvailable() const override;
    qint64 bytesToWrite() const override;
    void discardInput() override;
    void discardOutput() override;
    void setRts(bool on) override;
    void setDtr(bool on) override;
    void setBreak(bool on) override;

    // How often the driver's error counters are read besides at each arrival of bytes.
    static constexpr int kCounterPollMs = 200;

private:
    void onReadyRead();
    void onError(QSerialPort::SerialPortError error);
    void finishLoss(const QString& reason);
    void checkLineErrors();
    bool readLineErrorCounters(LineErrorCounters* out);
    void noteMissingControlLines();
    void postNotice(const QString& text);
    QString failureReason(const LineSettings& settings);

    QSerialPort m_port;
    QTimer m_counterPoll;
    QString m_portName;
    LineErrorCounters m_counters;
    bool m_countersKept = false;
    bool m_controlLinesNoted = false;
    bool m_breakNoted = false;
    bool m_lossPending = false;
    bool m_rts = false;
    bool m_dtr = false;
};
