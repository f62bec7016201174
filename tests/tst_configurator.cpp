// The Modem Configurator's "Do It": its boxes, the factory restore's dialogue and its runs.
#include "modemsim/SimulatedModem.h"
#include "support/DataTable.h"
#include "support/RunSuite.h"
#include "support/SimModem.h"
#include "support/UserInput.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

namespace
{

const QString kPowerCycleTitle =
    QStringLiteral("Modem Config - Power-cycle Modem While Connected to CommPort");
const QString kErrorBoxText =
    QStringLiteral("Error(s) occurred;  See the Message Window for details");
const QString kErrorBoxTitle = QStringLiteral("Modem Config - Error Configuring Modem");
const QString kOverwriteTitle = QStringLiteral("Modem Config - Over-write user-settings?");
const QString kRestoreText = QStringLiteral(
    "To restore factory defaults, the Modem must be power-cycled WHILE CONNECTED TO THE SERIAL "
    "CABLE.\n\nWith the serial cable connected, remove and reapply power to the Modem now -- the "
    "STATUS LED should come ON.\nOnce power has been re-applied, click OK within 10 seconds to "
    "continue.");

// What the simulated unit's user does at a box.
enum class AtBox { Nothing, PowerCycle };

struct BoxReply {
    MsgAnswer answer = MsgAnswer::Ok;
    AtBox action = AtBox::Nothing;
};

QStringList titlesOf(const QList<RecordedBox>& boxes)
{
    QStringList titles;
    for (const RecordedBox& box : boxes)
        titles << box.title;
    return titles;
}

} // namespace

Q_DECLARE_METATYPE(QList<BoxReply>)

class tst_configurator : public RunSuite
{
    Q_OBJECT

    // Selects the configurator option of that name.
    void choose(const QString& option) { fx->control<QRadioButton>(option)->setChecked(true); }

public:
    // Shown, so that the lists' popups open and their entries can be clicked.
    tst_configurator() : RunSuite(true) {}

private slots:
    void portClosed_data()
    {
        QTest::addColumn<QString>("option");
        for (const char* option :
             {"CfgRestoreFactory", "CfgChangeChannel", "CfgChangeMode", "CfgQuery"})
            QTest::newRow(option) << QString::fromLatin1(option);
    }

    // Only the box: nothing logged, the buttons never locked.
    void portClosed()
    {
        QFETCH(QString, option);
        choose(option);
        const QStringList logBefore = fx->logLines();
        const QString stateBefore = door().TestStateWin()->text();
        bool lockedAtBox = true;
        fx->recorder().setObserver(
            [&](const RecordedBox&) { lockedAtBox = !door().CfgDoIt()->isEnabled(); });
        door().CfgDoIt()->click();
        QCOMPARE(fx->boxes(),
                 (QList<RecordedBox>{{"Error: Ensure the correct Comm Port is open.",
                                      "Modem Config - CommPort not open!", MsgButtons::Ok}}));
        QVERIFY(!lockedAtBox);
        QCOMPARE(fx->logLines(), logBefore);
        QCOMPARE(door().TestStateWin()->text(), stateBefore);
        QVERIFY(door().CfgDoIt()->isEnabled());
    }

    // A pick in a list selects the option that uses the list, also a pick of the entry the
    // list already shows (after start-up "4" and "PBASIC"); so does a change made by the program.
    void pickingAValuePicksItsAction_data()
    {
        addColumns<QString, int, bool, QString>({"list", "row", "byProgram", "option"});
        QTest::newRow("shown channel") << "CfgNewChannel" << 0 << false << "CfgChangeChannel";
        QTest::newRow("channel 22") << "CfgNewChannel" << 2 << false << "CfgChangeChannel";
        QTest::newRow("shown mode") << "CfgNewDeviceConfig" << 0 << false << "CfgChangeMode";
        QTest::newRow("Factory Defaults") << "CfgNewDeviceConfig" << 1 << false << "CfgChangeMode";
        QTest::newRow("channel set by the program")
            << "CfgNewChannel" << 3 << true << "CfgChangeChannel";
    }
    void pickingAValuePicksItsAction()
    {
        QFETCH(QString, list);
        QFETCH(int, row);
        QFETCH(bool, byProgram);
        QFETCH(QString, option);
        auto* combo = fx->control<QComboBox>(list);
        QVERIFY(door().CfgQuery()->isChecked());
        if (byProgram)
            combo->setCurrentIndex(row);
        else
            QVERIFY(UserInput::pick(combo, row));
        QCOMPARE(combo->currentIndex(), row);
        QVERIFY(fx->control<QRadioButton>(option)->isChecked());
        QVERIFY(!door().CfgQuery()->isChecked());
    }

