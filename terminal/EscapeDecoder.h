// The "\hh" escape decoder of the command input: a state machine that lives across sends.
#pragma once

#include <QByteArray>
#include <functional>

// Value of a hex digit '0'-'9', 'A'-'F', 'a'-'f', also shifted into acc (acc * 16 + value);
// -1 for any other character, acc unchanged.
qint16 AccumHexDigit(char ch, qint16& acc);

// Decodes text character by character. Each plain character or decoded byte is handed to the
// sender as its own one-byte write. An escape left open at the end of one call is completed by
// the next call.
class EscapeDecoder
{
public:
    using Sender = std::function<void(const QByteArray& oneByte)>;

    void decode(const QByteArray& text, const Sender& send);

    // 0 plain, 1 after a backslash, 2 after a backslash and one hex digit.
    qint16 state() const { return m_state; }
    qint16 accumulator() const { return m_acc; }

private:
    qint16 m_state = 0;
    qint16 m_acc = 0;
};
