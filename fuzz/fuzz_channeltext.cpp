// Fuzzes the reading of a text typed into the channel box: whatever is typed, the channel is
// within the selector's range, a single channel character reads as its channel, and the box
// shows the channel with its character.
#include "FuzzCheck.h"
#include "terminal/ChannelText.h"

#include <cstdint>

namespace
{

void checkReading(const QString& text, int minimum, int maximum)
{
    const int channel = parseChannelText(text, minimum, maximum);
    FUZZ_CHECK(channel >= minimum && channel <= maximum);
    if (text.size() == 1 && text.at(0) >= QLatin1Char('1') && text.at(0) <= QLatin1Char('X')) {
        const int typed = text.at(0).unicode() - '0';
        FUZZ_CHECK(channel == qBound(minimum, typed, maximum));
    }
}

} // namespace

// The whole input is typed text, read as UTF-8 and as Latin-1 over the selector's range; with
// two bytes or more, the first two also set a range of their own for the rest.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray raw(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    for (const QString& text : {QString::fromUtf8(raw), QString::fromLatin1(raw)}) {
        checkReading(text, kChannelMin, kChannelMax);
        const int channel = parseChannelText(text);
        FUZZ_CHECK(channelBoxText(channel) == QString::number(channel) + QStringLiteral(" (") +
                                                  QChar(ushort('0' + channel)) +
                                                  QStringLiteral(")"));
    }
    if (raw.size() >= 2) {
        const int minimum = static_cast<qint8>(raw.at(0));
        const int maximum = minimum + static_cast<quint8>(raw.at(1));
        checkReading(QString::fromLatin1(raw.mid(2)), minimum, maximum);
    }
    return 0;
}
