// The remote station that sends every packet it receives back unchanged, over a faulty link.
#pragma once

#include <QByteArray>
#include <QHash>
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
    static constexpr int kDefaultLatencyMs = 30;

    explicit LoopbackPartner(quint32 seed = 1) : m_random(seed) {}
    void seed(quint32 seed) { m_random.seed(seed); }

    // The echo of a packet, or nothing when the link loses it.
    std::optional<QByteArray> echo(const QByteArray& packet, const LinkFaults& faults);

    // --- The partner and its link as set up ---
    // Present, answering after 30 ms, over a clean link on every channel.
    void resetLink();
    bool isPresent() const { return m_present; }
    void setPresent(bool present) { m_present = present; }
    int latencyMs() const { return m_latencyMs; }
    void setLatencyMs(int ms);
    // Faults of the link on one channel (1..40), or on every channel.
    LinkFaults faults(int channel) const { return m_channelFaults.value(channel, m_faults); }
    void setFaults(int channel, const LinkFaults& faults);
    void setFaults(const LinkFaults& faults);
    // Loss probability on every channel, the other faults kept.
    double lossRate() const { return m_faults.loss; }
    void setLossRate(double probability);

private:
    bool chance(double probability);
    qsizetype position(qsizetype size);

    std::mt19937 m_random;
    bool m_present = true;
    int m_latencyMs = kDefaultLatencyMs;
    LinkFaults m_faults;
    QHash<int, LinkFaults> m_channelFaults; // channels that differ from m_faults
};
