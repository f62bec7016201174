// The script runner and the Test Console: run reports and their verdict colours, the Do buttons,
// "Do Test", baudswap.
#include "modemsim/SimulatedModem.h"
#include "shell/VerdictColour.h"
#include "support/DataTable.h"
#include "support/RunSuite.h"
#include "support/SimModem.h"

#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

namespace
{
// The contrast ratio of two colours as legibility guidelines measure it (1 to 21).
double contrast(const QColor& a, const QColor& b)
{
    const auto luminance = [](const QColor& c) {
        const auto channel = [](double v) {
            return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) +
               0.0722 * channel(c.blueF());
    };
    const double la = luminance(a);
    const double lb = luminance(b);
    return (qMax(la, lb) + 0.05) / (qMin(la, lb) + 0.05);
}
} // namespace

class tst_runner : public RunSuite
{
    Q_OBJECT

private slots:
    void portClosedStartsNoRun()
    {
        win().session().MsgWin_Output("earlier line");
        const QStringList logBefore = fx->logLines();
        door().TestDoIt()->click();
        QCOMPARE(fx->boxes(),
                 (QList<RecordedBox>{{"Error: Ensure the correct CommPort is open.",
                                      "Modem Config - CommPort Not Open", MsgButtons::Ok}}));
        QCOMPARE(door().TestStateWin()->text(), QStringLiteral("<= Press to begin Test."));
        QCOMPARE(fx->logLines(), logBefore);
        QVERIFY(door().CfgDoIt()->isEnabled());
        QVERIFY(door().TestDoIt()->isEnabled());
    }

    void reports_data()
    {
        addColumns<bool, int, QByteArray, QString, int, bool>(
            {"silent", "flags", "initId", "state", "errCount", "rtsAfter"});

        const int stay = int(ScriptFlag::StayInCmdMode);
        const int noSave = int(ScriptFlag::NoSave);
        const int noDialogs = int(ScriptFlag::NoPowerCycle);
        QTest::newRow("clean run staying in command mode")
            << false << (stay | noSave) << QByteArray("Noop") << "Run Completed, 0 errors." << 0
            << true;
        QTest::newRow("clean run ending in data mode")
            << false << noSave << QByteArray("Noop") << "Run Completed, 0 errors." << 0 << false;
        QTest::newRow("no answer aborts in establishing")
            << true << (stay | noDialogs) << QByteArray("Noop")
            << "Run Aborted in Establishing Communication" << 4 << true;
        // The wrong rate stops the run before its first step is named.
        QTest::newRow("wrong baud rate aborts in start-up")
            << false << (stay | noSave) << QByteArray("RM2") << "Run Aborted in Start-up" << 0
            << false;
    }

    void reports()
    {
        QFETCH(bool, silent);
        QFETCH(int, flags);
        QFETCH(QByteArray, initId);
        QFETCH(QString, state);
        QFETCH(int, errCount);
        QFETCH(bool, rtsAfter);

        openSim();
        theSimulatedModem().setSilent(silent);
        win().session().MsgWin_Output("line of an earlier run");
        // Leftovers of an earlier run that the runner must reset.
        door().setErrCount(9);
        door().setRunAborted(true);
        door().setScriptStep("stale step");
        door().setLastReply("stale reply");

        bool releasedDuringRun = false;
        int polls = 0;
        QTimer poll;
        connect(&poll, &QTimer::timeout, [&] {
            ++polls;
            if (door().CfgDoIt()->isEnabled() || door().TestDoIt()->isEnabled())
                releasedDuringRun = true;
        });
        poll.start(20);
        door().Test_RunScript("Run", ScriptFlags::fromInt(flags), initId, 0, "");
        poll.stop();

        QCOMPARE(door().TestStateWin()->text(), state);
        QCOMPARE(door().ErrCount(), qint16(errCount));
        const QStringList log = fx->logLines();
        QCOMPARE(log.first(), QStringLiteral("Run Started."));
        QVERIFY(!log.contains("line of an earlier run"));
        QCOMPARE(log.at(log.size() - 2), state);
        QVERIFY(!log.join('\n').contains("stale reply"));
        // A run stopped before its first exchange never waits, so nothing polled then.
        QVERIFY(polls > 0 || state.endsWith("Start-up"));
        QVERIFY(!releasedDuringRun);
        QVERIFY(door().CfgDoIt()->isEnabled());
        QVERIFY(door().TestDoIt()->isEnabled());
        QCOMPARE(door().RunDepth(), 0);
        QCOMPARE(door().CmdRTSCbox()->isChecked(), rtsAfter);
        QCOMPARE(door().RTS_Get(), rtsAfter);
    }

