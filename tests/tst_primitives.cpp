// The modem dialogue's primitives against a scripted line: exchanges, sending, checks, modes.
#include "support/ByteValues.h"
#include "support/DataTable.h"
#include "support/RunSuite.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QTimer>
#include <QtTest>

namespace
{

// Bytes the line delivers some milliseconds after the exchange starts.
struct Feed {
    int ms = 0;
    QByteArray bytes;
};

// What the modem answers, after a delay, to one written command text.
struct Answer {
    QByteArray to;
    int ms = 0;
    QByteArray reply;
};

enum class Check { Expect, Either, Quiet, Show };

const QByteArray kOK = QByteArrayLiteral("OK\r\n");
const QByteArray kER = QByteArrayLiteral("ER\r\n");

} // namespace

Q_DECLARE_METATYPE(QList<Feed>)
Q_DECLARE_METATYPE(QList<Answer>)
Q_DECLARE_METATYPE(Check)

class tst_primitives : public RunSuite
{
    Q_OBJECT

    // Answers each write from the list; writes without an answer get silence.
    void answerWith(const QList<Answer>& answers)
    {
        line->setResponder([l = line.get(), answers](const QByteArray& written) {
            for (const Answer& a : answers) {
                if (a.to == written)
                    l->feedLater(a.ms, a.reply);
            }
        });
    }

private slots:
    void init()
    {
        RunSuite::init();
        // Cleared: the first exchange would otherwise find the two start-up bytes in the buffer.
        openScriptedClean();
    }

    void transact_data()
    {
        addColumns<QByteArray, int, int, QList<Feed>, bool, QByteArray, QString>(
            {"command", "minBytes", "timeoutMs", "feeds", "echo", "reply", "shownAfter"});

        QTest::newRow("burst longer than awaited comes back whole")
            << QByteArray("V") << 4 << 300 << QList<Feed>{{10, "OKxx\r\n"}} << false
            << QByteArray("OKxx\r\n") << QString();
        QTest::newRow("no minimum waits out the time for a late part")
            << QByteArray("?") << 0 << 300 << QList<Feed>{{10, "AB"}, {150, "CD"}} << false
            << QByteArray("ABCD") << QString();
        QTest::newRow("minimum reached ends the wait; the rest is shown later")
            << QByteArray("?") << 2 << 300 << QList<Feed>{{10, "AB"}, {150, "CD"}} << false
            << QByteArray("AB") << QStringLiteral("CD");
        QTest::newRow("empty command only listens")
            << QByteArray() << 4 << 250 << QList<Feed>{{20, kER}} << false << kER << QString();
        QTest::newRow("silence gives an empty reply")
            << QByteArray(" ") << 4 << 150 << QList<Feed>{} << false << QByteArray() << QString();
        QTest::newRow("every byte value goes out and comes back unchanged")
            << allByteValues() << 256 << 1000 << QList<Feed>{} << true << allByteValues()
            << QString();
        QTest::newRow("a flood keeps the first 512 bytes")
            << QByteArray("?") << 0 << 200 << QList<Feed>{{10, QByteArray(600, 'z')}} << false
            << QByteArray(512, 'z') << QString();
    }

    void transact()
    {
        QFETCH(QByteArray, command);
        QFETCH(int, minBytes);
        QFETCH(int, timeoutMs);
        QFETCH(QList<Feed>, feeds);
        QFETCH(bool, echo);
        QFETCH(QByteArray, reply);
        QFETCH(QString, shownAfter);

        if (echo)
            line->setResponder([l = line.get()](const QByteArray& w) { l->feedLater(5, w); });
        for (const Feed& f : feeds)
            line->feedLater(f.ms, f.bytes);

        QCOMPARE(door().Modem_Transact(command, qint16(minBytes), qint16(timeoutMs)), reply);

        const QList<QByteArray> expectedWrites =
            command.isEmpty() ? QList<QByteArray>{} : QList<QByteArray>{command};
        QCOMPARE(line->writes(), expectedWrites);
        QVERIFY(door().RxNotCapturing());
        QCOMPARE(door().RxCount(), qint16(0));
        if (shownAfter.isEmpty()) {
            QTest::qWait(50);
            QCOMPARE(fx->logLines(), QStringList{QString()});
        } else {
            QTRY_COMPARE(fx->logLines(), QStringList{shownAfter});
        }
    }

