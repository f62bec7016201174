// The receive state: the capture buffer an exchange collects the modem's reply in, its count,
// and whether received bytes are captured or shown.
#pragma once

#include "serial/RxCapture.h"

#include <QByteArray>

class WindowDoor;

// The window owns one RxState. Its fields change only through the operations below: an exchange
// starts capturing and takes the reply, and every receive event is accepted into it.
class RxState
{
public:
    const RxBuffer& RxBuf() const { return m_rxBuf; }
    qint16 RxCount() const { return m_rxCount; }
    bool RxNotCapturing() const { return m_rxNotCapturing; }

    // An exchange begins: received bytes are captured into the emptied buffer.
    void startCapture();
    // One receive event (see rxAccept): the bytes to show, none while capturing.
    QByteArray accept(const QByteArray& bytes);
    // The exchange ends: the captured reply, the buffer emptied, received bytes shown again.
    QByteArray takeReply();
    // Received bytes are shown, not captured.
    void stopCapturing() { m_rxNotCapturing = true; }
    // The buffer as start-up leaves it: two 0x55 bytes, shown before the first bytes received.
    void reset();

private:
    friend class WindowDoor;
    RxBuffer m_rxBuf{};
    qint16 m_rxCount = 0;
    bool m_rxNotCapturing = true;
};
