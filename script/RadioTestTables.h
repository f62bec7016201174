// The radio test's fixed data: the channels of each station type, the pattern, the counts.
#pragma once

#include <QByteArray>
#include <array>

namespace RadioTest
{

// Channels in test order; a counter per position.
inline constexpr std::array<int, 3> kMobileChannels{8, 40, 24};
inline constexpr std::array<int, 3> kBaseChannels{1, 32, 16};

inline constexpr const std::array<int, 3>& channelsFor(bool mobile)
{
    return mobile ? kMobileChannels : kBaseChannels;
}

// Two bytes of code 255, then the text; sent as bytes and echoed back by the partner.
inline const QByteArray kPattern =
    QByteArrayLiteral("\xFF\xFF") + QByteArrayLiteral("blahBLAHblahBLAHblahBLAH");

inline constexpr int kRepetitionsPerChannel = 24;
inline constexpr int kRepetitions = kRepetitionsPerChannel * int(kMobileChannels.size());
// An echo is awaited until the whole pattern is back or this time has passed.
inline constexpr qint16 kEchoWaitMs = 200;
// Error counters by channel position; the channel sets use the first three.
inline constexpr int kCounterCount = 10;

} // namespace RadioTest
