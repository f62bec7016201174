// Seeded random texts typed into the channel box: every text gives a channel in range, numbers are
// read and rounded as typed, and what the box shows reads back as its channel.
#include "support/DataTable.h"
#include "support/SeededCases.h"
#include "terminal/ChannelText.h"

#include <QtTest>
#include <cmath>
#include <random>

namespace
{

QString describe(const QString& text)
{
    QStringList codes;
    for (const QChar ch : text)
        codes << QString::number(ch.unicode(), 16);
    return QStringLiteral("[%1] (%2)").arg(text, codes.join(QLatin1Char(' ')));
}

// A number as a user might type it: blanks, a sign, digits, maybe a fraction, then anything.
struct TypedNumber {
    QString text;
    double value = 0;
};

TypedNumber randomNumber(std::mt19937& rng, int maxIntegerDigits)
{
    std::uniform_int_distribution<int> digit(0, 9);
    std::uniform_int_distribution<int> percent(0, 99);
    std::uniform_int_distribution<int> digits(0, maxIntegerDigits);
    std::uniform_int_distribution<int> fractionDigits(1, 5);
    static const QStringList tails = {
        QString(),           QStringLiteral(" (A)"), QStringLiteral("abc"),
        QStringLiteral("."), QStringLiteral("e5"),   QStringLiteral(" 17"),
        QStringLiteral("-3")};
    std::uniform_int_distribution<int> tail(0, int(tails.size()) - 1);

    TypedNumber n;
    n.text = QString(percent(rng) < 30 ? percent(rng) % 4 : 0, QLatin1Char(' '));
    bool negative = false;
    const int sign = percent(rng);
    if (sign < 15) {
        n.text += QLatin1Char('-');
        negative = true;
    } else if (sign < 25) {
        n.text += QLatin1Char('+');
    }
    double magnitude = 0;
    const int intDigits = digits(rng);
    for (int i = 0; i < intDigits; ++i) {
        const int d = digit(rng);
        n.text += QChar(u'0' + d);
        magnitude = magnitude * 10 + d;
    }
    if (percent(rng) < 40) {
        // The first fraction digit decides the rounding; a 5 gets a non-zero digit after it, so
        // that no case is an exact tie.
        n.text += QLatin1Char('.');
        const int first = digit(rng);
        n.text += QChar(u'0' + first);
        magnitude += first / 10.0;
        const int more = fractionDigits(rng) - 1;
        for (int i = 0; i < more || (first == 5 && i == 0); ++i) {
            const int d = (first == 5 && i == 0) ? 1 + digit(rng) % 9 : digit(rng);
            n.text += QChar(u'0' + d);
            magnitude += d * std::pow(10.0, -(i + 2));
        }
    }
    // A tail that starts a number of its own may only follow a number already typed.
    const bool typedDigits = intDigits > 0 || n.text.contains(QLatin1Char('.'));
    QString after = tails.at(tail(rng));
    if (!typedDigits && (after == QStringLiteral(" 17") || after == QStringLiteral("-3")))
        after.clear();
    n.text += after;
    n.value = negative ? -magnitude : magnitude;
    return n;
}

} // namespace

class tst_random_channeltext : public QObject
{
    Q_OBJECT

private slots:
    void boxTextReadsBack_data();
    void boxTextReadsBack();
    void typedNumbersRoundAndClamp_data();
    void typedNumbersRoundAndClamp();
    void anyTextGivesAChannelInRange_data();
    void anyTextGivesAChannelInRange();
};

void tst_random_channeltext::boxTextReadsBack_data()
{
    addColumns<quint32, int>({"seed", "cases"});
    QTest::newRow("random ranges") << 41u << 60000;
}

