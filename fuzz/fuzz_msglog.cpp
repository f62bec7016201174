// Fuzzes the message window's line rules: byte output in chars and hex mode, line output and
// clearing, checked against the rules written out plainly and against what a view is told.
#include "FuzzCheck.h"
#include "LogObserverCheck.h"
#include "OpReader.h"
#include "ReferenceLog.h"
#include "terminal/MsgLog.h"

#include <cstdint>

namespace
{

// A line of the log as the window draws it holds no control character.
void checkShownText(const MsgLog& log)
{
    const QString shown = log.shownText();
    FUZZ_CHECK(shown.count(QLatin1Char('\n')) == log.lineCount() - 1);
    for (const QChar c : shown)
        FUZZ_CHECK(c == QLatin1Char('\n') || (c.unicode() >= 32 && c.unicode() != 127));
}

} // namespace

// Operations, by the low two bits of their first byte: 0 and 1 bytes in chars or hex mode
// (count, then the bytes), 2 a line (length, then its bytes as Latin-1, or as UTF-8 when bit 2
// is set), 3 one byte in the mode of bit 2, or clearing when the operation byte is 0xFF.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    OpReader in(data, size);
    MsgLog log;
    LogObserverCheck notices(log);
    log.setObserver(&notices);
    ReferenceLog reference;

    while (!in.atEnd()) {
        const quint8 op = in.byte();
        const bool flag = (op & 0x04) != 0;
        switch (op & 0x03) {
        case 0:
        case 1:
            for (const char b : in.bytes(in.byte())) {
                log.outputByte(static_cast<quint8>(b), op & 1);
                reference.outputByte(static_cast<quint8>(b), op & 1);
            }
            break;
        case 2: {
            const QByteArray raw = in.bytes(in.byte());
            const QString text = flag ? QString::fromUtf8(raw) : QString::fromLatin1(raw);
            log.outputLine(text);
            reference.outputLine(text);
            break;
        }
        default:
            if (op == 0xFF) {
                log.clear();
                reference.clear();
            } else {
                const quint8 b = in.byte();
                log.outputByte(b, flag);
                reference.outputByte(b, flag);
            }
            break;
        }
        FUZZ_CHECK(log.lineCount() == reference.lines.size());
    }
    FUZZ_CHECK(log.lines() == reference.lines);
    checkShownText(log);
    log.setObserver(nullptr);
    return 0;
}