    void overwriteCancelled_data()
    {
        addColumns<int, QString>({"index", "config"});
        QTest::newRow("PBASIC") << 0 << "PBASIC";
        QTest::newRow("Factory Defaults") << 1 << "Factory Defaults";
    }

    void overwriteCancelled()
    {
        QFETCH(int, index);
        QFETCH(QString, config);
        openScripted();
        fx->control<QComboBox>("CfgNewDeviceConfig")->setCurrentIndex(index);
        fx->control<QRadioButton>("CfgChangeMode")->setChecked(true);
        const QStringList logBefore = fx->logLines();
        fx->recorder().answer(MsgAnswer::Cancel);
        door().CfgDoIt()->click();
        const QString overwrite =
            "WARNING:  You are about to over-write any user-defined settings in your "
            "modem.\n\nProceed with over-write of user-settings, restoring modem to " +
            config + "?";
        QCOMPARE(fx->boxes(),
                 (QList<RecordedBox>{{overwrite, kOverwriteTitle, MsgButtons::OkCancel}}));
        QVERIFY(line->writes().isEmpty());
        QCOMPARE(fx->logLines(), logBefore);
        QVERIFY(door().CfgDoIt()->isEnabled());
        QVERIFY(door().TestDoIt()->isEnabled());
    }

    // Cancel at the power-cycle box: the port is left at 9600 with RTS raised, nothing sent.
    void restoreCancelledAtPowerCycle()
    {
        openScripted();
        door().CommBaud()->setCurrentText("19200");
        QCOMPARE(line->lastSettings().baud, 19200);
        fx->control<QComboBox>("TestNewBaud")->setCurrentText("4800");
        fx->control<QRadioButton>("CfgRestoreFactory")->setChecked(true);
        win().session().MsgWin_Clear();
        line->clearRecord();
        fx->recorder().answer(MsgAnswer::Cancel);
        door().CfgDoIt()->click();

        QCOMPARE(titlesOf(fx->boxes()), QStringList{kPowerCycleTitle});
        QCOMPARE(fx->boxes().first().text, kRestoreText);
        QCOMPARE(fx->boxes().first().buttons, MsgButtons::OkCancel);
        QCOMPARE(fx->logLines().first(), QStringLiteral("Restoring Factory Defaults"));
        QVERIFY(!fx->logLines().contains("Toggling RTS 5 times..."));
        QCOMPARE(door().CommBaud()->currentText(), QStringLiteral("9600"));
        QCOMPARE(fx->control<QComboBox>("TestNewBaud")->currentText(), QStringLiteral("19200"));
        QCOMPARE(line->lastSettings().baud, 9600);
        QVERIFY(line->rts());
        QVERIFY(door().CmdRTSCbox()->isChecked());
        QVERIFY(line->writes().isEmpty());
        QCOMPARE(door().ErrCount(), qint16(0));
        QVERIFY(door().RunAborted());
        QVERIFY(door().CfgDoIt()->isEnabled());
    }

    // A restore that fails its probes ends with the error box, once the run has reported.
    void failedChecksShowTheErrorBox()
    {
        openScripted();
        fx->control<QRadioButton>("CfgRestoreFactory")->setChecked(true);
        bool lockedAtErrorBox = false;
        fx->recorder().setObserver([&](const RecordedBox& box) {
            if (box.title == kErrorBoxTitle)
                lockedAtErrorBox =
                    !door().CfgDoIt()->isEnabled() && !door().TestDoIt()->isEnabled();
        });
        door().CfgDoIt()->click();

        QCOMPARE(titlesOf(fx->boxes()), (QStringList{kPowerCycleTitle, kErrorBoxTitle}));
        QCOMPARE(fx->boxes().last().text, kErrorBoxText);
        QCOMPARE(fx->boxes().last().buttons, MsgButtons::Ok);
        QVERIFY(lockedAtErrorBox);
        QCOMPARE(door().ErrCount(), qint16(4));
        QCOMPARE(door().TestStateWin()->text(),
                 QStringLiteral("RestoreFactory Aborted in Establishing Communication"));
        QCOMPARE(line->writes(), QList<QByteArray>(4, " "));
        QVERIFY(door().CfgDoIt()->isEnabled());
        QVERIFY(door().TestDoIt()->isEnabled());
    }

