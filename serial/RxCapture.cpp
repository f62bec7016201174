// The capture buffer's rules: appending while capturing, handing back what to show otherwise.
#include "serial/RxCapture.h"

#include <algorithm>

namespace
{
constexpr qint16 kBufferSize = static_cast<qint16>(std::tuple_size_v<RxBuffer>);

qint16 held(qint16 count)
{
    return std::clamp<qint16>(count, 0, kBufferSize);
}
} // namespace

QByteArray rxAccept(RxBuffer& buf, qint16& count, bool capturing, const QByteArray& bytes)
{
    if (capturing) {
        // A reply longer than the buffer keeps its first bytes; the rest has no place.
        if (count < 0 || count >= kBufferSize)
            return {};
        const qsizetype taken = std::min<qsizetype>(kBufferSize - count, bytes.size());
        std::copy_n(bytes.constData(), taken, reinterpret_cast<char*>(buf.data()) + count);
        count = static_cast<qint16>(count + taken);
        return {};
    }
    // Bytes a capture left behind are shown first.
    const QByteArray left = rxCaptured(buf, count);
    count = 0;
    return left.isEmpty() ? bytes : left + bytes;
}

QByteArray rxCaptured(const RxBuffer& buf, qint16 count)
{
    return QByteArray(reinterpret_cast<const char*>(buf.data()), held(count));
}
