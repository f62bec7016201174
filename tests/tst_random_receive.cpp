// Seeded random event sequences on the receive path of a window: bytes in both display modes,
// line conditions, and exchanges whose replies run past the 512-byte capture buffer.
#include "support/DataTable.h"
#include "support/RunSuite.h"
#include "terminal/MsgLog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QtTest>
#include <random>

namespace
{

struct Shape {
    int feedPercent;    // share of received bytes among the events
    int eventPercent;   // share of line conditions
    int bigFeedPercent; // share of feeds longer than the capture buffer
    int maxReply;       // longest reply an exchange gets
};

// The line conditions a port reports and what each one writes and counts (index -1: nothing).
struct Condition {
    qint16 code;
    const char* line;
    int counter;
};

const Condition kConditions[] = {
    {comEventBreak, "Break", -1},
    {comEventFrame, "Frame error", 10},
    {comEventOverrun, "Overrun error", 8},
    {comEventRxOver, "Rx Overflow error", 9},
    {comEventRxParity, "Parity error", -1},
    // Send, CTS, DSR, carrier, ring and the three line time-outs change nothing.
    {comEvSend, nullptr, -1},
    {comEvCTS, nullptr, -1},
    {comEvDSR, nullptr, -1},
    {comEvCD, nullptr, -1},
    {comEvRing, nullptr, -1},
    {comEventCTSTO, nullptr, -1},
    {comEventDSRTO, nullptr, -1},
    {comEventCDTO, nullptr, -1},
};

QByteArray randomBytes(std::mt19937& rng, int length)
{
    std::uniform_int_distribution<int> anyByte(0, 255);
    QByteArray bytes(length, Qt::Uninitialized);
    for (char& b : bytes)
        b = char(anyByte(rng));
    return bytes;
}

} // namespace

Q_DECLARE_METATYPE(Shape)

class tst_random_receive : public RunSuite
{
    Q_OBJECT

private slots:
    void init()
    {
        RunSuite::init();
        openScripted();
    }

    void randomEventSequences_data();
    void randomEventSequences();
};

void tst_random_receive::randomEventSequences_data()
{
    addColumns<quint32, Shape, int>({"seed", "shape", "sequences"});
    QTest::newRow("mostly bytes") << 1001u << Shape{70, 15, 3, 600} << 250;
    QTest::newRow("mostly exchanges") << 1002u << Shape{30, 10, 5, 1500} << 150;
    QTest::newRow("line conditions") << 1003u << Shape{40, 50, 2, 100} << 250;
}

