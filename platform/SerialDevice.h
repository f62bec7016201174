// The device interface under the serial component: one open line to a modem, real or simulated.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

// Line format of an open port: baud rate, parity letter ('N', 'E', 'O', 'M', 'S'), data and stop
// bits.
struct LineSettings {
    qint32 baud = 9600;
    char parity = 'N';
    int dataBits = 8;
    int stopBits = 1;
    bool operator==(const LineSettings&) const = default;
};

// Line-condition events the component reports (the serial control's own codes).
enum CommEventCode : qint16 {
    comEvSend = 1,
    comEvReceive = 2,
    comEvCTS = 3,
    comEvDSR = 4,
    comEvCD = 5,
    comEvRing = 6,
    comEvEOF = 7,
    comEventBreak = 1001,
    comEventCTSTO = 1002,
    comEventDSRTO = 1003,
    comEventFrame = 1004,
    comEventOverrun = 1006,
    comEventCDTO = 1007,
    comEventRxOver = 1008,
    comEventRxParity = 1009,
    comEventTxFull = 1010,
    comEventDCB = 1011,
};

// One serial line. Backends: the QSerialPort device and the simulated modem.
// All calls and signals happen on the user-interface thread.
class SerialDevice : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    ~SerialDevice() override = default;

    // Opens the line with the given format; on failure returns false with a plain-text reason.
    virtual bool open(const LineSettings& settings, QString* error) = 0;
    // Closes without sending anything more.
    virtual void close() = 0;
    virtual bool isOpen() const = 0;

    // Queues bytes for sending; they leave at the line rate.
    virtual void write(const QByteArray& bytes) = 0;
    // Removes and returns every received byte waiting.
    virtual QByteArray readAll() = 0;
    virtual qint64 bytesAvailable() const = 0;
    // Bytes queued but not yet on the line.
    virtual qint64 bytesToWrite() const = 0;
    virtual void discardInput() = 0;
    virtual void discardOutput() = 0;

    // Control lines. They may be set while closed; the backend applies them on open.
    virtual void setRts(bool on) = 0;
    virtual void setDtr(bool on) = 0;
    virtual void setBreak(bool on) = 0;

signals:
    // New bytes can be read.
    void bytesArrived();
    // A line condition: one of comEventBreak, comEventFrame, comEventOverrun, comEventRxOver,
    // comEventRxParity.
    void lineEvent(qint16 code);
    // The device went away while open (unplugged, driver error); the backend is closed already.
    void deviceLost(const QString& reason);
    // A one-off remark for the log (for example a device without modem-control lines).
    void notice(const QString& text);
};
