// The real serial backend on a pseudo-terminal pair: the window's side is the pty, the test
// plays the modem on the other end.
#include "platform/MSComm.h"
#include "shell/ProgramPorts.h"
#include "support/ByteValues.h"
#include "support/DataTable.h"
#include "support/PtyPeer.h"
#include "support/WindowFixture.h"

#include <QCheckBox>
#include <QComboBox>

#include <QtTest>

#include <cerrno>

#include <termios.h>

namespace
{
const QString kNoLines =
    QStringLiteral(": this device has no RTS/DTR control lines; command mode cannot be switched");
const QString kNoCounters = QStringLiteral(": this device does not report line errors (framing, "
                                           "overrun, parity, break); they are not counted");

// The component on the real backend, recording what it reports.
struct Component {
    MSComm comm;
    QByteArray received;
    QList<qint16> events;
    QStringList notices;
    QStringList losses;

    explicit Component(const QString& path)
    {
        comm.setDeviceFactory(programPortBackends().openDevice);
        comm.setPortName(path);
        QObject::connect(&comm, &MSComm::OnComm, &comm, [this] {
            events << comm.CommEvent();
            if (comm.CommEvent() == comEvReceive)
                received += comm.Input();
        });
        QObject::connect(&comm, &MSComm::OnNotice, &comm,
                         [this](const QString& t) { notices << t; });
        QObject::connect(&comm, &MSComm::OnLost, &comm, [this](const QString& r) { losses << r; });
    }
};
} // namespace

class tst_ptybackend : public QObject
{
    Q_OBJECT
private slots:
    void opensWithLineFormat_data();
    void opensWithLineFormat();
    void bytesBothWays();
    void missingLinesSaidOncePerOpen();
    void discardDropsWaitingBytes();
    void peerVanishing_data();
    void peerVanishing();
    void openFailures_data();
    void openFailures();
    void windowOnPty();
};

void tst_ptybackend::opensWithLineFormat_data()
{
    addColumns<QString, int, bool>({"settings", "speed", "twoStop"});
    QTest::newRow("9600,N,8,1") << "9600,N,8,1" << int(B9600) << false;
    QTest::newRow("19200,E,8,1") << "19200,E,8,1" << int(B19200) << false;
    QTest::newRow("115200,N,8,2") << "115200,N,8,2" << int(B115200) << true;
}

void tst_ptybackend::opensWithLineFormat()
{
    QFETCH(QString, settings);
    QFETCH(int, speed);
    QFETCH(bool, twoStop);
    PtyPeer peer;
    QVERIFY(peer.ok());
    Component c(peer.path());
    QVERIFY(c.comm.setSettings(settings));
    QString error;
    QVERIFY2(c.comm.setPortOpen(true, &error), qPrintable(error));

    // The pair shares one line format; the far end reads what the window set (a pseudo-terminal
    // keeps no parity and always 8 data bits, so those are not seen here).
    struct termios tio {
    };
    QCOMPARE(::tcgetattr(peer.leader(), &tio), 0);
    QCOMPARE(int(cfgetospeed(&tio)), speed);
    QCOMPARE(bool(tio.c_cflag & CSTOPB), twoStop);
    QCOMPARE(int(tio.c_cflag & CRTSCTS), 0);
    QCOMPARE(int(tio.c_iflag & (IXON | IXOFF)), 0);
}

void tst_ptybackend::bytesBothWays()
{
    PtyPeer peer;
    QVERIFY(peer.ok());
    Component c(peer.path());
    QVERIFY(c.comm.setPortOpen(true));

    const QByteArray all = allByteValues();
    QVERIFY(peer.send(all.left(100)));
    QTRY_COMPARE(c.received, all.left(100));
    QVERIFY(peer.send(all.mid(100)));
    QTRY_COMPARE(c.received, all);
    QVERIFY(c.events.contains(comEvReceive));

    c.comm.setOutput(all);
    QByteArray atPeer;
    QTRY_VERIFY((atPeer += peer.received()).size() >= all.size());
    QCOMPARE(atPeer, all);
    QTRY_COMPARE(c.comm.OutBufferCount(), 0);
    QVERIFY(c.losses.isEmpty());
}

void tst_ptybackend::missingLinesSaidOncePerOpen()
{
    PtyPeer peer;
    QVERIFY(peer.ok());
    Component c(peer.path());
    c.comm.setRTSEnable(true);
    c.comm.setDTREnable(true);
    QVERIFY(c.comm.setPortOpen(true));
    for (bool on : {false, true, false}) {
        c.comm.setRTSEnable(on);
        c.comm.setDTREnable(on);
    }
    c.comm.setBreak(true);
    c.comm.setBreak(false);
    QTRY_COMPARE(c.notices.size(), 2);
    QTest::qWait(50);
    QCOMPARE(c.notices, QStringList({peer.path() + kNoLines, peer.path() + kNoCounters}));

    // The port works on without the lines, and a new open says it once more.
    QVERIFY(peer.send("still here"));
    QTRY_COMPARE(c.received, QByteArray("still here"));
    QVERIFY(c.comm.setPortOpen(false));
    QVERIFY(c.comm.setPortOpen(true));
    c.comm.setRTSEnable(true);
    QTRY_COMPARE(c.notices.size(), 4);
    QTest::qWait(50);
    QCOMPARE(c.notices.size(), 4);
    QVERIFY(c.losses.isEmpty());
}