    // Bytes left unread before the exchange neither prefix its reply nor show in the log.
    void unreadInputIsDiscardedBeforeTheCommand()
    {
        answerWith({{" ", 5, kER}});
        QVERIFY(line->feed("junk"));
        QCOMPARE(door().Modem_Transact(" ", 4, 300), kER);
        const QStringList calls = line->calls();
        QVERIFY(calls.indexOf("discardIn") >= 0);
        QVERIFY(calls.indexOf("discardIn") < calls.indexOf("write  "));
        QTest::qWait(50);
        QCOMPARE(fx->logLines(), QStringList{QString()});
    }

    void sendSlow_data()
    {
        addColumns<QByteArray, int, QList<Answer>, QList<QByteArray>, QString, QByteArray>(
            {"command", "timeoutMs", "answers", "writes", "sentLine", "lastReply"});

        QTest::newRow("answered after the last character")
            << QByteArray("Tn") << 500 << QList<Answer>{{"n", 10, kOK}}
            << QList<QByteArray>{"T", "n"} << "  SENT(Tn)" << kOK;
        QTest::newRow("an answer to the first character stops the command")
            << QByteArray("Tn") << 500 << QList<Answer>{{"T", 10, kER}} << QList<QByteArray>{"T"}
            << "  SENT(T)" << kER;
        QTest::newRow("an answer in the middle stops the rest")
            << QByteArray("Eq5vn") << 500 << QList<Answer>{{"q", 10, kER}}
            << QList<QByteArray>{"E", "q"} << "  SENT(Eq)" << kER;
        QTest::newRow("a late answer to a middle character falls into the next wait")
            << QByteArray("Tn") << 500 << QList<Answer>{{"T", 300, kOK}}
            << QList<QByteArray>{"T", "n"} << "  SENT(Tn)" << kOK;
        QTest::newRow("the last character waits the caller's time")
            << QByteArray("Ds") << 500 << QList<Answer>{{"s", 300, kOK}}
            << QList<QByteArray>{"D", "s"} << "  SENT(Ds)" << kOK;
        QTest::newRow("silence sends everything")
            << QByteArray("Ds") << 200 << QList<Answer>{} << QList<QByteArray>{"D", "s"}
            << "  SENT(Ds)" << QByteArray();
        QTest::newRow("one character") << QByteArray("?") << 300 << QList<Answer>{{"?", 10, kOK}}
                                       << QList<QByteArray>{"?"} << "  SENT(?)" << kOK;
        QTest::newRow("a NUL goes out as a byte")
            << QByteArray("W\0", 2) << 300 << QList<Answer>{{QByteArray(1, '\0'), 10, kOK}}
            << QList<QByteArray>{"W", QByteArray(1, '\0')} << QString::fromLatin1("  SENT(W\0)", 10)
            << kOK;
        QTest::newRow("nothing to send") << QByteArray() << 300 << QList<Answer>{}
                                         << QList<QByteArray>{} << QString() << QByteArray();
    }

    void sendSlow()
    {
        QFETCH(QByteArray, command);
        QFETCH(int, timeoutMs);
        QFETCH(QList<Answer>, answers);
        QFETCH(QList<QByteArray>, writes);
        QFETCH(QString, sentLine);
        QFETCH(QByteArray, lastReply);

        answerWith(answers);
        door().setLastReply("stale");
        door().Modem_SendSlow(command, qint16(timeoutMs));
        QCOMPARE(line->writes(), writes);
        QCOMPARE(door().LastReply(), lastReply);
        const QStringList log =
            sentLine.isNull() ? QStringList{QString()} : QStringList{sentLine, QString()};
        QCOMPARE(fx->logLines(), log);
    }

