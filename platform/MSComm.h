// The serial component: the properties and the one OnComm event the window uses, over a device.
#pragma once

#include "platform/DeviceFactory.h"
#include "platform/SerialDevice.h"

#include <QObject>
#include <memory>

// Facade in the shape of the serial control the window was written for. It keeps its settings
// while closed and applies them on open. Received bytes and line conditions come out as OnComm
// with CommEvent() telling which.
class MSComm : public QObject
{
    Q_OBJECT
public:
    // Opens devices as its device factory says; with none given, every open fails as for a port
    // that does not exist.
    explicit MSComm(QObject* parent = nullptr);
    ~MSComm() override;

    void setDeviceFactory(DeviceFactory factory);
    // The device while open (tests and the simulated modem's tool window look at it).
    SerialDevice* device() const { return m_device.get(); }

    bool PortOpen() const;
    // Opening may fail: returns false and gives the plain-text reason.
    bool setPortOpen(bool open, QString* error = nullptr);

    qint16 CommPort() const { return m_commPort; }
    void setCommPort(qint16 port) { m_commPort = port; }
    // The device name or path the next open uses ("COMn" is mapped by the caller).
    QString PortName() const { return m_portName; }
    void setPortName(const QString& name) { m_portName = name; }

    QString Settings() const { return m_settings; }
    // Returns false when the text is not a valid "baud,parity,data,stop" format.
    bool setSettings(const QString& settings);

    qint32 InBufferSize() const { return m_inBufferSize; }
    void setInBufferSize(qint32 size) { m_inBufferSize = size; }
    qint32 OutBufferSize() const { return m_outBufferSize; }
    void setOutBufferSize(qint32 size) { m_outBufferSize = size; }
    qint32 SThreshold() const { return m_sThreshold; }
    void setSThreshold(qint32 value) { m_sThreshold = value; }
    qint32 InputLen() const { return m_inputLen; }
    void setInputLen(qint32 value) { m_inputLen = value; }
    qint32 InputMode() const { return m_inputMode; }
    void setInputMode(qint32 value) { m_inputMode = value; }
    qint32 RThreshold() const { return m_rThreshold; }
    void setRThreshold(qint32 value) { m_rThreshold = value; }

    bool RTSEnable() const { return m_rts; }
    void setRTSEnable(bool on);
    bool DTREnable() const { return m_dtr; }
    void setDTREnable(bool on);
    bool Break() const { return m_break; }
    void setBreak(bool on);

    // Received bytes waiting; setting 0 discards them (the only value the window sets).
    qint32 InBufferCount() const;
    void setInBufferCount(qint32 count);
    // Unsent bytes; setting 0 discards them.
    qint32 OutBufferCount() const;
    void setOutBufferCount(qint32 count);

    // Each byte leaves as one byte on the line. Ignored while closed.
    void setOutput(const QByteArray& bytes);
    // All waiting bytes, removed from the buffer.
    QByteArray Input();

    qint16 CommEvent() const { return m_commEvent; }

signals:
    void OnComm();
    // The open device went away; the port is closed already.
    void OnLost(const QString& reason);
    // A remark from the device for the log.
    void OnNotice(const QString& text);

private:
    void raise(qint16 code);
    void dispatchReceived();
    void deviceWentAway(const QString& reason);
    void closeDevice();

    DeviceFactory m_factory;
    std::unique_ptr<SerialDevice> m_device;
    qint16 m_commPort = 1;
    QString m_portName;
    QString m_settings = QStringLiteral("9600,N,8,1");
    LineSettings m_line;
    qint32 m_inBufferSize = 1024;
    qint32 m_outBufferSize = 512;
    qint32 m_sThreshold = 0;
    qint32 m_inputLen = 0;
    qint32 m_inputMode = 0;
    qint32 m_rThreshold = 0;
    bool m_rts = false;
    bool m_dtr = false;
    bool m_break = false;
    qint16 m_commEvent = 0;
    bool m_dispatching = false;
    // Counts reads and discards of the input, to tell whether a receive handler took the bytes.
    quint64 m_inputTaken = 0;
};
