// Reads a fuzzer's input as a stream of operations: one byte at a time, or runs of bytes.
#pragma once

#include <QByteArray>
#include <cstddef>
#include <cstdint>

class OpReader
{
public:
    OpReader(const uint8_t* data, size_t size)
        : m_data(reinterpret_cast<const char*>(data)), m_size(static_cast<qsizetype>(size))
    {
    }

    bool atEnd() const { return m_at >= m_size; }
    // The next byte; 0 once the input is used up.
    quint8 byte() { return atEnd() ? 0 : static_cast<quint8>(m_data[m_at++]); }
    // The next count bytes, or as many as are left.
    QByteArray bytes(qsizetype count)
    {
        const qsizetype n = qMin(count, m_size - m_at);
        const QByteArray out(m_data + m_at, n);
        m_at += n;
        return out;
    }

private:
    const char* m_data;
    qsizetype m_size;
    qsizetype m_at = 0;
};
