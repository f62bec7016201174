// The receive state's operations: starting and ending a capture, one receive event, the reset.
#include "serial/RxState.h"

void RxState::startCapture()
{
    m_rxNotCapturing = false;
    m_rxCount = 0;
}

QByteArray RxState::accept(const QByteArray& bytes)
{
    return rxAccept(m_rxBuf, m_rxCount, !m_rxNotCapturing, bytes);
}

QByteArray RxState::takeReply()
{
    QByteArray reply = rxCaptured(m_rxBuf, m_rxCount);
    m_rxNotCapturing = true;
    m_rxCount = 0;
    return reply;
}

void RxState::reset()
{
    m_rxBuf[0] = 0x55;
    m_rxBuf[1] = 0x55;
    m_rxCount = 2;
}
