// The channel selector's texts: the modem's channel character, the box text, and reading a typed
// text.
#pragma once

#include <QString>

// Lowest and highest channel of the selector.
inline constexpr int kChannelMin = 1;
inline constexpr int kChannelMax = 40;

// The character the modem takes for a channel: code 48 + channel (1 -> '1', 10 -> ':', 17 -> 'A').
char channelChar(int channel);

// "17 (A)": the channel number, a blank and the channel character in parentheses.
QString channelBoxText(int channel);

// The number a text typed into the channel box stands for, clamped to minimum..maximum:
// one character "1".."X" is read as the modem's channel character; anything else by the decimal
// number it begins with, rounded to the nearest integer (0 when it begins with no number).
int parseChannelText(const QString& text, int minimum = kChannelMin, int maximum = kChannelMax);
