// Fuzzes the "\hh" escape decoder with typed text: every piece goes out as one byte, and how the
// text is split over calls (a line at once, or key by key in immediate mode) changes nothing.
#include "FuzzCheck.h"
#include "terminal/EscapeDecoder.h"

#include <cstdint>

namespace
{

struct Decoded {
    QByteArray bytes;
    qint16 state = 0;
    qint16 accumulator = 0;
};

// Decodes the text in calls of at most chunk characters, as one decoder that lives across them.
Decoded decodeInChunks(const QByteArray& text, qsizetype chunk)
{
    EscapeDecoder decoder;
    Decoded out;
    for (qsizetype at = 0; at < text.size(); at += chunk)
        decoder.decode(text.mid(at, chunk), [&out](const QByteArray& oneByte) {
            FUZZ_CHECK(oneByte.size() == 1);
            out.bytes += oneByte;
        });
    out.state = decoder.state();
    out.accumulator = decoder.accumulator();
    return out;
}

bool isHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray text(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const Decoded whole = decodeInChunks(text, qMax<qsizetype>(text.size(), 1));

    // Never more bytes than characters: an escape only ever shortens the text.
    FUZZ_CHECK(whole.bytes.size() <= text.size());
    FUZZ_CHECK(whole.state >= 0 && whole.state <= 2);
    if (whole.state == 2)
        FUZZ_CHECK(whole.accumulator >= 0 && whole.accumulator <= 15);
    if (!text.contains('\\'))
        FUZZ_CHECK(whole.bytes == text);

    for (const qsizetype chunk : {qsizetype(1), qsizetype(2), qsizetype(3)}) {
        const Decoded split = decodeInChunks(text, chunk);
        FUZZ_CHECK(split.bytes == whole.bytes);
        FUZZ_CHECK(split.state == whole.state);
        FUZZ_CHECK(split.accumulator == whole.accumulator);
    }

    // Every character through the hex-digit reader: a digit's value shifted into the 16-bit
    // accumulator, or -1 and no change.
    qint16 acc = static_cast<qint16>(size);
    for (const char c : text) {
        const qint16 before = acc;
        const qint16 value = AccumHexDigit(c, acc);
        if (isHexDigit(c)) {
            FUZZ_CHECK(value >= 0 && value <= 15);
            FUZZ_CHECK(acc == static_cast<qint16>(static_cast<quint16>(before) * 16u +
                                                  static_cast<quint16>(value)));
        } else {
            FUZZ_CHECK(value == -1 && acc == before);
        }
    }
    return 0;
}
