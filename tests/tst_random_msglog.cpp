// Seeded random output for the message window's log: random bytes in both modes mixed with whole
// lines and clears, checked against the line rules by walking the resulting lines.
#include "support/DataTable.h"
#include "support/SeededCases.h"
#include "terminal/MsgLog.h"
#include "terminal/MsgLogModel.h"

#include <QAbstractItemModelTester>
#include <QtTest>
#include <random>

namespace
{

// One output operation: a byte in character or hex mode, a whole line, or a clear.
struct Op {
    enum Kind { Byte, Line, Clear } kind = Byte;
    quint8 byte = 0;
    bool hex = false;
    QString text;
};

// Texts for whole lines: empty ones, ASCII, and characters beyond Latin-1 that the log packs as
// UTF-8.
const QStringList kLineTexts = {
    QString(),
    QStringLiteral("  SENT(V)"),
    QStringLiteral("  GOT (OK\r\n) as expected."),
    QString::fromUtf8("Gr\xc3\xbc\xc3\x9f\x65 \xe2\x82\xac \xf0\x9f\x93\xa1"),
    QString(75, QLatin1Char('w')),
    QStringLiteral("x"),
};

struct Shape {
    int bytePercent; // share of byte operations
    int lfPercent;   // share of line feeds among the bytes
    int hexPercent;  // share of bytes in hex mode
    int clearPerMille;
};

QList<Op> randomOps(std::mt19937& rng, const Shape& shape, int count)
{
    std::uniform_int_distribution<int> percent(0, 99);
    std::uniform_int_distribution<int> perMille(0, 999);
    std::uniform_int_distribution<int> anyByte(0, 255);
    std::uniform_int_distribution<int> textIndex(0, int(kLineTexts.size()) - 1);
    QList<Op> ops;
    ops.reserve(count);
    for (int i = 0; i < count; ++i) {
        Op op;
        if (perMille(rng) < shape.clearPerMille) {
            op.kind = Op::Clear;
        } else if (percent(rng) < shape.bytePercent) {
            op.kind = Op::Byte;
            op.byte = percent(rng) < shape.lfPercent ? quint8(10) : quint8(anyByte(rng));
            op.hex = percent(rng) < shape.hexPercent;
        } else {
            op.kind = Op::Line;
            op.text = kLineTexts.at(textIndex(rng));
        }
        ops.append(op);
    }
    return ops;
}

void apply(MsgLog& log, const Op& op)
{
    switch (op.kind) {
    case Op::Byte:
        log.outputByte(op.byte, op.hex);
        break;
    case Op::Line:
        log.outputLine(op.text);
        break;
    case Op::Clear:
        log.clear();
        break;
    }
}

// The visible form of every byte in both modes, looked up once.
const QString& shownAs(quint8 byte, bool hex)
{
    static const std::array<QString, 512> forms = [] {
        std::array<QString, 512> all;
        for (int b = 0; b < 256; ++b) {
            all[size_t(b)] = visibleForm(quint8(b), false);
            all[size_t(256 + b)] = visibleForm(quint8(b), true);
        }
        return all;
    }();
    return forms[size_t(hex ? 256 + byte : byte)];
}

// Walks the operations since the last clear over the lines they produced. Byte output must show
// each byte's visible form in order, on the open line; a line breaks only after a line feed or
// before a byte (not a line feed) that finds it at 60 characters or more, and then it must end
// exactly there; a whole line fills an empty open line or follows a partly filled one. Every
// character of every line is accounted for. Returns an empty text, or what went wrong.
QString walk(const QList<Op>& ops, const QStringList& lines)
{
    qsizetype start = 0;
    for (qsizetype k = 0; k < ops.size(); ++k) {
        if (ops.at(k).kind == Op::Clear)
            start = k + 1;
    }
    const qsizetype m = lines.size();
    qsizetype i = 0;
    qsizetype pos = 0;
    const auto endsHere = [&](const char* what) -> QString {
        if (i >= m || lines.at(i).size() != pos)
            return QStringLiteral("line %1 should end at %2 (%3)").arg(i).arg(pos).arg(what);
        ++i;
        pos = 0;
        return {};
    };
    for (qsizetype k = start; k < ops.size(); ++k) {
        const Op& op = ops.at(k);
        QString fault;
        if (op.kind == Op::Line) {
            if (pos != 0)
                fault = endsHere("partly filled line before a whole line");
            if (fault.isEmpty()) {
                if (i >= m || lines.at(i) != op.text)
                    fault =
                        QStringLiteral("line %1 should be the whole line [%2]").arg(i).arg(op.text);
                ++i;
                pos = 0;
            }
        } else {
            const QString& piece = shownAs(op.byte, op.hex);
            if (op.byte != 10 && pos >= MsgLog::kByteLineLimit)
                fault = endsHere("forced break");
            if (fault.isEmpty() &&
                (i >= m || QStringView(lines.at(i)).mid(pos, piece.size()) != piece))
                fault = QStringLiteral("line %1 should hold [%2] at %3").arg(i).arg(piece).arg(pos);
            pos += piece.size();
            if (fault.isEmpty() && op.byte == 10)
                fault = endsHere("line feed");
        }
        if (!fault.isEmpty())
            return QStringLiteral("operation %1: ").arg(k) + fault;
    }
    if (i != m - 1 || lines.at(i).size() != pos)
        return QStringLiteral("%1 lines, the walk ended on line %2 at %3").arg(m).arg(i).arg(pos);
    return {};
}

QString describe(const QList<Op>& ops)
{
    QStringList parts;
    for (const Op& op : ops) {
        if (op.kind == Op::Byte)
            parts << QStringLiteral("%1%2")
                         .arg(op.hex ? "h" : "c")
                         .arg(op.byte, 2, 16, QLatin1Char('0'));
        else if (op.kind == Op::Line)
            parts << QStringLiteral("L[%1]").arg(op.text);
        else
            parts << QStringLiteral("CLR");
    }
    return parts.join(QLatin1Char(' '));
}

} // namespace

