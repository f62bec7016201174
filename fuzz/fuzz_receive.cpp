// Fuzzes the receive path: bytes arriving while an exchange captures its reply into the 512-byte
// buffer, or while they are shown in the message window, with captures begun and ended at any
// point and the buffer holding anything at the start.
#include "FuzzCheck.h"
#include "OpReader.h"
#include "ReferenceLog.h"
#include "serial/RxCapture.h"
#include "terminal/MsgLog.h"

#include <cstdint>

// The input starts with the buffer's count as two bytes (any 16-bit value; start-up leaves 2).
// Then operations, by their first byte modulo 5: 0 an exchange begins capturing (the buffer is
// emptied), 1 it ends and reads its reply (and empties the buffer), 2 bytes arrive (count, then
// the bytes), 3 the display switches between chars and hex, 4 capturing stops and leaves the
// buffer as it is.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    OpReader in(data, size);
    RxBuffer buf{};
    buf[0] = 0x55;
    buf[1] = 0x55;
    qint16 count = static_cast<qint16>(in.byte() | (in.byte() << 8));
    bool capturing = false;
    bool hexMode = false;
    MsgLog log;
    ReferenceLog reference;

    // What the buffer holds, as the rules say it must.
    QByteArray held(reinterpret_cast<const char*>(buf.data()), qBound<int>(0, count, 512));

    while (!in.atEnd()) {
        switch (in.byte() % 5) {
        case 0:
            capturing = true;
            count = 0;
            held.clear();
            break;
        case 1:
            FUZZ_CHECK(rxCaptured(buf, count) == held);
            capturing = false;
            count = 0;
            held.clear();
            break;
        case 2: {
            const QByteArray bytes = in.bytes(in.byte());
            const QByteArray shown = rxAccept(buf, count, capturing, bytes);
            if (capturing) {
                FUZZ_CHECK(shown.isEmpty());
                held = (held + bytes).left(512);
                FUZZ_CHECK(count == held.size());
                FUZZ_CHECK(rxCaptured(buf, count) == held);
                break;
            }
            FUZZ_CHECK(shown == held + bytes);
            FUZZ_CHECK(count == 0);
            held.clear();
            for (const char b : shown) {
                log.outputByte(static_cast<quint8>(b), hexMode);
                reference.outputByte(static_cast<quint8>(b), hexMode);
            }
            break;
        }
        case 3:
            hexMode = !hexMode;
            break;
        default:
            capturing = false;
            break;
        }
    }
    FUZZ_CHECK(log.lines() == reference.lines);
    return 0;
}
