// The simulated serial line on its own, with stand-ins for the unit and the port at its ends.
#include "modemsim/SimLine.h"
#include "support/DataTable.h"

#include <QThread>
#include <QtTest>

namespace
{

// A unit that notes what the line does to it, with the moment on the line it happened at.
struct NotingUnit : SimLine::UnitEnd {
    explicit NotingUnit(const SimLine& line) : line(line) {}
    void note(const QString& what) { events.append({what, line.simNow()}); }

    void arrive(quint8 sent) override { note(QStringLiteral("byte ") + QChar(sent)); }
    qint64 packetEndNs() const override { return packetEnd; }
    void endPacket() override
    {
        packetEnd = TimedByteQueue::kNever;
        note(QStringLiteral("packet end"));
    }
    void rtsChanged(bool) override {}

    const SimLine& line;
    qint64 packetEnd = TimedByteQueue::kNever;
    QList<QPair<QString, qint64>> events;
};

// A port that, woken, runs the line up to now as the real one does.
struct WakingPort : SimLine::PortEnd {
    explicit WakingPort(SimLine& line) : line(line) {}
    bool isAttached() const override { return attached; }
    bool hasNews() const override { return news; }
    void wake() override
    {
        ++wakes;
        news = false;
        line.advance();
        line.scheduleWake();
    }

    SimLine& line;
    bool attached = true;
    bool news = false;
    int wakes = 0;
};

// A started line with the two stand-ins at its ends.
struct Ends {
    Ends()
    {
        line.connectEnds(unit, port);
        line.restart();
    }
    SimLine line;
    NotingUnit unit{line};
    WakingPort port{line};
};

} // namespace

class tst_modemsim_line : public QObject
{
    Q_OBJECT

private slots:
    void runsWhatFallsDueInTimeOrderWhenTheEventLoopIsLate()
    {
        Ends ends;
        auto& [line, unit, port] = ends;
        const qint64 t0 = line.advance();
        const qint64 byteNs = byteTimeNs(line.portSettings());
        line.portSends("xy", t0);
        auto note = [&](const char* what) { return [&, what] { unit.note(what); }; };
        line.at(t0 + byteNs, note("first at the byte"));
        line.at(t0 + byteNs, note("second at the byte"));
        line.at(t0 + byteNs / 2, note("before the byte"));
        line.at(t0 + 2 * byteNs, note("at the packet end"));
        unit.packetEnd = t0 + 2 * byteNs;
        line.scheduleWake();
        // The window keeps the event loop busy past everything that falls due.
        QThread::msleep(10);

        const QList<QPair<QString, qint64>> expected{
            {"before the byte", t0 + byteNs / 2},
            {"byte x", t0 + byteNs},
            {"first at the byte", t0 + byteNs},
            {"second at the byte", t0 + byteNs},
            {"byte y", t0 + 2 * byteNs},
            {"packet end", t0 + 2 * byteNs},
            {"at the packet end", t0 + 2 * byteNs},
        };
        QTRY_COMPARE(unit.events, expected);
        // With nothing left to do the line sleeps.
        const int wakes = port.wakes;
        QTest::qWait(30);
        QCOMPARE(port.wakes, wakes);
    }

    void portWithNewsIsWokenAtOnce()
    {
        Ends ends;
        auto& [line, unit, port] = ends;
        port.news = true;
        line.scheduleWake();
        QTRY_COMPARE(port.wakes, 1);
        QTest::qWait(20);
        QCOMPARE(port.wakes, 1);
    }

    void unitSendsToAnOpenPortAtItsOwnRate_data()
    {
        addColumns<bool, qint32, int, bool>({"attached", "unitBaud", "arriving", "asSent"});
        QTest::newRow("no port open") << false << 9600 << 0 << true;
        QTest::newRow("both ends alike") << true << 9600 << 2 << true;
        QTest::newRow("unit at another rate") << true << 1200 << 2 << false;
    }
    void unitSendsToAnOpenPortAtItsOwnRate()
    {
        QFETCH(bool, attached);
        QFETCH(qint32, unitBaud);
        QFETCH(int, arriving);
        QFETCH(bool, asSent);
        Ends ends;
        auto& [line, unit, port] = ends;
        port.attached = attached;
        LineSettings settings = line.unitSettings();
        settings.baud = unitBaud;
        line.setUnitSettings(settings);

        line.unitSends("ab");
        TimedByteQueue& towardsPort = line.towardsPort();
        QCOMPARE(towardsPort.size(), qsizetype(arriving));
        if (arriving == 0)
            return;
        const qint64 byteNs = byteTimeNs(settings);
        const TimedByte first = towardsPort.takeFirst();
        const TimedByte second = towardsPort.takeFirst();
        QCOMPARE(first.dueNs, line.simNow() + byteNs);
        QCOMPARE(second.dueNs, line.simNow() + 2 * byteNs);
        QCOMPARE(first.byte == 'a' && second.byte == 'b', asSent);
    }
};

QTEST_GUILESS_MAIN(tst_modemsim_line)
#include "tst_modemsim_line.moc"