    void verdict_data()
    {
        addColumns<bool, QByteArray, int, QString>({"silent", "testId", "verdict", "state"});
        QTest::newRow("clean") << false << QByteArray() << int(RunVerdict::Clean)
                               << "Run Completed, 0 errors.";
        // A settings listing that does not end in "OK" counts one error.
        QTest::newRow("with errors") << false << QByteArray("?") << int(RunVerdict::WithErrors)
                                     << "Run Completed, 1 errors.";
        QTest::newRow("aborted") << true << QByteArray() << int(RunVerdict::Aborted)
                                 << "Run Aborted in Establishing Communication";
    }

    // The state line's colour tells the outcome until the next run starts; the console frame's
    // baud warning comes and goes beside it.
    void verdict()
    {
        QFETCH(bool, silent);
        QFETCH(QByteArray, testId);
        QFETCH(int, verdict);
        QFETCH(QString, state);

        openSim();
        theSimulatedModem().setSilent(silent);
        theSimulatedModem().setReplyOverride("?", "a listing cut short");
        const auto base = [this] { return door().TestStateWin()->palette().color(QPalette::Base); };
        const auto frame = [this] {
            return door().TestConsoleFrame()->palette().color(
                door().TestConsoleFrame()->backgroundRole());
        };
        const QColor themeBase = base();
        const QColor expected = verdictBackground(RunVerdict(verdict));
        fx->control<QComboBox>("TestSetBaudTo")->setCurrentText("DontSet");
        const ScriptFlags flags =
            ScriptFlag::StayInCmdMode | ScriptFlag::NoSave | ScriptFlag::NoPowerCycle;

        door().Test_RunScript("Run", flags, "Noop", 0, testId);
        QCOMPARE(door().TestStateWin()->text(), state);
        QCOMPARE(base(), expected);
        QVERIFY(expected != themeBase);
        QCOMPARE(frame(), QColor(Qt::red));
        fx->control<QComboBox>("TestSetBaudTo")->setCurrentText("Standard");
        QCOMPARE(frame(), door().TestConsoleBackColor());
        QCOMPARE(base(), expected);

        theSimulatedModem().setSilent(false);
        QColor atStart;
        connect(door().TestStateWin(), &QLineEdit::textChanged, this, [&](const QString& text) {
            if (text == QLatin1String("Next Started."))
                atStart = base();
        });
        door().Test_RunScript("Next", flags, "Noop", 0, "");
        disconnect(door().TestStateWin(), nullptr, this, nullptr);
        QCOMPARE(atStart, themeBase);
        QCOMPARE(base(), verdictBackground(RunVerdict::Clean));
    }

    void verdictColoursLegible_data()
    {
        addColumns<QColor, QColor>({"themeBase", "themeText"});
        QTest::newRow("light theme") << QColor(Qt::white) << QColor(Qt::black);
        QTest::newRow("dark theme") << QColor(0x2A, 0x2A, 0x2A) << QColor(0xEE, 0xEE, 0xEE);
    }

    // Dark text on three distinct light colours, whatever the desktop theme; the line returns to
    // the theme's own colours after.
    void verdictColoursLegible()
    {
        QFETCH(QColor, themeBase);
        QFETCH(QColor, themeText);
        const QPalette before = QApplication::palette();
        const auto restore = qScopeGuard([&] { QApplication::setPalette(before); });
        QPalette theme = before;
        theme.setColor(QPalette::Base, themeBase);
        theme.setColor(QPalette::Text, themeText);
        QApplication::setPalette(theme);

        QLineEdit line;
        QList<QColor> shown;
        for (RunVerdict v : {RunVerdict::Clean, RunVerdict::WithErrors, RunVerdict::Aborted}) {
            showVerdict(&line, v);
            const QColor bg = line.palette().color(QPalette::Base);
            QVERIFY(!shown.contains(bg));
            shown << bg;
            QVERIFY2(contrast(bg, line.palette().color(QPalette::Text)) >= 7.0,
                     qPrintable(bg.name()));
        }
        showVerdict(&line, RunVerdict::None);
        QCOMPARE(line.palette().color(QPalette::Base), themeBase);
        QCOMPARE(line.palette().color(QPalette::Text), themeText);
    }

    // A device unplugged in the middle of a run ends the wait under way at once; the run
    // reports, and the window is left closed and ready.
    void unpluggedDuringARun()
    {
        openSim();
        QElapsedTimer sinceLoss;
        // Unplugged as soon as the modem has the listing command: the two-second wait is on.
        QTimer watch;
        connect(&watch, &QTimer::timeout, [&] {
            if (theSimulatedModem().lastCommand() == "?" && !sinceLoss.isValid()) {
                theSimulatedModem().vanish();
                sinceLoss.start();
            }
        });
        watch.start(5);
        door().CfgDoIt()->click();
        const qint64 runEndedAfter = sinceLoss.elapsed();
        theSimulatedModem().plugIn();

        QVERIFY(sinceLoss.isValid());
        QVERIFY2(runEndedAfter < 1000, "the run went on waiting after the loss");
        QCOMPARE(door().TestStateWin()->text(), QStringLiteral("QueryConfig Completed, 1 errors."));
        QCOMPARE(fx->boxes().size(), 1);
        QCOMPARE(fx->boxes().first().title,
                 QStringLiteral("Modem Config - Error Configuring Modem"));
        QVERIFY(!door().MSComm1()->PortOpen());
        QVERIFY(!door().CommOpenCbox()->isChecked());
        QVERIFY(!door().CmdRTSCbox()->isChecked());
        QVERIFY(door().CfgDoIt()->isEnabled());
        QVERIFY(door().TestDoIt()->isEnabled());
    }