    void checks_data()
    {
        addColumns<Check, QByteArray, QByteArray, QByteArray, bool, QStringList>(
            {"check", "reply", "a", "b", "failed", "log"});

        const QString gotOK = QStringLiteral("  GOT (OK\r\n) as expected.");
        const QString wantOK = QStringLiteral("      (OK\r\n) was expected.");
        QTest::newRow("expect: equal")
            << Check::Expect << kOK << kOK << QByteArray() << false << QStringList{gotOK};
        QTest::newRow("expect: no reply") << Check::Expect << QByteArray() << kOK << QByteArray()
                                          << true << QStringList{"  GOT (): FAILURE", wantOK};
        QTest::newRow("expect: other case")
            << Check::Expect << QByteArray("ok\r\n") << kOK << QByteArray() << true
            << QStringList{"  GOT (ok\r\n): FAILURE", wantOK};
        QTest::newRow("expect: without CR LF")
            << Check::Expect << QByteArray("OK") << kOK << QByteArray() << true
            << QStringList{"  GOT (OK): FAILURE", wantOK};
        QTest::newRow("expect: one byte more")
            << Check::Expect << QByteArray("OK\r\nx") << kOK << QByteArray() << true
            << QStringList{"  GOT (OK\r\nx): FAILURE", wantOK};
        QTest::newRow("expect: high bytes log as marked bytes")
            << Check::Expect
            << QByteArray("\xff\xff"
                          "blah")
            << QByteArray("\xff\xff"
                          "blah")
            << QByteArray() << false
            << QStringList{QStringLiteral("  GOT (") + portText("\xff\xff") +
                           QStringLiteral("blah) as expected.")};
        QTest::newRow("either: first")
            << Check::Either << kOK << kOK << kER << false << QStringList{gotOK};
        QTest::newRow("either: second") << Check::Either << kER << kOK << kER << false
                                        << QStringList{"  GOT (ER\r\n) as expected."};
        QTest::newRow("either: neither")
            << Check::Either << QByteArray("Base") << kOK << kER << true
            << QStringList{"  GOT (Base): FAILURE", "      (OK\r\n) OR (ER\r\n) was expected."};
        QTest::newRow("quiet: equal logs nothing")
            << Check::Quiet << kOK << kOK << QByteArray() << false << QStringList{};
        QTest::newRow("quiet: different logs both lines")
            << Check::Quiet << QByteArray("OK\r") << kOK << QByteArray() << true
            << QStringList{"  GOT (OK\r): FAILURE", wantOK};
        QTest::newRow("show") << Check::Show << QByteArray("FW: 1.30  \r\n") << QByteArray()
                              << QByteArray() << false << QStringList{"  GOT (FW: 1.30  \r\n)"};
    }

    void checks()
    {
        QFETCH(Check, check);
        QFETCH(QByteArray, reply);
        QFETCH(QByteArray, a);
        QFETCH(QByteArray, b);
        QFETCH(bool, failed);
        QFETCH(QStringList, log);

        door().setLastReply(reply);
        door().setErrCount(3);
        bool result = false;
        switch (check) {
        case Check::Expect:
            result = door().Modem_Expect(a);
            break;
        case Check::Either:
            result = door().Modem_ExpectEither(a, b);
            break;
        case Check::Quiet:
            result = door().Modem_ExpectQuiet(a);
            break;
        case Check::Show:
            door().Modem_ShowReply();
            break;
        }
        QCOMPARE(result, failed);
        QCOMPARE(door().ErrCount(), qint16(failed ? 4 : 3));
        QCOMPARE(door().LastReply(), reply);
        QCOMPARE(fx->logLines(), log + QStringList{QString()});
    }

    void cmdModeRaisesRtsThroughTheBox()
    {
        QVERIFY(!door().CmdRTSCbox()->isChecked());
        door().Modem_SetCmdMode();
        QVERIFY(door().CmdRTSCbox()->isChecked());
        QVERIFY(line->rts());
        QVERIFY(line->dtr());
        QCOMPARE(fx->logLines(), (QStringList{"  Setting cmd-mode.", QString()}));
        QVERIFY(fx->boxes().isEmpty());
    }

    // What the modem says on leaving command mode is kept, not shown.
    void dataModeSwallowsWhatTheModemSays()
    {
        door().Modem_SetCmdMode();
        win().session().MsgWin_Clear();
        line->clearRecord();
        bool fed = false;
        line->setCallHook([&](const QString& call) {
            if (call == "rts 0" && !fed) {
                fed = true;
                line->feedLater(5, kOK);
            }
        });
        door().Modem_SetDataMode();
        QVERIFY(!door().CmdRTSCbox()->isChecked());
        QVERIFY(!line->rts());
        QVERIFY(!line->dtr());
        QVERIFY(line->writes().isEmpty());
        QCOMPARE(door().LastReply(), kOK);
        QTest::qWait(50);
        QCOMPARE(fx->logLines(), (QStringList{"  Setting data-mode.", QString()}));
    }