// Within any range the box can have, the text written for a channel reads back as that channel,
// and so does its channel character typed alone; the character is the modem's code 48 + channel.
void tst_random_channeltext::boxTextReadsBack()
{
    std::uniform_int_distribution<int> channel(kChannelMin, kChannelMax);
    runSeededCases([&](std::mt19937& rng, int) -> QString {
        const int ch = channel(rng);
        const int low = std::uniform_int_distribution<int>(kChannelMin, ch)(rng);
        const int high = std::uniform_int_distribution<int>(ch, kChannelMax)(rng);
        const QString box = channelBoxText(ch);
        const QChar character = QLatin1Char(channelChar(ch));
        if (character.unicode() != 48 + ch ||
            box != QString::number(ch) + QStringLiteral(" (") + character + QLatin1Char(')') ||
            parseChannelText(box, low, high) != ch || parseChannelText(character, low, high) != ch)
            return QStringLiteral("channel %1 in %2..%3: box %4 reads %5")
                .arg(ch)
                .arg(low)
                .arg(high)
                .arg(describe(box))
                .arg(parseChannelText(box, low, high));
        return {};
    });
}

void tst_random_channeltext::typedNumbersRoundAndClamp_data()
{
    addColumns<quint32, int, int>({"seed", "maxIntegerDigits", "cases"});
    QTest::newRow("short numbers") << 51u << 2 << 80000;
    QTest::newRow("long numbers") << 52u << 30 << 40000;
}

// A typed number is rounded to the nearest channel and held within the range, however long it
// is; a single character "1".."X" alone is a channel character instead.
void tst_random_channeltext::typedNumbersRoundAndClamp()
{
    QFETCH(int, maxIntegerDigits);
    runSeededCases([&](std::mt19937& rng, int) -> QString {
        const TypedNumber n = randomNumber(rng, maxIntegerDigits);
        double expected = std::round(n.value);
        const QChar only = n.text.size() == 1 ? n.text.at(0) : QChar();
        if (n.text.size() == 1 && only >= QLatin1Char('1') && only <= QLatin1Char('X'))
            expected = only.unicode() - 48;
        expected = std::clamp(expected, double(kChannelMin), double(kChannelMax));
        const int got = parseChannelText(n.text);
        if (got != int(expected))
            return QStringLiteral("%1 read as %2, expected %3")
                .arg(describe(n.text))
                .arg(got)
                .arg(expected);
        return {};
    });
}

void tst_random_channeltext::anyTextGivesAChannelInRange_data()
{
    addColumns<quint32, int, int>({"seed", "maxCode", "cases"});
    QTest::newRow("printable ASCII") << 61u << 127 << 60000;
    QTest::newRow("any 16-bit code") << 62u << 0xFFFF << 60000;
}

// No text, however odd, gives a channel outside the range; a text starting with no number and
// not a channel character alone gives the lowest channel.
void tst_random_channeltext::anyTextGivesAChannelInRange()
{
    QFETCH(int, maxCode);
    std::uniform_int_distribution<int> code(1, maxCode);
    std::uniform_int_distribution<int> length(0, 12);
    runSeededCases([&](std::mt19937& rng, int) -> QString {
        QString text;
        const int n = length(rng);
        for (int i = 0; i < n; ++i)
            text += QChar(char16_t(code(rng)));
        const int low = std::uniform_int_distribution<int>(-5, 20)(rng);
        const int high = std::uniform_int_distribution<int>(low, 60)(rng);
        const int got = parseChannelText(text, low, high);
        const QString rest = text.trimmed();
        const bool numberFirst =
            !rest.isEmpty() && (rest.at(0).isDigit() || rest.at(0) == QLatin1Char('+') ||
                                rest.at(0) == QLatin1Char('-') || rest.at(0) == QLatin1Char('.'));
        const bool channelCharacter =
            text.size() == 1 && text.at(0) >= QLatin1Char('1') && text.at(0) <= QLatin1Char('X');
        if (got < low || got > high ||
            (!numberFirst && !channelCharacter && got != std::clamp(0, low, high)))
            return QStringLiteral("%1 in %2..%3 gave %4")
                .arg(describe(text))
                .arg(low)
                .arg(high)
                .arg(got);
        return {};
    });
}

QTEST_GUILESS_MAIN(tst_random_channeltext)
#include "tst_random_channeltext.moc"