Q_DECLARE_METATYPE(Shape)

class tst_random_msglog : public QObject
{
    Q_OBJECT

private slots:
    void linesFollowTheRules_data();
    void linesFollowTheRules();
    void modelMirrorsTheLog_data();
    void modelMirrorsTheLog();
};

void tst_random_msglog::linesFollowTheRules_data()
{
    addColumns<quint32, Shape, int, int>({"seed", "shape", "opsPerCase", "cases"});
    QTest::newRow("chars, few line feeds") << 1u << Shape{100, 1, 0, 0} << 150 << 5000;
    QTest::newRow("hex, few line feeds") << 2u << Shape{100, 1, 100, 0} << 150 << 5000;
    QTest::newRow("modes mixed byte by byte") << 3u << Shape{100, 3, 50, 0} << 150 << 5000;
    QTest::newRow("bytes and lines") << 4u << Shape{85, 5, 50, 0} << 100 << 7500;
    QTest::newRow("many line feeds") << 5u << Shape{95, 40, 50, 0} << 60 << 10000;
    QTest::newRow("with clears") << 6u << Shape{85, 5, 50, 20} << 100 << 7500;
}

void tst_random_msglog::linesFollowTheRules()
{
    QFETCH(Shape, shape);
    QFETCH(int, opsPerCase);
    std::uniform_int_distribution<int> count(0, opsPerCase);
    runSeededCases([&](std::mt19937& rng, int) {
        const QList<Op> ops = randomOps(rng, shape, count(rng));
        MsgLog log;
        for (const Op& op : ops)
            apply(log, op);
        const QStringList lines = log.lines();
        QString fault = walk(ops, lines);
        if (fault.isEmpty() && lines.size() != log.lineCount())
            fault =
                QStringLiteral("lineCount %1 for %2 lines").arg(log.lineCount()).arg(lines.size());
        if (fault.isEmpty() && (!log.line(-1).isEmpty() || !log.line(log.lineCount()).isEmpty()))
            fault = QStringLiteral("a line outside the log has text");
        if (!fault.isEmpty())
            fault += QStringLiteral("\nops: %1\nlines: %2")
                         .arg(describe(ops), lines.join(QStringLiteral(" | ")));
        return fault;
    });
}

void tst_random_msglog::modelMirrorsTheLog_data()
{
    addColumns<quint32, Shape, int>({"seed", "shape", "ops"});
    QTest::newRow("bytes, lines and clears") << 7u << Shape{85, 5, 50, 5} << 4000;
    QTest::newRow("line feeds in hex") << 8u << Shape{95, 30, 100, 2} << 4000;
}

// The list model behind the message window announces every change in a way the view can follow
// (the model tester checks each signal against the rows it sees), and always shows the log, each
// row drawable: control characters in a line show in the "\hh" notation.
void tst_random_msglog::modelMirrorsTheLog()
{
    QFETCH(Shape, shape);
    QFETCH(int, ops);
    std::mt19937 rng = rowGenerator();
    MsgLogModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    const QList<Op> all = randomOps(rng, shape, ops);
    for (qsizetype k = 0; k < all.size(); ++k) {
        apply(model.log(), all.at(k));
        // Changes are announced in batches: look after a random share of the operations.
        if (rng() % 3 != 0)
            continue;
        model.flush();
        const int rows = model.rowCount();
        const int last = rows - 1;
        if (rows != model.log().lineCount() ||
            model.data(model.index(last)).toString() != displayedLine(model.log().line(last)))
            QFAIL(
                qPrintable(QStringLiteral("after operation %1 the model shows %2 rows for %3 lines")
                               .arg(k)
                               .arg(rows)
                               .arg(model.log().lineCount())));
    }
    model.flush();
    QStringList shown;
    QStringList expected;
    for (int r = 0; r < model.rowCount(); ++r) {
        shown << model.data(model.index(r)).toString();
        expected << displayedLine(model.log().line(r));
        const bool drawable = std::none_of(shown.last().cbegin(), shown.last().cend(),
                                           [](QChar c) { return c < u' ' || c == u'\x7f'; });
        if (!drawable)
            QFAIL(qPrintable(QStringLiteral("row %1 holds a control character").arg(r)));
    }
    QCOMPARE(shown, expected);
}

QTEST_GUILESS_MAIN(tst_random_msglog)
#include "tst_random_msglog.moc"
