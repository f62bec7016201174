// The simulated modem as the window meets it: through the device of the port "SIM", in real time.
#include "modemsim/SimulatedModem.h"
#include "modemsim/SimulatedModemDevice.h"
#include "platform/CommSettings.h"
#include "support/DataTable.h"
#include "support/EventLoop.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QThread>
#include <QtTest>

using EventLoop::runFor;
using EventLoop::runUntil;

namespace
{

const QByteArray kPattern = QByteArray(2, char(255)) + "blahBLAHblahBLAHblahBLAH";

LineSettings line(qint32 baud)
{
    LineSettings s;
    s.baud = baud;
    return s;
}

// Milliseconds a number of bytes takes at a line setting.
double lineMs(qsizetype bytes, const LineSettings& s)
{
    return double(bytes) * bitsPerByte(s) * 1000.0 / s.baud;
}

} // namespace

class tst_modemsim_device : public QObject
{
    Q_OBJECT

    SimulatedModem& modem = theSimulatedModem();
    std::unique_ptr<SerialDevice> dev;
    QByteArray received;

    // Opens a fresh "SIM" port with RTS as given and collects whatever arrives.
    void openPort(bool rts, const LineSettings& settings = LineSettings())
    {
        dev = makeSimulatedModemDevice();
        received.clear();
        connect(dev.get(), &SerialDevice::bytesArrived, this,
                [this] { received += dev->readAll(); });
        dev->setRts(rts);
        dev->setDtr(rts);
        QString error;
        QVERIFY2(dev->open(settings, &error), qPrintable(error));
    }

    // Writes a command and waits for a reply of at least n bytes.
    QByteArray exchange(const QByteArray& command, qsizetype n = 4)
    {
        received.clear();
        dev->write(command);
        if (!runUntil([&] { return received.size() >= n; }, 3000))
            return received;
        return std::exchange(received, {});
    }

    // Holds the line still for the unit to follow an RTS change.
    void settle() { runFor(10); }

private slots:
    void init()
    {
        modem.setToolWindowEnabled(false);
        modem.resetToDefaults();
    }
    void cleanup()
    {
        if (dev)
            dev->close();
        dev.reset();
    }

    void probeGetsErrorAtTheLineRate()
    {
        openPort(true);
        settle();
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(exchange(" "), QByteArray("ER\r\n"));
        // One byte out and four back at 9600 baud can not take less than about 5 ms.
        QVERIFY2(clock.nsecsElapsed() / 1e6 >= lineMs(5, LineSettings()) - 0.5,
                 qPrintable(QString::number(clock.nsecsElapsed() / 1e6)));
    }

    void commandsSentWhole_data()
    {
        addColumns<QByteArray, QByteArray>({"command", "reply"});
        QTest::newRow("version") << QByteArray("V") << QByteArray("FW: 1.30  \r\nOK\r\n");
        QTest::newRow("two commands in one write")
            << QByteArray("TnAf") << QByteArray("OK\r\nOK\r\n");
        QTest::newRow("unknown then known") << QByteArray("ZDs") << QByteArray("ER\r\nOK\r\n");
    }
    void commandsSentWhole()
    {
        QFETCH(QByteArray, command);
        QFETCH(QByteArray, reply);
        openPort(true);
        settle();
        QCOMPARE(exchange(command, reply.size()), reply);
    }

    void outputQueueDrainsAtTheLineRate()
    {
        openPort(false);
        const QByteArray block(96, 'x'); // 100 ms at 9600 baud
        dev->write(block);
        QVERIFY(dev->bytesToWrite() > 80);
        runFor(50);
        const qint64 half = dev->bytesToWrite();
        QVERIFY2(half > 0 && half < 80, qPrintable(QString::number(half)));
        QTRY_COMPARE_WITH_TIMEOUT(dev->bytesToWrite(), qint64(0), 2000);
    }

