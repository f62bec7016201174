// Fuzzes the server address reader with any text: it never crashes, an address it reads gives
// back an address without password that reads to the same fields, and nothing it passes on to the
// driver holds a control character.
#include "FuzzCheck.h"
#include "records/ServerUri.h"

#include <cstdint>

namespace
{
bool hasControl(const QString& text)
{
    for (QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            return true;
    }
    return false;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const ServerUriParse parsed = parseServerUri(text);
    const QString shown = serverUriWithoutPassword(text);
    if (!parsed.error.isEmpty()) {
        FUZZ_CHECK(shown.isEmpty());
        return 0;
    }
    FUZZ_CHECK(parsed.uri.port >= 1 && parsed.uri.port <= 65535);
    FUZZ_CHECK(!hasControl(parsed.uri.connectOptions));
    FUZZ_CHECK(!shown.isEmpty());

    const ServerUriParse again = parseServerUri(shown);
    FUZZ_CHECK(again.error.isEmpty());
    ServerUri expected = parsed.uri;
    expected.password.clear();
    FUZZ_CHECK(again.uri == expected);
    FUZZ_CHECK(serverUriWithoutPassword(shown) == shown);
    return 0;
}
