// The channel selector's texts: channel character, box text and the reading of a typed channel.
#include "terminal/ChannelText.h"
#include "terminal/LeadingNumber.h"

#include <cmath>

char channelChar(int channel)
{
    return static_cast<char>('0' + channel);
}

QString channelBoxText(int channel)
{
    return QStringLiteral("%1 (%2)").arg(channel).arg(QLatin1Char(channelChar(channel)));
}

int parseChannelText(const QString& text, int minimum, int maximum)
{
    double value = 0;
    const char16_t first = text.isEmpty() ? u'\0' : text.at(0).unicode();
    if (text.size() == 1 && first >= u'1' && first <= u'X')
        value = first - u'0';
    else
        value = std::round(leadingNumber(text.toLatin1()));
    // Clamped while still a double, so that a very long number cannot overflow an int.
    if (value > maximum)
        value = maximum;
    if (value < minimum)
        value = minimum;
    return static_cast<int>(value);
}