    void cmdModeOnALostPortRaisesNoBox()
    {
        QVERIFY(line->lose("unplugged"));
        QTRY_VERIFY(!door().MSComm1()->PortOpen());
        win().session().MsgWin_Clear();
        fx->recorder().clear();
        door().Modem_SetCmdMode();
        QVERIFY(fx->boxes().isEmpty());
        QVERIFY(!door().CmdRTSCbox()->isChecked());
        QCOMPARE(fx->logLines(), (QStringList{"  Setting cmd-mode.", QString()}));
    }

    void commandWaitsForEarlierOutputToLeave()
    {
        line->setPendingOutput(10, 60);
        qint64 pendingAtWrite = -1;
        line->setCallHook([&](const QString& call) {
            if (call.startsWith("write"))
                pendingAtWrite = line->pendingOutput();
        });
        answerWith({{" ", 5, kER}});
        QCOMPARE(door().Modem_Transact(" ", 4, 300), kER);
        QCOMPARE(pendingAtWrite, qint64(0));
    }

    void drainWaitEndsWhenThePortGoes_data()
    {
        addFlagRows("unplug", {{"device lost", true}, {"port closed by the user", false}});
    }

    void drainWaitEndsWhenThePortGoes()
    {
        QFETCH(bool, unplug);
        line->setPendingOutput(10);
        QTimer::singleShot(80, [&] {
            if (unplug)
                line->lose("unplugged");
            else
                door().CommOpenCbox()->setChecked(false);
        });
        bool watchdog = false;
        QTimer::singleShot(10000, [&] {
            watchdog = true;
            line->setPendingOutput(0);
        });
        QCOMPARE(door().Modem_Transact(" ", 4, 250), QByteArray());
        QVERIFY(!watchdog);
        QVERIFY(line->writes().isEmpty());
        QVERIFY(door().RxNotCapturing());
    }

    // A port lost during the wait ends the exchange with what had arrived.
    void lossDuringTheWaitReturnsWhatArrived()
    {
        line->setResponder([l = line.get()](const QByteArray&) {
            l->feedLater(10, "E");
            QTimer::singleShot(60, [l] { l->lose("unplugged"); });
        });
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(door().Modem_Transact(" ", 4, 30000), QByteArray("E"));
        QVERIFY2(clock.elapsed() < 10000, "the exchange waited out its time after the loss");
        QVERIFY(door().RxNotCapturing());
    }

    void closedPortSendsNothing_data()
    {
        addColumns<bool, QByteArray, bool, QByteArrayList, QStringList>(
            {"slow", "command", "loseAfterFirst", "writes", "logged"});

        QTest::newRow("send, port closed") << false << QByteArray(" ") << false << QByteArrayList{}
                                           << QStringList{"  NOT SENT( ): the port is closed"};
        QTest::newRow("slow send, port closed")
            << true << QByteArray("Tn") << false << QByteArrayList{}
            << QStringList{"  NOT SENT(Tn): the port is closed"};
        QTest::newRow("slow send, port lost after the first character")
            << true << QByteArray("Eq5") << true << QByteArrayList{"E"}
            << QStringList{"COM1 lost: unplugged", "  SENT(E)",
                           "  NOT SENT(q5): the port is closed"};
    }

    // An exchange on a closed port gets no reply at once, and the log says what did not go out.
    void closedPortSendsNothing()
    {
        QFETCH(bool, slow);
        QFETCH(QByteArray, command);
        QFETCH(bool, loseAfterFirst);
        QFETCH(QByteArrayList, writes);
        QFETCH(QStringList, logged);

        if (loseAfterFirst) {
            line->setResponder([l = line.get()](const QByteArray&) { l->lose("unplugged"); });
        } else {
            door().CommOpenCbox()->setChecked(false);
            QVERIFY(!line->isOpen());
        }
        win().session().MsgWin_Clear();
        line->clearRecord();
        QElapsedTimer clock;
        clock.start();
        if (slow)
            door().Modem_SendSlow(command, 30000);
        else
            door().Modem_Send(command, 4, 30000);
        QVERIFY2(clock.elapsed() < 10000, "the exchange waited on a closed port");
        QCOMPARE(door().LastReply(), QByteArray());
        QCOMPARE(line->writes(), writes);
        QCOMPARE(fx->logLines(), logged << QString());
    }
};

QTEST_MAIN(tst_primitives)
#include "tst_primitives.moc"
