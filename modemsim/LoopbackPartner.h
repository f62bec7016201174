// The remote station that sends every packet it receives back unchanged, over a faulty link.
#pragma once

#include <QByteArray>
#include <optional>
#include <random>

// What the radio link of one channel does to a packet and its echo. Each is a probability per
// packet, 0 to 1.
struct LinkFaults {
    double loss = 0.0;        // the echo never comes
    double corruption = 0.0;  // one byte of the echo is changed
    double extraByte = 0.0;   // one byte too many is inserted
    double missingByte = 0.0; // one byte is left out
    bool operator==(const LinkFaults&) const = default;
};

class LoopbackPartner
{
public:
    explicit LoopbackPartner(quint32 seed = 1) : m_random(seed) {}
    void seed(quint32 seed) { m_random.seed(seed); }

    // The echo of a packet, or nothing when the link loses it.
    std::optional<QByteArray> echo(const QByteArray& packet, const LinkFaults& faults);

private:
    bool chance(double probability);
    qsizetype position(qsizetype size);

    std::mt19937 m_random;
};
