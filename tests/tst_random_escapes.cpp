// Seeded random inputs for the "\hh" escape decoder: no byte sequence upsets it, and the
// notations the program writes decode back to the bytes they stand for.
#include "support/DataTable.h"
#include "support/SeededCases.h"
#include "terminal/EscapeDecoder.h"
#include "terminal/MsgLog.h"

#include <QtTest>
#include <random>

namespace
{

// Character classes a generated text draws from, to reach every state often.
enum class Mix {
    AnyByte,       // all 256 codes alike
    EscapeHeavy,   // mostly backslashes and hex digits, some other characters
    BackslashRuns, // long runs of backslashes between hex digits
};

QByteArray randomText(std::mt19937& rng, Mix mix, int maxLength)
{
    static const QByteArray hexish = QByteArrayLiteral("0123456789abcdefABCDEFgG\\\\\\xZ \r\n");
    std::uniform_int_distribution<int> length(0, maxLength);
    std::uniform_int_distribution<int> anyByte(0, 255);
    std::uniform_int_distribution<int> pick(0, int(hexish.size()) - 1);
    std::uniform_int_distribution<int> percent(0, 99);
    QByteArray text;
    const int n = length(rng);
    text.reserve(n);
    for (int i = 0; i < n; ++i) {
        switch (mix) {
        case Mix::AnyByte:
            text += char(anyByte(rng));
            break;
        case Mix::EscapeHeavy:
            text += percent(rng) < 85 ? hexish.at(pick(rng)) : char(anyByte(rng));
            break;
        case Mix::BackslashRuns:
            text += percent(rng) < 60 ? '\\' : hexish.at(pick(rng) % 22);
            break;
        }
    }
    return text;
}

// What one decode call hands out, and whether each hand-out was exactly one byte.
struct Decoded {
    QByteArray bytes;
    bool allSingle = true;
};

void decodeInto(EscapeDecoder& decoder, const QByteArray& text, Decoded& out)
{
    decoder.decode(text, [&out](const QByteArray& one) {
        if (one.size() != 1)
            out.allSingle = false;
        out.bytes += one;
    });
}

QString describe(const QByteArray& text)
{
    return QString::fromLatin1(text.toHex(' '));
}

bool isHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

} // namespace

Q_DECLARE_METATYPE(Mix)

class tst_random_escapes : public QObject
{
    Q_OBJECT

private slots:
    void anySequenceDecodesSafely_data();
    void anySequenceDecodesSafely();
    void encodedBytesDecodeBack_data();
    void encodedBytesDecodeBack();
    void logNotationDecodesBack_data();
    void logNotationDecodesBack();
    void hexDigitAccumulates_data();
    void hexDigitAccumulates();
};

void tst_random_escapes::anySequenceDecodesSafely_data()
{
    addColumns<quint32, Mix, int>({"seed", "mix", "cases"});
    QTest::newRow("any byte") << 101u << Mix::AnyByte << 40000;
    QTest::newRow("escape heavy") << 202u << Mix::EscapeHeavy << 50000;
    QTest::newRow("backslash runs") << 303u << Mix::BackslashRuns << 30000;
}

// Whatever is typed: each hand-out is one byte, the state stays one of the three, no more bytes
// come out than characters went in, and cutting the text into pieces sent one after another
// changes nothing (an escape left open is completed by the next piece).
void tst_random_escapes::anySequenceDecodesSafely()
{
    QFETCH(Mix, mix);
    runSeededCases([&](std::mt19937& rng, int) -> QString {
        const QByteArray text = randomText(rng, mix, 24);

        EscapeDecoder whole;
        Decoded all;
        decodeInto(whole, text, all);

        EscapeDecoder pieces;
        Decoded cut;
        qsizetype at = 0;
        while (at < text.size()) {
            const qsizetype len = std::uniform_int_distribution<qsizetype>(1, 4)(rng);
            decodeInto(pieces, text.mid(at, len), cut);
            at += len;
        }

        const bool plain = !text.contains('\\');
        if (!all.allSingle || !cut.allSingle || whole.state() < 0 || whole.state() > 2 ||
            all.bytes.size() > text.size() || all.bytes != cut.bytes ||
            whole.state() != pieces.state() || whole.accumulator() != pieces.accumulator() ||
            (plain && all.bytes != text))
            return QStringLiteral("text [%1] gave [%2] whole, [%3] in pieces")
                .arg(describe(text), describe(all.bytes), describe(cut.bytes));
        return {};
    });
}

void tst_random_escapes::encodedBytesDecodeBack_data()
{
    addColumns<quint32, int, int>({"seed", "plainPercent", "cases"});
    QTest::newRow("all escaped") << 11u << 0 << 35000;
    QTest::newRow("half plain") << 12u << 50 << 35000;
    QTest::newRow("mostly plain") << 13u << 90 << 30000;
}