void tst_ptybackend::discardDropsWaitingBytes()
{
    PtyPeer peer;
    QVERIFY(peer.ok());
    MSComm comm;
    comm.setDeviceFactory(programPortBackends().openDevice);
    comm.setPortName(peer.path());
    QVERIFY(comm.setPortOpen(true));
    QVERIFY(peer.send("stale"));
    QTRY_COMPARE(comm.InBufferCount(), 5);
    comm.setInBufferCount(0);
    QCOMPARE(comm.InBufferCount(), 0);
    QVERIFY(peer.send("new"));
    QTRY_COMPARE(comm.InBufferCount(), 3);
    QCOMPARE(comm.Input(), QByteArray("new"));
}

void tst_ptybackend::peerVanishing_data()
{
    addFlagRows("traffic", {{"idle line", false}, {"after RTS and bytes sent", true}});
}

void tst_ptybackend::peerVanishing()
{
    QFETCH(bool, traffic);
    PtyPeer peer;
    QVERIFY(peer.ok());
    Component c(peer.path());
    QVERIFY(c.comm.setPortOpen(true));
    if (traffic) {
        c.comm.setRTSEnable(true);
        c.comm.setOutput("abc");
        QTest::qWait(100);
        QCOMPARE(peer.received(), QByteArray("abc"));
    }
    peer.vanish();
    QTRY_COMPARE(c.losses.size(), 1);
    QCOMPARE(c.losses[0], QStringLiteral("the device hung up or was unplugged"));
    QVERIFY(!c.comm.PortOpen());
    // The hung-up device is not read again and again.
    QTest::qWait(200);
    QCOMPARE(c.losses.size(), 1);
    c.comm.setOutput("x");
    QCOMPARE(c.comm.OutBufferCount(), 0);
}

void tst_ptybackend::openFailures_data()
{
    addColumns<QString, QString>({"path", "reason"});
    QTest::newRow("absent") << "/nonexistent/ttyQ9"
                            << "there is no port /nonexistent/ttyQ9";
    QTest::newRow("absent, bare name") << "ttyNoSuch7"
                                       << "there is no port /dev/ttyNoSuch7";
    QTest::newRow("not a serial port")
        << "/dev/null"
        // The system's reason in the user's language.
        << "/dev/null is not a serial port or refused the line format 9600,N,8,1 (" +
               qt_error_string(ENOTTY) + ")";
}

void tst_ptybackend::openFailures()
{
    QFETCH(QString, path);
    QFETCH(QString, reason);
    MSComm comm;
    comm.setDeviceFactory(programPortBackends().openDevice);
    comm.setPortName(path);
    QString error;
    QVERIFY(!comm.setPortOpen(true, &error));
    QCOMPARE(error, reason);
    QVERIFY(!comm.PortOpen());
}

// The whole road through the window: a typed pty path, bytes shown as characters and in hex, the
// notice once, the far end going away.
void tst_ptybackend::windowOnPty()
{
    PtyPeer peer;
    QVERIFY(peer.ok());
    WindowFixture fx(false);
    WindowDoor door = fx.door();
    auto log = [&fx] {
        QStringList lines = fx.logLines();
        lines.removeAll(QString());
        return lines;
    };
    door.CommPort()->setEditText(peer.path());
    door.CommOpenCbox()->setChecked(true);
    QVERIFY(door.MSComm1()->PortOpen());
    QTRY_COMPARE(log(), QStringList({"Open " + peer.path() + " for 9600,N,8,1",
                                     peer.path() + kNoLines, peer.path() + kNoCounters}));

    door.CmdRTSCbox()->setChecked(true);
    door.CmdRTSCbox()->setChecked(false);
    QVERIFY(peer.send("hi\x01"));
    QTRY_COMPARE(log().last(), QStringLiteral("UUhi\\01"));
    fx.control<QComboBox>("RxShowMode")->setCurrentIndex(1);
    QVERIFY(peer.send("A"));
    QTRY_COMPARE(log().last(), QStringLiteral("UUhi\\01\\41"));
    QCOMPARE(log().size(), 4); // the notice came once
    QVERIFY(fx.boxes().isEmpty());

    peer.vanish();
    QTRY_VERIFY(!door.CommOpenCbox()->isChecked());
    QCOMPARE(log().last(), peer.path() + " lost: the device hung up or was unplugged");
    QVERIFY(!door.MSComm1()->PortOpen());
    QVERIFY(fx.boxes().isEmpty());
}

QTEST_MAIN(tst_ptybackend)
#include "tst_ptybackend.moc"