    void actionsOnTheSimulatedModem_data()
    {
        addColumns<QString, QString, int, bool, QList<BoxReply>, QStringList, QString, int>(
            {"option", "list", "listIndex", "silent", "replies", "titles", "state", "channel"});

        QTest::newRow("query") << "CfgQuery" << QString() << -1 << false << QList<BoxReply>{}
                               << QStringList{} << "QueryConfig Completed, 0 errors." << -1;
        QTest::newRow("change channel to 22")
            << "CfgChangeChannel"
            << "CfgNewChannel" << 2 << false << QList<BoxReply>{} << QStringList{}
            << "SetChannel Completed, 0 errors." << 22;
        QTest::newRow("restore the PBASIC mode")
            << "CfgChangeMode"
            << "CfgNewDeviceConfig" << 0 << false << QList<BoxReply>{{MsgAnswer::Ok}}
            << QStringList{kOverwriteTitle} << "SetConfig Completed, 0 errors." << -1;
        QTest::newRow("restore the factory defaults")
            << "CfgRestoreFactory" << QString() << -1 << false
            << QList<BoxReply>{{MsgAnswer::Ok, AtBox::PowerCycle}} << QStringList{kPowerCycleTitle}
            << "RestoreFactory Completed, 0 errors." << -1;
        // A cancelled recovery counts no errors, so no error box follows.
        QTest::newRow("silent modem, recovery cancelled")
            << "CfgChangeChannel"
            << "CfgNewChannel" << 0 << true << QList<BoxReply>{{MsgAnswer::Cancel}}
            << QStringList{kPowerCycleTitle} << "SetChannel Aborted in Establishing Communication"
            << -1;
    }

    void actionsOnTheSimulatedModem()
    {
        QFETCH(QString, option);
        QFETCH(QString, list);
        QFETCH(int, listIndex);
        QFETCH(bool, silent);
        QFETCH(QList<BoxReply>, replies);
        QFETCH(QStringList, titles);
        QFETCH(QString, state);
        QFETCH(int, channel);

        openSim();
        SimulatedModem& modem = theSimulatedModem();
        modem.setSilent(silent);
        // Picking a list entry picks its option by itself.
        if (list.isEmpty())
            choose(option);
        else
            QVERIFY(UserInput::pick(fx->control<QComboBox>(list), listIndex));
        QVERIFY(fx->control<QRadioButton>(option)->isChecked());
        for (const BoxReply& r : replies) {
            fx->recorder().answer(r.answer, [&modem, r] {
                if (r.action == AtBox::PowerCycle)
                    modem.powerCycle();
            });
        }
        door().CfgDoIt()->click();

        QCOMPARE(titlesOf(fx->boxes()), titles);
        QCOMPARE(door().TestStateWin()->text(), state);
        if (channel >= 0) {
            QCOMPARE(modem.settings().channel, channel);
            QVERIFY(modem.settingsSaved());
        }
        // Every configurator run leaves the modem in command mode.
        if (!silent) {
            QVERIFY(door().CmdRTSCbox()->isChecked());
            QVERIFY(modem.inCommandMode());
        }
        QVERIFY(door().CfgDoIt()->isEnabled());
        QVERIFY(door().TestDoIt()->isEnabled());
    }

    void focusAfterARun_data()
    {
        addFlagRows("bySpace", {{"Do It clicked", false}, {"Do It pressed with Space", true}});
    }

    // The run greys the button; the focus waits elsewhere and comes back to it, so the next
    // arrow key changes no setting (the display mode or the baud rate after the button).
    void focusAfterARun()
    {
        QFETCH(bool, bySpace);
        openSim();
        choose(QStringLiteral("CfgQuery"));
        win().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&win()));
        QWidget* seenDuringRun = nullptr;
        connect(door().TestStateWin(), &QLineEdit::textChanged, this,
                [&] { seenDuringRun = QApplication::focusWidget(); });
        if (bySpace) {
            door().CfgDoIt()->setFocus(Qt::TabFocusReason);
            QCOMPARE(QApplication::focusWidget(), door().CfgDoIt());
            UserInput::key(Qt::Key_Space);
        } else {
            UserInput::click(door().CfgDoIt());
        }
        QCOMPARE(door().TestStateWin()->text(), QStringLiteral("QueryConfig Completed, 0 errors."));
        QVERIFY(seenDuringRun);
        QVERIFY(!qobject_cast<QComboBox*>(seenDuringRun));
        QCOMPARE(QApplication::focusWidget(), door().CfgDoIt());
        const int baud = door().CommBaud()->currentIndex();
        UserInput::key(Qt::Key_Down);
        UserInput::key(Qt::Key_Up);
        QCOMPARE(QApplication::focusWidget(), door().CfgDoIt());
        QCOMPARE(fx->control<QComboBox>("RxShowMode")->currentText(), QStringLiteral("chars"));
        QCOMPARE(door().CommBaud()->currentIndex(), baud);
        QCOMPARE(fx->control<QComboBox>("CfgNewChannel")->currentIndex(), 0);
    }
};

QTEST_MAIN(tst_configurator)
#include "tst_configurator.moc"
