// The wait for a lost port, look by look on a clock of the test's own; and the looks at a real
// device behind a link.
#include "modemsim/SimulatedModem.h"
#include "platform/PortPresence.h"
#include "serial/PortWatch.h"
#include "shell/ProgramPorts.h"
#include "support/DataTable.h"
#include "support/PtyPeer.h"

#include <QDir>
#include <QFile>
#include <QtTest>

namespace
{
// A device the test switches on and off, counting the looks the watch takes.
struct FakeDevice {
    bool present = false;
    bool opens = false;
    int looks = 0;
    PortProbe probe()
    {
        return {[this](const QString&) { return ++looks, present; },
                [this](const QString&) { return opens; }};
    }
};

QString verdictLetter(PortWatch::Verdict v)
{
    switch (v) {
    case PortWatch::Verdict::Waiting:
        return QStringLiteral("w");
    case PortWatch::Verdict::Back:
        return QStringLiteral("B");
    case PortWatch::Verdict::GaveUp:
        return QStringLiteral("X");
    }
    return QString();
}
} // namespace

class tst_portwatch : public QObject
{
    Q_OBJECT
private slots:
    void verdicts_data();
    void verdicts();
    void stoppedWatchLooksNoMore();
    void looksAtRealDevices();
    void simulatedModemFollowsItsPlug();
};

// Each look: its time, the device absent (-), there but not opening (p) or opening (o); then the
// verdicts, w waiting, B back, X given up.
void tst_portwatch::verdicts_data()
{
    addColumns<QList<int>, QString, QString>({"times", "device", "verdicts"});
    QTest::newRow("back and opening at once") << QList<int>{0, 250, 500} << "--o"
                                              << "wwB";
    QTest::newRow("opens after quiet tries") << QList<int>{0, 250, 500, 2750} << "-ppo"
                                             << "wwwB";
    QTest::newRow("gives up 3 s after it came back") << QList<int>{0, 250, 3249, 3250} << "-ppp"
                                                     << "wwwX";
    QTest::newRow("going again restarts the time")
        << QList<int>{0, 2500, 2750, 5500, 5750} << "p-ppp"
        << "wwwwX";
    QTest::newRow("nothing after the verdict") << QList<int>{0, 250, 500} << "oo-"
                                               << "Bww";
}

void tst_portwatch::verdicts()
{
    QFETCH(QList<int>, times);
    QFETCH(QString, device);
    QFETCH(QString, verdicts);
    FakeDevice fake;
    PortWatch watch(fake.probe());
    watch.start(QStringLiteral("COM3"), QStringLiteral("/dev/ttyS2"));
    QVERIFY(watch.active());
    QString seen;
    for (int i = 0; i < times.size(); ++i) {
        fake.present = device[i] != QLatin1Char('-');
        fake.opens = device[i] == QLatin1Char('o');
        seen += verdictLetter(watch.check(times[i]));
    }
    QCOMPARE(seen, verdicts);
    QCOMPARE(watch.active(), !verdicts.contains('B') && !verdicts.contains('X'));
    QCOMPARE(watch.portText(), QStringLiteral("COM3"));
}

void tst_portwatch::stoppedWatchLooksNoMore()
{
    FakeDevice fake;
    PortWatch watch(fake.probe());
    QCOMPARE(watch.check(0), PortWatch::Verdict::Waiting);
    watch.start(QStringLiteral("/dev/ttyUSB0"), QStringLiteral("/dev/ttyUSB0"));
    fake.present = true;
    QCOMPARE(watch.check(0), PortWatch::Verdict::Waiting);
    watch.stop();
    fake.opens = true;
    QCOMPARE(watch.check(250), PortWatch::Verdict::Waiting);
    QCOMPARE(fake.looks, 1);
    // A new wait starts its time afresh.
    watch.start(QStringLiteral("/dev/ttyUSB0"), QStringLiteral("/dev/ttyUSB0"));
    fake.opens = false;
    QCOMPARE(watch.check(10000), PortWatch::Verdict::Waiting);
    QCOMPARE(watch.check(10000 + PortWatch::kRetryMs), PortWatch::Verdict::GaveUp);
}

void tst_portwatch::looksAtRealDevices()
{
    PtyLink link;
    QVERIFY(link.ok());
    const QString name = link.path();
    QVERIFY(!portPresent(name));
    QVERIFY(!portOpens(name));
    // A link to a folder: there, but no terminal to open (root may open any file).
    QVERIFY(link.pointAt(QDir::tempPath()));
    QVERIFY(portPresent(name));
    QVERIFY(!portOpens(name));
    QVERIFY(link.pointAt(QStringLiteral("/dev/null")));
    QVERIFY(portPresent(name));
    QVERIFY(!portOpens(name));
    QVERIFY(link.plugIn());
    QVERIFY(portPresent(name));
    // The try leaves no descriptor open.
    const auto descriptors = [] { return QDir(QStringLiteral("/proc/self/fd")).count(); };
    const uint before = descriptors();
    QVERIFY(portOpens(name));
    QCOMPARE(descriptors(), before);
    const QString target = link.peer()->path();
    link.unplug();
    QVERIFY(!portPresent(name));
    QVERIFY(!portPresent(target));
    // A link whose terminal is gone, the link itself still there.
    QVERIFY(link.pointAt(target));
    QVERIFY(!portPresent(name));
}

void tst_portwatch::simulatedModemFollowsItsPlug()
{
    const PortProbe probe = programPortBackends().probe;
    SimulatedModem& sim = theSimulatedModem();
    sim.plugIn();
    QVERIFY(probe.present(QStringLiteral("SIM")));
    QVERIFY(probe.opens(QStringLiteral("sim")));
    sim.vanish();
    QVERIFY(!probe.present(QStringLiteral("SIM")));
    QVERIFY(!probe.opens(QStringLiteral("SIM")));
    sim.plugIn();
    QVERIFY(probe.present(QStringLiteral("SIM")));
}

QTEST_MAIN(tst_portwatch)
#include "tst_portwatch.moc"
