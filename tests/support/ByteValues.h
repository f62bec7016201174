// Every byte value once, for checking that a path passes each of them unchanged.
#pragma once

#include <QByteArray>

// The 256 byte values, 0 to 255, in order.
inline QByteArray allByteValues()
{
    QByteArray bytes;
    for (int i = 0; i < 256; ++i)
        bytes.append(char(i));
    return bytes;
}
