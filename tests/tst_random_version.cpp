// Seeded random replies to the version query: well-formed ones give their version text and
// number whatever the header holds, and no reply at all upsets the parser.
#include "script/FirmwareVersion.h"
#include "support/DataTable.h"
#include "support/SeededCases.h"

#include <QtTest>
#include <cmath>
#include <random>

namespace
{

const QByteArray kOK = QByteArrayLiteral("OK\r\n");

QString describe(const QByteArray& bytes)
{
    return QString::fromLatin1(bytes.toHex(' '));
}

QByteArray randomBytes(std::mt19937& rng, int length, bool allowCR)
{
    std::uniform_int_distribution<int> anyByte(0, 255);
    QByteArray bytes;
    while (bytes.size() < length) {
        const char b = char(anyByte(rng));
        if (allowCR || b != '\r')
            bytes += b;
    }
    return bytes;
}

// A version text "major.minor" with minor digits, maybe a suffix; and the number it stands for.
struct Version {
    QByteArray text;
    int major = 0;
    int minor = 0;       // as written, with minorDigits digits
    int minorDigits = 0; // 0: no fraction written
    double number() const { return major + minor / std::pow(10.0, minorDigits); }
};

Version randomVersion(std::mt19937& rng)
{
    static const QList<QByteArray> suffixes = {"", "", "b", "-rc1", " beta", ".7", "x2"};
    std::uniform_int_distribution<int> major(0, 12);
    std::uniform_int_distribution<int> digits(0, 3);
    std::uniform_int_distribution<int> digit(0, 9);
    std::uniform_int_distribution<int> suffix(0, int(suffixes.size()) - 1);
    Version v;
    v.major = major(rng);
    v.text = QByteArray::number(v.major);
    v.minorDigits = digits(rng);
    if (v.minorDigits > 0) {
        v.text += '.';
        for (int i = 0; i < v.minorDigits; ++i) {
            const int d = digit(rng);
            v.minor = v.minor * 10 + d;
            v.text += char('0' + d);
        }
    }
    const QByteArray tail = suffixes.at(suffix(rng));
    // A suffix starting with a point would continue a number that has no fraction yet.
    if (!(tail.startsWith('.') && v.minorDigits == 0))
        v.text += tail;
    return v;
}

} // namespace

class tst_random_version : public QObject
{
    Q_OBJECT

private slots:
    void wellFormedRepliesGiveTheirVersion_data();
    void wellFormedRepliesGiveTheirVersion();
    void anyReplyIsReadSafely_data();
    void anyReplyIsReadSafely();
    void newCommandsFromAbove122_data();
    void newCommandsFromAbove122();
};

void tst_random_version::wellFormedRepliesGiveTheirVersion_data()
{
    addColumns<quint32, bool, int>({"seed", "numeric", "cases"});
    QTest::newRow("version numbers") << 71u << true << 100000;
    QTest::newRow("any version text") << 72u << false << 60000;
}

// Four header characters of any value (CR, LF and blanks too), the version text, blanks, CR LF
// and the positive reply: the text comes back without its trailing blanks and the header never
// shows in it; a version number is read from the text's start.
void tst_random_version::wellFormedRepliesGiveTheirVersion()
{
    QFETCH(bool, numeric);
    std::uniform_int_distribution<int> blanks(0, 3);
    std::uniform_int_distribution<int> length(0, 12);
    runSeededCases([&](std::mt19937& rng, int) -> QString {
        const QByteArray header = randomBytes(rng, 4, true);
        Version version;
        if (numeric)
            version = randomVersion(rng);
        else
            version.text = randomBytes(rng, length(rng), false);
        QByteArray expected = version.text;
        while (expected.endsWith(' '))
            expected.chop(1);
        const QByteArray reply =
            header + version.text + QByteArray(blanks(rng), ' ') + "\r\n" + kOK;

        const FirmwareVersion got = parseFirmwareVersion(reply);
        const bool numberRight =
            numeric ? std::abs(got.number - version.number()) < 1e-9 : std::isfinite(got.number);
        if (got.text != expected || !numberRight)
            return QStringLiteral("reply [%1] gave [%2] %3")
                .arg(describe(reply), describe(got.text))
                .arg(got.number);
        return {};
    });
}

