// The receive path's capture buffer without a window: what one receive event keeps or shows.
#pragma once

#include <QByteArray>
#include <array>

// Where an exchange collects the modem's reply while it waits.
using RxBuffer = std::array<quint8, 512>;

// One receive event. While capturing, the bytes go into the buffer after the count it holds, as
// many as fit (a longer reply keeps its first 512 bytes), and nothing is to be shown. While
// showing, the bytes a capture left behind come first, then the new ones: all of them are
// returned to be shown, and the buffer is left empty. A count out of range keeps what it can:
// nothing is stored at a negative count, and a count beyond the buffer shows the whole buffer.
QByteArray rxAccept(RxBuffer& buf, qint16& count, bool capturing, const QByteArray& bytes);

// The reply a capture holds: the first count bytes of the buffer, as far as it reaches.
QByteArray rxCaptured(const RxBuffer& buf, qint16 count);
