// The "\hh" escape decoder: hex digits and the three-state machine that turns typed text into
// bytes.
#include "terminal/EscapeDecoder.h"

qint16 AccumHexDigit(char ch, qint16& acc)
{
    qint16 value = -1;
    if (ch >= '0' && ch <= '9')
        value = static_cast<qint16>(ch - '0');
    else if (ch >= 'A' && ch <= 'F')
        value = static_cast<qint16>(ch - 'A' + 10);
    else if (ch >= 'a' && ch <= 'f')
        value = static_cast<qint16>(ch - 'a' + 10);
    if (value < 0)
        return -1;
    // The accumulator is a 16-bit register: shifting out of it wraps instead of overflowing.
    acc = static_cast<qint16>(
        static_cast<quint16>(static_cast<quint16>(acc) * 16u + static_cast<quint16>(value)));
    return value;
}

namespace
{
QByteArray oneByte(qint16 code)
{
    return QByteArray(1, static_cast<char>(code & 0xFF));
}
} // namespace

void EscapeDecoder::decode(const QByteArray& text, const Sender& send)
{
    for (const char ch : text) {
        switch (m_state) {
        case 0:
            if (ch == '\\') {
                m_acc = 0;
                m_state = 1;
            } else {
                send(QByteArray(1, ch));
            }
            break;
        case 1:
            if (ch == '\\') {
                send(QByteArrayLiteral("\\"));
                m_state = 0;
            } else if (AccumHexDigit(ch, m_acc) >= 0) {
                m_state = 2;
            } else {
                // Not an escape after all: the backslash goes out as typed.
                send(QByteArrayLiteral("\\"));
                send(QByteArray(1, ch));
                m_state = 0;
            }
            break;
        default:
            if (AccumHexDigit(ch, m_acc) >= 0) {
                send(oneByte(m_acc));
                m_state = 0;
            } else if (ch == '\\') {
                // A one-digit escape, and the backslash opens the next one.
                send(oneByte(m_acc));
                m_acc = 0;
                m_state = 1;
            } else {
                send(oneByte(m_acc));
                send(QByteArray(1, ch));
                m_state = 0;
            }
            break;
        }
    }
}