    void doTest_data()
    {
        addColumns<bool, bool, bool, QString>({"configOnly", "mobile", "silent", "state"});

        QTest::newRow("test, no answer: no dialogs")
            << false << false << true << "Test Aborted in Establishing Communication";
        QTest::newRow("config only, no answer: no dialogs")
            << true << false << true << "Config Aborted in Establishing Communication";
        QTest::newRow("config only, mobile")
            << true << true << false << "Config Completed, 0 errors.";
        QTest::newRow("config only, base")
            << true << false << false << "Config Completed, 0 errors.";
    }

    void doTest()
    {
        QFETCH(bool, configOnly);
        QFETCH(bool, mobile);
        QFETCH(bool, silent);
        QFETCH(QString, state);

        openSim();
        SimulatedModem& modem = theSimulatedModem();
        modem.setSilent(silent);
        modem.setStation(!mobile);
        fx->control<QCheckBox>("TestConfigOnly")->setChecked(configOnly);
        (mobile ? door().TestIsMobile() : fx->control<QRadioButton>("TestIsBase"))
            ->setChecked(true);
        door().TestDeviceConfig()->setCurrentText("RM2-MultiMode");
        door().TestDoIt()->click();

        QCOMPARE(door().TestStateWin()->text(), state);
        QVERIFY(fx->boxes().isEmpty());
        if (!silent) {
            QCOMPARE(modem.isMobile(), mobile);
            QCOMPARE(modem.settings().mode, 'r');
            QCOMPARE(modem.settings().f, 'e');
        }
    }

    void baudswap_data()
    {
        QTest::addColumn<QString>("rate");
        for (const char* rate :
             {"1200", "2400", "4800", "9600", "19200", "38400", "57600", "115200"})
            QTest::newRow(rate) << QString::fromLatin1(rate);
    }

    // The two selectors exchange their rates and the port follows, at every rate offered.
    void baudswap()
    {
        QFETCH(QString, rate);
        openScripted();
        QCOMPARE(door().CommBaud()->currentText(), QStringLiteral("9600"));
        fx->control<QComboBox>("TestNewBaud")->setCurrentText(rate);
        const int opens = line->openCount();

        fx->control<QPushButton>("TestBaudswap")->click();
        QCOMPARE(door().CommBaud()->currentText(), rate);
        QCOMPARE(fx->control<QComboBox>("TestNewBaud")->currentText(), QStringLiteral("9600"));
        QCOMPARE(line->lastSettings().baud, rate.toInt());
        QCOMPARE(line->openCount(), rate == "9600" ? opens : opens + 1);

        fx->control<QPushButton>("TestBaudswap")->click();
        QCOMPARE(door().CommBaud()->currentText(), QStringLiteral("9600"));
        QCOMPARE(fx->control<QComboBox>("TestNewBaud")->currentText(), rate);
        QCOMPARE(line->lastSettings().baud, 9600);
        QVERIFY(line->isOpen());
    }

    void setCommBaudToTheCurrentRateChangesNothing()
    {
        openScripted();
        const int opens = line->openCount();
        door().SetCommBaud(9600);
        QCOMPARE(door().CommBaud()->currentText(), QStringLiteral("9600"));
        QCOMPARE(fx->control<QComboBox>("TestNewBaud")->currentText(), QStringLiteral("19200"));
        QCOMPARE(line->openCount(), opens);
        QVERIFY(line->calls().isEmpty());
    }

    void baudWarning_data()
    {
        addColumns<QString, bool>({"choice", "red"});
        QTest::newRow("DontSet") << "DontSet" << true;
        QTest::newRow("9600") << "9600" << true;
        QTest::newRow("back to Standard") << "Standard" << false;
    }

    void baudWarning()
    {
        QFETCH(QString, choice);
        QFETCH(bool, red);
        const QColor original = door().TestConsoleBackColor();
        QVERIFY(original != QColor(Qt::red));
        fx->control<QComboBox>("TestSetBaudTo")->setCurrentText("DontSet");
        fx->control<QComboBox>("TestSetBaudTo")->setCurrentText(choice);
        const QColor shown =
            door().TestConsoleFrame()->palette().color(door().TestConsoleFrame()->backgroundRole());
        QCOMPARE(shown, red ? QColor(Qt::red) : original);
    }
};

QTEST_MAIN(tst_runner)
#include "tst_runner.moc"