// Any bytes written as "\hh" (either case) or "\h", a backslash as "\\", and the other bytes
// possibly as themselves, decode to the very bytes, with no escape left open. A plain character
// right after an escape must not be taken as part of it, nor lost.
void tst_random_escapes::encodedBytesDecodeBack()
{
    QFETCH(int, plainPercent);
    static const char upper[] = "0123456789ABCDEF";
    static const char lower[] = "0123456789abcdef";
    std::uniform_int_distribution<int> anyByte(0, 255);
    std::uniform_int_distribution<int> length(0, 16);
    std::uniform_int_distribution<int> percent(0, 99);
    runSeededCases([&](std::mt19937& rng, int) -> QString {
        QByteArray bytes;
        QList<QByteArray> pieces;
        const int n = length(rng);
        for (int i = 0; i < n; ++i) {
            const quint8 b = quint8(anyByte(rng));
            bytes += char(b);
            const char* digits = percent(rng) < 50 ? upper : lower;
            if (b == '\\' && percent(rng) < plainPercent)
                pieces << QByteArrayLiteral("\\\\");
            else if (b != '\\' && percent(rng) < plainPercent)
                pieces << QByteArray(1, char(b));
            else
                pieces << QByteArray(1, '\\') + digits[b >> 4] + digits[b & 0x0F];
        }
        // A byte below 16 may be written with one digit where the next character typed is no
        // hex digit: that character then ends the escape and goes out itself.
        QByteArray typed;
        for (int i = 0; i < n; ++i) {
            if (quint8(bytes.at(i)) < 16 && pieces.at(i).size() == 3 && i + 1 < n &&
                !isHexDigit(pieces.at(i + 1).at(0)) && percent(rng) < 50)
                pieces[i].remove(1, 1);
            typed += pieces.at(i);
        }
        EscapeDecoder decoder;
        Decoded out;
        decodeInto(decoder, typed, out);
        if (out.bytes != bytes || !out.allSingle || decoder.state() != 0)
            return QStringLiteral("bytes [%1] typed [%2] decoded to [%3]")
                .arg(describe(bytes), QString::fromLatin1(typed), describe(out.bytes));
        return {};
    });
}

void tst_random_escapes::logNotationDecodesBack_data()
{
    addColumns<quint32, bool, int>({"seed", "hexMode", "cases"});
    QTest::newRow("hex mode") << 21u << true << 40000;
    QTest::newRow("chars mode") << 22u << false << 40000;
}

// What the message window shows of received bytes can be pasted into the command input and sends
// the same bytes again: in hex mode all of them, in character mode all but CR and LF, which the
// window does not show.
void tst_random_escapes::logNotationDecodesBack()
{
    QFETCH(bool, hexMode);
    std::uniform_int_distribution<int> anyByte(0, 255);
    std::uniform_int_distribution<int> length(0, 16);
    runSeededCases([&](std::mt19937& rng, int) -> QString {
        QByteArray bytes;
        QString shown;
        QByteArray expected;
        const int n = length(rng);
        for (int i = 0; i < n; ++i) {
            const quint8 b = quint8(anyByte(rng));
            bytes += char(b);
            shown += visibleForm(b, hexMode);
            if (hexMode || (b != 13 && b != 10))
                expected += char(b);
        }
        EscapeDecoder decoder;
        Decoded out;
        decodeInto(decoder, shown.toLatin1(), out);
        if (out.bytes != expected || decoder.state() != 0)
            return QStringLiteral("bytes [%1] shown as [%2] decoded to [%3]")
                .arg(describe(bytes), shown, describe(out.bytes));
        return {};
    });
}

void tst_random_escapes::hexDigitAccumulates_data()
{
    addColumns<quint32, int>({"seed", "accumulatorsPerCharacter"});
    QTest::newRow("every character") << 31u << 1000;
}

// Every character against random accumulators, the extremes included: a hex digit shifts its
// value in, wrapping within 16 bits; any other character leaves the accumulator alone.
void tst_random_escapes::hexDigitAccumulates()
{
    QFETCH(int, accumulatorsPerCharacter);
    std::mt19937 rng = rowGenerator();
    std::uniform_int_distribution<int> any16(-32768, 32767);
    for (int code = 0; code < 256; ++code) {
        const char ch = char(code);
        for (int k = 0; k < accumulatorsPerCharacter; ++k) {
            const qint16 before = k == 0 ? qint16(32767) : k == 1 ? qint16(-32768) : any16(rng);
            qint16 acc = before;
            const qint16 value = AccumHexDigit(ch, acc);
            const int expectedValue =
                !isHexDigit(ch) ? -1
                                : QByteArray("0123456789ABCDEF").indexOf(char(std::toupper(code)));
            const qint16 expectedAcc =
                expectedValue < 0
                    ? before
                    : qint16(quint16((quint32(quint16(before)) << 4) + quint32(expectedValue)));
            if (value != expectedValue || acc != expectedAcc)
                QFAIL(qPrintable(QStringLiteral("character %1 with %2 gave %3 and %4")
                                     .arg(code)
                                     .arg(before)
                                     .arg(value)
                                     .arg(acc)));
        }
    }
}

QTEST_GUILESS_MAIN(tst_random_escapes)
#include "tst_random_escapes.moc"
