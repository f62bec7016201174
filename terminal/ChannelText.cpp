// The channel selector's texts: channel character, box text and the reading of a typed channel.
#include "terminal/ChannelText.h"

#include <cmath>

char channelChar(int channel)
{
    return static_cast<char>('0' + channel);
}

QString channelBoxText(int channel)
{
    return QStringLiteral("%1 (%2)").arg(channel).arg(QLatin1Char(channelChar(channel)));
}

namespace
{
// The decimal number a text begins with (leading blanks and a sign allowed, a fraction too);
// 0 when it begins with none.
double leadingNumber(const QString& text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && (text.at(i) == QLatin1Char(' ') || text.at(i) == QLatin1Char('\t')))
        ++i;
    bool negative = false;
    if (i < n && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-'))) {
        negative = text.at(i) == QLatin1Char('-');
        ++i;
    }
    double value = 0;
    while (i < n && text.at(i) >= QLatin1Char('0') && text.at(i) <= QLatin1Char('9')) {
        value = value * 10 + (text.at(i).unicode() - '0');
        ++i;
    }
    if (i < n && text.at(i) == QLatin1Char('.')) {
        ++i;
        double scale = 0.1;
        while (i < n && text.at(i) >= QLatin1Char('0') && text.at(i) <= QLatin1Char('9')) {
            value += scale * (text.at(i).unicode() - '0');
            scale /= 10;
            ++i;
        }
    }
    return negative ? -value : value;
}
} // namespace

int parseChannelText(const QString& text, int minimum, int maximum)
{
    double value = 0;
    const char16_t first = text.isEmpty() ? u'\0' : text.at(0).unicode();
    if (text.size() == 1 && first >= u'1' && first <= u'X')
        value = first - u'0';
    else
        value = std::round(leadingNumber(text));
    // Clamped while still a double, so that a very long number cannot overflow an int.
    if (value > maximum)
        value = maximum;
    if (value < minimum)
        value = minimum;
    return static_cast<int>(value);
}