    void repliesDuringABusyWaitAreDroppedByDiscard()
    {
        openPort(true);
        settle();
        // The window's settle delay: no events run, the reply arrives meanwhile and is there
        // at the first look, however late.
        dev->write(" ");
        QThread::msleep(30);
        QCOMPARE(dev->readAll(), QByteArray("ER\r\n"));
        // Discarded without a look first, it never shows up later.
        dev->write(" ");
        QThread::msleep(30);
        dev->discardInput();
        runFor(30);
        QCOMPARE(received, QByteArray());
        QCOMPARE(dev->bytesAvailable(), qint64(0));
    }

    void partnerEchoesPacketsInDataMode_data()
    {
        addColumns<bool, bool, bool>({"transmitterOn", "partner", "echoed"});
        QTest::newRow("echo") << true << true << true;
        QTest::newRow("transmitter off") << false << true << false;
        QTest::newRow("no partner") << true << false << false;
    }
    void partnerEchoesPacketsInDataMode()
    {
        QFETCH(bool, transmitterOn);
        QFETCH(bool, partner);
        QFETCH(bool, echoed);
        ModemSettings s = modem.settings();
        s.transmitterOn = transmitterOn;
        modem.setSettings(s);
        modem.setPartnerPresent(partner);
        openPort(false);
        settle();
        QElapsedTimer clock;
        clock.start();
        dev->write(kPattern);
        if (echoed) {
            QVERIFY(runUntil([&] { return received.size() >= kPattern.size(); }, 2000));
            QCOMPARE(received, kPattern);
            // Out, the latency and back: well past the line time of the two passes.
            QVERIFY(clock.elapsed() >= 2 * lineMs(kPattern.size(), LineSettings()) +
                                           SimulatedModem::kDefaultLatencyMs - 1);
            QVERIFY(clock.elapsed() < 200);
        } else {
            runFor(150);
            QCOMPARE(received, QByteArray());
        }
        QCOMPARE(modem.packetsSent(), transmitterOn ? 1 : 0);
    }

    void echoesDoNotReachTheHostInCommandMode()
    {
        openPort(false);
        settle();
        dev->write(kPattern);
        runFor(35); // the packet is on the air
        dev->setRts(true);
        runFor(120);
        QCOMPARE(received, QByteArray());
        QCOMPARE(modem.packetsSent(), 1);
    }

    void lossIsRepeatableWithASeed()
    {
        // A fast line and a short latency keep the repetitions quick.
        modem.setBaudRate(115200);
        modem.setPartnerLatencyMs(5);
        modem.setLossRate(0.5);
        auto run = [&](quint32 seed) {
            modem.setSeed(seed);
            QList<bool> echoes;
            for (int k = 0; k < 12; ++k) {
                received.clear();
                dev->write(kPattern);
                echoes.append(runUntil([&] { return received == kPattern; }, 40));
            }
            return echoes;
        };
        openPort(false, line(115200));
        settle();
        const QList<bool> first = run(7);
        const QList<bool> again = run(7);
        QCOMPARE(again, first);
        QVERIFY(first.contains(true));
        QVERIFY(first.contains(false));
    }

    void wrongRateGarblesBothWays()
    {
        // The port at 19200 baud, the modem at 9600.
        openPort(false, line(19200));
        QSignalSpy frames(dev.get(), &SerialDevice::lineEvent);
        modem.flood(120);
        QVERIFY(runUntil([&] { return received.size() >= 120; }, 3000));
        QByteArray sent;
        for (int i = 0; i < 120; ++i)
            sent += char(0x20 + i % 95);
        for (int i = 0; i < 120; ++i)
            QVERIFY2(received.at(i) != sent.at(i), qPrintable(QString::number(i)));
        QVERIFY(frames.count() > 0);
        QCOMPARE(frames.first().first().value<qint16>(), qint16(comEventFrame));
        // Commands arrive garbled too: the unit does not take a channel.
        dev->setRts(true);
        settle();
        dev->write("C5");
        runFor(60);
        QCOMPARE(modem.settings().channel, 1);
    }

