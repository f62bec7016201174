// Establishing communication: the probe series, the recovery dialogs and the nested restore run.
#include "modemsim/SimulatedModem.h"
#include "support/DataTable.h"
#include "support/RunSuite.h"
#include "support/SimModem.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

namespace
{

const QByteArray kER = QByteArrayLiteral("ER\r\n");

const QString kAccessTitle =
    QStringLiteral("Modem Config - Power-cycle Modem While Connected to CommPort");
const QString kLastResortTitle = QStringLiteral("Modem Config - Failed to Communicate with Modem");
const QString kPowerCycleMsg = QStringLiteral(
    "With the serial cable connected, remove and reapply power to the Modem now -- the STATUS "
    "LED should come ON.\nOnce power has been re-applied, click OK within 10 seconds to "
    "continue.");
const QString kAccessText = QStringLiteral("To access the Modem's command mode, the Modem must be "
                                           "power-cycled WHILE CONNECTED TO THE SERIAL "
                                           "CABLE.\n\n") +
                            kPowerCycleMsg;
const QString kLastResortText = QStringLiteral(
    "Still can't communicate with Modem\n\nThe Modem may be set to ignore commands in which case "
    "you must RESTORE FACTORY DEFAULTS to access command mode.  WARNING:  This will overwrite "
    "your current Modem settings.\n\nIf power, serial cable and comm. settings appear "
    "correct,\npress OK to RESTORE FACTORY DEFAULTS.");

// The log lines of a series of probes: answered from probe answerFrom on (0: never) with answer.
QStringList probeLines(int probes, int answerFrom, const QByteArray& answer)
{
    QStringList lines;
    for (int i = 1; i <= probes; ++i) {
        lines << QStringLiteral("  SENT( )");
        const QString got =
            (answerFrom > 0 && i >= answerFrom) ? QString::fromLatin1(answer) : QString();
        if (answerFrom > 0 && i >= answerFrom && answer == kER) {
            lines << QStringLiteral("  GOT (") + got + QStringLiteral(") as expected.");
        } else {
            lines << QStringLiteral("  GOT (") + got + QStringLiteral("): FAILURE")
                  << QStringLiteral("      (ER\r\n) was expected.");
        }
    }
    return lines;
}

enum class BoxAction { None, ModemWakes, ClosePort };

struct BoxReply {
    MsgAnswer answer = MsgAnswer::Ok;
    BoxAction action = BoxAction::None;
};

} // namespace

Q_DECLARE_METATYPE(QList<BoxReply>)

class tst_establish : public RunSuite
{
    Q_OBJECT

    int probes = 0;
    bool answering = false;

    // The scripted line, with an empty log and no probe seen yet.
    void openScripted()
    {
        RunSuite::openScripted();
        win().session().MsgWin_Clear();
        probes = 0;
        answering = false;
    }

private slots:
    void withoutDialogs_data()
    {
        addColumns<int, QByteArray, bool, int, int>(
            {"answerFrom", "answer", "reached", "probeCount", "errCount"});

        QTest::newRow("answers the first probe") << 1 << kER << true << 1 << 0;
        QTest::newRow("answers only the third probe") << 3 << kER << true << 3 << 0;
        QTest::newRow("answers the last probe of the series") << 4 << kER << true << 4 << 0;
        QTest::newRow("silent") << 0 << kER << false << 4 << 2 + 4;
        QTest::newRow("answers OK instead") << 1 << QByteArray("OK\r\n") << false << 4 << 2 + 4;
        QTest::newRow("answers ER without CR LF") << 1 << QByteArray("ER") << false << 4 << 2 + 4;
    }

    // With the dialogs suppressed, a series of four probes decides alone.
    void withoutDialogs()
    {
        QFETCH(int, answerFrom);
        QFETCH(QByteArray, answer);
        QFETCH(bool, reached);
        QFETCH(int, probeCount);
        QFETCH(int, errCount);

        openScripted();
        line->setResponder([&, l = line.get()](const QByteArray& w) {
            if (w == " " && ++probes >= answerFrom && answerFrom > 0)
                l->feedLater(5, answer);
        });
        door().setErrCount(2);
        door().setRunAborted(false);
        QCOMPARE(door().Modem_EstablishComm(ScriptFlag::NoPowerCycle), reached);
        QCOMPARE(probes, probeCount);
        QCOMPARE(door().ErrCount(), qint16(errCount));
        QVERIFY(!door().RunAborted());
        QVERIFY(fx->boxes().isEmpty());
        QCOMPARE(fx->logLines(), probeLines(probeCount, answerFrom, answer) << QString());
    }