// Each sequence starts from a cleared message window. Received bytes must show exactly as the
// log shows them in the mode selected when they arrive, after any bytes an earlier capture left
// behind; line conditions write their line and count where they should; an exchange returns the
// first 512 bytes of its reply at most, shows nothing, and leaves nothing behind.
void tst_random_receive::randomEventSequences()
{
    QFETCH(quint32, seed);
    QFETCH(Shape, shape);
    QFETCH(int, sequences);
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> percent(0, 99);
    std::uniform_int_distribution<int> smallFeed(0, 64);
    std::uniform_int_distribution<int> bigFeed(513, 1500);
    std::uniform_int_distribution<int> steps(1, 30);
    std::uniform_int_distribution<int> condition(0, int(std::size(kConditions)) - 1);
    std::uniform_int_distribution<int> replyLength(0, shape.maxReply);
    std::uniform_int_distribution<int> minBytes(0, 600);
    std::uniform_int_distribution<int> shortWait(1, 3);

    std::array<qint32, 11> counts = door().Stats();
    // What the window still holds from before: at start-up the two bytes of its reset.
    QByteArray held(reinterpret_cast<const char*>(door().RxBuf().data()),
                    qBound(0, int(door().RxCount()), 512));

    for (int s = 0; s < sequences; ++s) {
        win().session().MsgWin_Clear();
        MsgLog expected;
        const int n = steps(rng);
        QStringList story;
        for (int k = 0; k < n; ++k) {
            const bool hex = percent(rng) < 50;
            fx->control<QComboBox>("RxShowMode")->setCurrentIndex(hex ? 1 : 0);
            const int roll = percent(rng);
            if (roll < shape.feedPercent) {
                const QByteArray bytes = randomBytes(
                    rng, percent(rng) < shape.bigFeedPercent ? bigFeed(rng) : smallFeed(rng));
                story << QStringLiteral("feed %1 %2").arg(bytes.size()).arg(hex ? "hex" : "chars");
                QVERIFY(line->feed(bytes));
                QCoreApplication::processEvents();
                if (!bytes.isEmpty()) {
                    for (const char b : held + bytes)
                        expected.outputByte(quint8(b), hex);
                    held.clear();
                }
            } else if (roll < shape.feedPercent + shape.eventPercent) {
                const Condition& c = kConditions[condition(rng)];
                story << QStringLiteral("event %1").arg(c.code);
                QVERIFY(line->lineEvent(c.code));
                QCoreApplication::processEvents();
                if (c.line)
                    expected.outputLine(QString::fromLatin1(c.line));
                if (c.counter >= 0)
                    ++counts[size_t(c.counter)];
            } else {
                const QByteArray reply = randomBytes(rng, replyLength(rng));
                const bool silent = percent(rng) < 10;
                const QByteArray command = silent ? QByteArray() : QByteArrayLiteral("?");
                const qint16 least = qint16(minBytes(rng));
                // Waits that cannot end early are kept short; the others end with the reply.
                const bool endsEarly =
                    !silent && least > 0 && least <= std::min<int>(reply.size(), 512);
                const qint16 timeout = endsEarly ? 5000 : qint16(shortWait(rng));
                story << QStringLiteral("exchange %1 bytes, min %2").arg(reply.size()).arg(least);
                line->setResponder([this, reply](const QByteArray&) {
                    // The reply arrives in a few pieces, all before the window looks.
                    for (qsizetype at = 0; at < reply.size(); at += 200)
                        line->feed(reply.mid(at, 200));
                });
                const QStringList before = fx->logLines();
                const QByteArray got = door().Modem_Transact(command, least, timeout);
                line->setResponder({});
                const QByteArray want = silent ? QByteArray() : reply.left(512);
                if (got != want || fx->logLines() != before || door().RxCount() != 0 ||
                    !door().RxNotCapturing() || !line->unread().isEmpty())
                    QFAIL(qPrintable(QStringLiteral("sequence %1, %2: got %3 bytes for %4")
                                         .arg(s)
                                         .arg(story.join(QStringLiteral(", ")))
                                         .arg(got.size())
                                         .arg(want.size())));
                held.clear();
            }
            for (int i = 8; i <= 10; ++i) {
                if (door().Stats()[size_t(i)] != counts[size_t(i)] ||
                    door().StatsView().value(i)->text() != QString::number(counts[size_t(i)]))
                    QFAIL(qPrintable(QStringLiteral("sequence %1, %2: counter %3 is %4, shows %5")
                                         .arg(s)
                                         .arg(story.join(QStringLiteral(", ")))
                                         .arg(i)
                                         .arg(door().Stats()[size_t(i)])
                                         .arg(door().StatsView().value(i)->text())));
            }
        }
        if (fx->logLines() != expected.lines())
            QFAIL(qPrintable(QStringLiteral("sequence %1, %2:\nshown    %3\nexpected %4")
                                 .arg(s)
                                 .arg(story.join(QStringLiteral(", ")),
                                      fx->logLines().join(QStringLiteral(" | ")),
                                      expected.lines().join(QStringLiteral(" | ")))));
    }
    QVERIFY(line->isOpen());
}

QTEST_MAIN(tst_random_receive)
#include "tst_random_receive.moc"
