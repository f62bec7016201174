// Byte timing and the garbling of a receiver whose rate or format differs from the sender's.
#include "modemsim/LineTiming.h"

#include "platform/CommSettings.h"

namespace
{

// About one wrong byte in six also raises a framing error.
constexpr unsigned kFrameErrorOneIn = 6;

quint8 dataMask(const LineSettings& settings)
{
    return static_cast<quint8>((1u << settings.dataBits) - 1u);
}

} // namespace

qint64 byteTimeNs(const LineSettings& settings)
{
    return qint64(bitsPerByte(settings)) * 1'000'000'000LL / settings.baud;
}

ReceivedByte LineReceiver::receive(quint8 sent, const LineSettings& sender,
                                   const LineSettings& receiver)
{
    if (sender == receiver)
        return {static_cast<quint8>(sent & dataMask(receiver)), false};
    // Sampled at the wrong instants the receiver never reads the byte that was sent.
    const quint8 flip = static_cast<quint8>(1 + m_random() % 255);
    const quint8 garbled = static_cast<quint8>((sent ^ flip) & dataMask(receiver));
    const quint8 wrong = garbled == (sent & dataMask(receiver))
                             ? static_cast<quint8>((garbled ^ 1) & dataMask(receiver))
                             : garbled;
    return {wrong, m_random() % kFrameErrorOneIn == 0};
}