    void dialogs_data()
    {
        addColumns<QList<BoxReply>, bool, QStringList, int>(
            {"replies", "reached", "titles", "probeCount"});

        QTest::newRow("cancel at the power-cycle box")
            << QList<BoxReply>{{MsgAnswer::Cancel}} << false << QStringList{kAccessTitle} << 4;
        QTest::newRow("the power-cycle brings the modem back")
            << QList<BoxReply>{{MsgAnswer::Ok, BoxAction::ModemWakes}} << true
            << QStringList{kAccessTitle} << 5;
        QTest::newRow("cancel at the last resort")
            << QList<BoxReply>{{MsgAnswer::Ok}, {MsgAnswer::Cancel}} << false
            << QStringList{kAccessTitle, kLastResortTitle} << 8;
        QTest::newRow("the last resort finds the port closed")
            << QList<BoxReply>{{MsgAnswer::Ok}, {MsgAnswer::Ok, BoxAction::ClosePort}} << false
            << QStringList{kAccessTitle, kLastResortTitle} << 8;
    }

    void dialogs()
    {
        QFETCH(QList<BoxReply>, replies);
        QFETCH(bool, reached);
        QFETCH(QStringList, titles);
        QFETCH(int, probeCount);

        openScripted();
        line->setResponder([&, l = line.get()](const QByteArray& w) {
            if (w != " ")
                return;
            ++probes;
            if (answering)
                l->feedLater(5, kER);
        });
        QStringList rtsAfterFirstBox;
        for (int i = 0; i < replies.size(); ++i) {
            const BoxReply r = replies.at(i);
            fx->recorder().answer(r.answer, [&, i, r] {
                if (i == 0)
                    line->setCallHook([&](const QString& call) {
                        if (call.startsWith("rts "))
                            rtsAfterFirstBox << call;
                    });
                if (r.action == BoxAction::ModemWakes)
                    answering = true;
                else if (r.action == BoxAction::ClosePort)
                    door().CommOpenCbox()->setChecked(false);
            });
        }
        door().setErrCount(0);
        door().setRunAborted(false);

        QCOMPARE(door().Modem_EstablishComm({}), reached);
        QCOMPARE(probes, probeCount);
        QCOMPARE(door().ErrCount(), qint16(0));
        QCOMPARE(door().RunAborted(), !reached);

        QStringList shownTitles;
        for (const RecordedBox& box : fx->boxes()) {
            shownTitles << box.title;
            if (box.title == kAccessTitle)
                QCOMPARE(box.text, kAccessText);
            if (box.title == kLastResortTitle)
                QCOMPARE(box.text, kLastResortText);
            QCOMPARE(box.buttons, MsgButtons::OkCancel);
        }
        QCOMPARE(shownTitles, titles);

        const bool toggled = replies.first().answer == MsgAnswer::Ok;
        QCOMPARE(fx->logLines().contains("Toggling RTS 5 times..."), toggled);
        if (toggled) {
            QStringList pulses;
            for (int i = 0; i < 5; ++i)
                pulses << "rts 0"
                       << "rts 1";
            // The port-gone row closes the port, which drops RTS once more at the end.
            QCOMPARE(rtsAfterFirstBox.mid(0, 10), pulses);
        } else {
            QVERIFY(rtsAfterFirstBox.isEmpty());
        }
    }

    // A device unplugged during the probes ends the attempt at once, without a dialog.
    void lostPortEndsWithoutDialogs()
    {
        openScripted();
        line->setResponder([&, l = line.get()](const QByteArray& w) {
            if (w == " " && ++probes == 2)
                QTimer::singleShot(0, [l] { l->lose("unplugged"); });
        });
        QVERIFY(!door().Modem_EstablishComm({}));
        QCOMPARE(probes, 2);
        QVERIFY(fx->boxes().isEmpty());
        QCOMPARE(door().ErrCount(), qint16(4));
        QVERIFY(!door().MSComm1()->PortOpen());
    }