    void ignoreCommandsRecovery_data()
    {
        addColumns<bool, int, bool>({"rtsAtPowerUp", "pulses", "answers"});
        QTest::newRow("five pulses after power-up with RTS raised") << true << 5 << true;
        QTest::newRow("four pulses are not enough") << true << 4 << false;
        QTest::newRow("powered up with RTS low") << false << 5 << false;
    }
    void ignoreCommandsRecovery()
    {
        QFETCH(bool, rtsAtPowerUp);
        QFETCH(int, pulses);
        QFETCH(bool, answers);
        modem.setIgnoreCommands(true);
        openPort(true);
        settle();
        dev->write(" ");
        runFor(30);
        QCOMPARE(received, QByteArray());
        dev->setRts(rtsAtPowerUp);
        modem.powerCycle();
        dev->setRts(true);
        for (int i = 0; i < pulses; ++i) {
            dev->setRts(false);
            settle();
            dev->setRts(true);
            settle();
        }
        received.clear();
        dev->write(" ");
        runFor(40);
        QCOMPARE(received, answers ? QByteArray("ER\r\n") : QByteArray());
        if (!answers)
            return;
        // Restoring and saving the factory settings ends it for good.
        QCOMPARE(exchange("Dr"), QByteArray("OK\r\n"));
        QCOMPARE(exchange("Ds"), QByteArray("OK\r\n"));
        modem.powerCycle();
        QCOMPARE(exchange(" "), QByteArray("ER\r\n"));
    }

    void powerCycleLoadsTheSavedSettings()
    {
        openPort(true);
        settle();
        QCOMPARE(exchange("CA"), QByteArray("OK\r\n"));
        QCOMPARE(modem.settings().channel, 17);
        QVERIFY(!modem.settingsSaved());
        modem.powerCycle();
        QCOMPARE(modem.settings().channel, 1);
        QCOMPARE(exchange("CA"), QByteArray("OK\r\n"));
        QCOMPARE(exchange("Ds"), QByteArray("OK\r\n"));
        modem.powerCycle();
        QCOMPARE(modem.settings().channel, 17);
        QVERIFY(modem.inCommandMode());
    }

    void garbageFollowsEveryReply()
    {
        modem.setGarbageAfterReply("\x01?");
        openPort(true);
        settle();
        QCOMPARE(exchange(" Tn", 12), QByteArray("ER\r\n\x01?OK\r\n\x01?"));
    }

    void silentUnitAnswersNothing()
    {
        modem.setSilent(true);
        openPort(true);
        settle();
        dev->write("CA");
        runFor(40);
        QCOMPARE(received, QByteArray());
        QCOMPARE(modem.settings().channel, 1);
    }

    void lineEventsAreReported()
    {
        openPort(false);
        QSignalSpy events(dev.get(), &SerialDevice::lineEvent);
        modem.raiseLineEvent(comEventOverrun);
        QTRY_COMPARE(events.count(), 1);
        QCOMPARE(events.first().first().value<qint16>(), qint16(comEventOverrun));
    }

    void vanishingLosesThePortUntilPluggedIn()
    {
        openPort(false);
        QSignalSpy lost(dev.get(), &SerialDevice::deviceLost);
        modem.vanish();
        QTRY_COMPARE(lost.count(), 1);
        QVERIFY(!dev->isOpen());
        auto again = makeSimulatedModemDevice();
        QString error;
        QVERIFY(!again->open(LineSettings(), &error));
        QVERIFY(!error.isEmpty());
        modem.plugIn();
        QVERIFY2(again->open(LineSettings(), &error), qPrintable(error));
        again->close();
    }

    void onlyOnePortAtATime()
    {
        openPort(false);
        auto second = makeSimulatedModemDevice();
        QString error;
        QVERIFY(!second->open(LineSettings(), &error));
        QVERIFY(!error.isEmpty());
        dev->close();
        QVERIFY2(second->open(LineSettings(), &error), qPrintable(error));
    }

    void closingDropsRtsAndTheLine()
    {
        openPort(true);
        settle();
        dev->write("VVVV");
        dev->close();
        settle();
        QVERIFY(!modem.inCommandMode());
        QCOMPARE(dev->bytesAvailable(), qint64(0));
        QCOMPARE(dev->bytesToWrite(), qint64(0));
    }
};

QTEST_MAIN(tst_modemsim_device)
#include "tst_modemsim_device.moc"