void tst_random_version::anyReplyIsReadSafely_data()
{
    addColumns<quint32, int, int>({"seed", "okPercent", "cases"});
    QTest::newRow("random bytes") << 81u << 0 << 60000;
    QTest::newRow("random bytes ending in OK") << 82u << 100 << 80000;
    QTest::newRow("short replies") << 83u << 50 << 40000;
}

// Any bytes at all: a reply without the positive reply at its end is "unknown" and 0; one with it
// gives a text found right after the header and before blanks and the first CR there, with no CR
// in it and no trailing blank, and the number read from that text.
void tst_random_version::anyReplyIsReadSafely()
{
    QFETCH(int, okPercent);
    const bool shortReplies = QByteArray(QTest::currentDataTag()) == "short replies";
    std::uniform_int_distribution<int> length(0, shortReplies ? 4 : 30);
    std::uniform_int_distribution<int> percent(0, 99);
    runSeededCases([&](std::mt19937& rng, int) -> QString {
        QByteArray reply = randomBytes(rng, length(rng), true);
        if (percent(rng) < okPercent)
            reply += kOK;
        const FirmwareVersion got = parseFirmwareVersion(reply);
        QString fault;
        if (!reply.endsWith(kOK)) {
            if (got.text != "unknown" || got.number != 0.0)
                fault = QStringLiteral("a reply without OK was read");
        } else if (got.text != "unknown" || got.number != 0.0) {
            const QByteArray body = reply.mid(4);
            const QByteArray rest = body.mid(got.text.size());
            qsizetype blanksEnd = 0;
            while (blanksEnd < rest.size() && rest.at(blanksEnd) == ' ')
                ++blanksEnd;
            if (!body.startsWith(got.text) || got.text.contains('\r') || got.text.endsWith(' ') ||
                blanksEnd >= rest.size() || rest.at(blanksEnd) != '\r' ||
                got.number != leadingNumber(got.text) || !std::isfinite(got.number))
                fault = QStringLiteral("the text is not the one before the first CR");
        } else if (reply.mid(4).contains('\r')) {
            // With a CR after the header the reply is readable; "unknown" can only be its text.
            if (!reply.mid(4).startsWith("unknown"))
                fault = QStringLiteral("a readable reply was taken as unknown");
        }
        if (!fault.isEmpty())
            return QStringLiteral("reply [%1] gave [%2] %3: %4")
                .arg(describe(reply), describe(got.text))
                .arg(got.number)
                .arg(fault);
        return {};
    });
}

void tst_random_version::newCommandsFromAbove122_data()
{
    addColumns<quint32, int>({"seed", "cases"});
    QTest::newRow("around 1.22") << 91u << 60000;
}

// Firmware newer than 1.22 takes the new commands, 1.22 itself and older the old ones, however
// many digits the version is written with.
void tst_random_version::newCommandsFromAbove122()
{
    std::uniform_int_distribution<int> major(0, 2);
    std::uniform_int_distribution<int> minor(0, 999);
    std::uniform_int_distribution<int> zeros(0, 2);
    runSeededCases([&](std::mt19937& rng, int c) -> QString {
        const int thousandths = major(rng) * 1000 + (c % 3 == 0 ? 220 : minor(rng));
        QByteArray text = QByteArray::number(thousandths / 1000) + '.' +
                          QByteArray::number(thousandths % 1000).rightJustified(3, '0') +
                          QByteArray(zeros(rng), '0');
        const FirmwareVersion got = parseFirmwareVersion("FW: " + text + "  \r\n" + kOK);
        if (got.hasNewCommands() != (thousandths > 1220))
            return QStringLiteral("version %1 read as %2, new commands %3")
                .arg(QString::fromLatin1(text))
                .arg(got.number, 0, 'g', 17)
                .arg(got.hasNewCommands());
        return {};
    });
}

QTEST_GUILESS_MAIN(tst_random_version)
#include "tst_random_version.moc"