    void portLostAtABox_data()
    {
        addColumns<int, QStringList, int>({"atBox", "titles", "probeCount"});

        QTest::newRow("power-cycle box") << 1 << QStringList{kAccessTitle} << 4;
        QTest::newRow("last-resort box") << 2 << QStringList{kAccessTitle, kLastResortTitle} << 8;
        QTest::newRow("the restore's power-cycle box")
            << 3 << QStringList{kAccessTitle, kLastResortTitle, kAccessTitle} << 8;
    }

    // The device unplugged while a box is open: establishing ends as soon as the box is
    // answered, nothing more goes out or is logged, and the next open starts in data mode.
    void portLostAtABox()
    {
        QFETCH(int, atBox);
        QFETCH(QStringList, titles);
        QFETCH(int, probeCount);

        openScripted();
        line->setResponder([&](const QByteArray& w) { probes += w == " " ? 1 : 0; });
        for (int box = 1; box <= atBox; ++box)
            fx->recorder().answer(MsgAnswer::Ok, [&, box] {
                if (box != atBox)
                    return;
                line->clearRecord();
                QVERIFY(line->lose("unplugged"));
                QVERIFY(QTest::qWaitFor([&] { return !door().MSComm1()->PortOpen(); }));
            });

        door().Test_RunScript("Outer", ScriptFlag::StayInCmdMode | ScriptFlag::NoSave, "Noop", 0,
                              "");

        QStringList shown;
        for (const RecordedBox& box : fx->boxes())
            shown << box.title;
        QCOMPARE(shown, titles);
        QCOMPARE(probes, probeCount);
        QCOMPARE(line->callsMatching({"write", "open"}), QStringList{});
        const QStringList log = fx->logLines();
        const qsizetype lost = log.indexOf("COM1 lost: unplugged");
        QVERIFY(lost >= 0);
        QCOMPARE(log.mid(lost), (QStringList{"COM1 lost: unplugged",
                                             "Outer Aborted in Establishing Communication", ""}));
        QCOMPARE(door().TestStateWin()->text(), "Outer Aborted in Establishing Communication");
        QCOMPARE(door().ErrCount(), qint16(0));
        QVERIFY(!door().CmdRTSCbox()->isChecked());

        door().CommOpenCbox()->setChecked(true);
        QVERIFY(line->isOpen());
        QVERIFY(!line->rts());
    }

    // The whole recovery on the simulated modem: no answer before or after the power-cycle, the
    // last resort restores the factory defaults in a run of its own, and the outer run goes on.
    void lastResortRunsANestedRestore()
    {
        SimulatedModem& modem = theSimulatedModem();
        modem.resetToDefaults();
        modem.setSilent(true);
        door().CommPort()->setEditText("SIM");
        door().CommOpenCbox()->setChecked(true);
        QVERIFY(door().MSComm1()->PortOpen());

        SimModem::answerUntilLastResort(fx->recorder());

        bool releasedEarly = false;
        QTimer poll;
        connect(&poll, &QTimer::timeout, [&] {
            if (door().CfgDoIt()->isEnabled() || door().TestDoIt()->isEnabled())
                releasedEarly = true;
        });
        poll.start(20);
        door().Test_RunScript("Outer", ScriptFlag::StayInCmdMode | ScriptFlag::NoSave, "Noop", 0,
                              "");
        poll.stop();

        QStringList titles;
        for (const RecordedBox& box : fx->boxes())
            titles << box.title;
        QCOMPARE(titles, (QStringList{kAccessTitle, kLastResortTitle, kAccessTitle}));
        QVERIFY2(!releasedEarly, "the nested run released the Do buttons");
        QVERIFY(door().CfgDoIt()->isEnabled());
        QVERIFY(door().TestDoIt()->isEnabled());
        QCOMPARE(door().TestStateWin()->text(), QStringLiteral("Outer Completed, 0 errors."));

        // The nested run cleared the log: it starts with its own announcement.
        const QStringList log = fx->logLines();
        QCOMPARE(log.first(), QStringLiteral("RestoreFactory Started."));
        QVERIFY(log.contains("  SENT(Dr)"));
        const int nestedEnd = log.indexOf("RestoreFactory Completed, 0 errors.");
        QVERIFY(nestedEnd > 0);
        QVERIFY(log.indexOf("  SENT(V)", nestedEnd) > nestedEnd);
        QCOMPARE(log.at(log.size() - 2), QStringLiteral("Outer Completed, 0 errors."));
    }
};

QTEST_MAIN(tst_establish)
#include "tst_establish.moc"
