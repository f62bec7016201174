// The leading decimal number of a text, read exactly.
#include "terminal/LeadingNumber.h"

#include <charconv>
#include <limits>

namespace
{
bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}
} // namespace

double leadingNumber(QByteArrayView text)
{
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const qsizetype start = i;
    bool digits = false;
    bool point = false;
    bool wholeAboveZero = false;
    for (; i < n; ++i) {
        const char c = text[i];
        if (isDigit(c)) {
            digits = true;
            wholeAboveZero = wholeAboveZero || (!point && c != '0');
        } else if (c == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (!digits)
        return 0.0;
    double value = 0.0;
    const std::from_chars_result read =
        std::from_chars(text.data() + start, text.data() + i, value, std::chars_format::fixed);
    // Out of range: too large for a double with a whole part, too small to be anything but zero
    // without one.
    if (read.ec == std::errc::result_out_of_range)
        value = wholeAboveZero ? std::numeric_limits<double>::max() : 0.0;
    else if (read.ec != std::errc())
        value = 0.0;
    return negative ? -value : value;
}
