// Byte timing on a serial line and what a receiver set up for another rate or format reads.
#pragma once

#include "platform/SerialDevice.h"

#include <QtGlobal>
#include <random>

// Nanoseconds one byte occupies on the line: its start, data, parity and stop bits at the baud
// rate.
qint64 byteTimeNs(const LineSettings& settings);

// A byte as it reaches the receiver.
struct ReceivedByte {
    quint8 byte = 0;
    bool frameError = false;
};

// What a receiver makes of bytes sent to it. With both ends set up alike each byte arrives as
// sent (cut to the data bits); when the rate or the format differs every byte arrives wrong,
// and now and then with a framing error, as on a real line.
class LineReceiver
{
public:
    explicit LineReceiver(quint32 seed = 1) : m_random(seed) {}
    void seed(quint32 seed) { m_random.seed(seed); }

    ReceivedByte receive(quint8 sent, const LineSettings& sender, const LineSettings& receiver);

private:
    std::mt19937 m_random;
};
