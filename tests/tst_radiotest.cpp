// End-to-end radio tests: the remote loopback on three channels, its counters and summary, the
// state line and progress display, and where the transmitter and the modem are left.
#include "modemsim/SimulatedModem.h"
#include "script/RadioTestTables.h"
#include "support/RunSuite.h"
#include "support/ScriptChecks.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

namespace
{

const QString kOk = QStringLiteral("  GOT (OK\r\n) as expected.");

QList<QByteArray> patterns()
{
    return QList<QByteArray>(RadioTest::kRepetitionsPerChannel, RadioTest::kPattern);
}

// What the FAST radio test sends as this station ("Sm" mobile, "Sb" base) up to the loopback,
// then on each channel its selection and the patterns.
QList<QByteArray> loopbackWrites(const QByteArray& station, const QList<QByteArray>& channels)
{
    QList<QByteArray> writes = RecordedSimLine::scriptWrites(
        {" ",     "V",  "**", "Fe", "Ya", station, "CF", "Yl", "Mn", QByteArray("W\0", 2),
         "PO",    "Tn", "An", "Rf", "Fx", "Ds",    "Df", "Fe", "Ya", "Mr",
         "Eq5vn", "PH", "Tn", "An", "Rf"});
    for (const QByteArray& channel : channels)
        writes += RecordedSimLine::scriptWrites({channel}) + patterns();
    return writes;
}

// The state line's texts from the step of the prelude on: each channel's step, then its
// repetition numbers.
QStringList loopbackStates(const QStringList& steps)
{
    QStringList states{QStringLiteral("Setting up for Radio Test")};
    for (const QString& step : steps) {
        states << step;
        for (int k = 1; k <= RadioTest::kRepetitionsPerChannel; ++k)
            states << QString::number(k);
    }
    return states;
}

QString failureLine(const QByteArray& got)
{
    return QStringLiteral("  GOT (") + portText(got) + QStringLiteral("): FAILURE");
}

const QString kExpectedPattern =
    QStringLiteral("      (") + portText(RadioTest::kPattern) + QStringLiteral(") was expected.");

} // namespace

class tst_radiotest : public RunSuite
{
    Q_OBJECT

    // What the state line showed, and whether the progress bar was up at the time, with its value,
    // its text and where the state line's text ended.
    QStringList states;
    QList<std::pair<bool, int>> progressAtState;
    QStringList progressTexts;
    QList<int> stateTextEnds;

    void watchStateLine()
    {
        connect(door().TestStateWin(), &QLineEdit::textChanged, this, [this](const QString& text) {
            states << text;
            progressAtState << std::pair{!door().TestProgress()->isHidden(),
                                         door().TestProgress()->value()};
            progressTexts << door().TestProgress()->text();
            stateTextEnds << door().TestStateWin()->width() -
                                 door().TestStateWin()->textMargins().right();
        });
    }

    void startTest(bool mobile, bool leaveTxOn, bool leaveRts)
    {
        door().TestDeviceConfig()->setCurrentText(QStringLiteral("FAST"));
        (mobile ? door().TestIsMobile() : fx->control<QRadioButton>("TestIsBase"))
            ->setChecked(true);
        fx->control<QCheckBox>("TestConfigOnly")->setChecked(false);
        fx->control<QCheckBox>("TestLeaveTxPwrOnCbox")->setChecked(leaveTxOn);
        fx->control<QCheckBox>("TestLeaveInCmdModeCbox")->setChecked(leaveRts);
        watchStateLine();
        door().TestDoIt()->click();
    }

    // In the record of the simulated line, every pattern went out in data mode and every other
    // write in command mode.
    void checkModes()
    {
        bool rts = false;
        for (const QString& call : simLine->calls()) {
            if (call.startsWith(QLatin1String("rts ")))
                rts = call == QLatin1String("rts 1");
            else
                QVERIFY2(rts == (call != QStringLiteral("write ") +
                                             RecordedSimLine::visible(RadioTest::kPattern)),
                         qPrintable(call));
        }
    }

    // After the run the progress bar is hidden again, and it was up only from the prelude on,
    // beside the state line's text and holding its own.
    void checkProgress(int statesBeforeTest)
    {
        QVERIFY(door().TestProgress()->isHidden());
        QCOMPARE(door().TestProgress()->value(), RadioTest::kRepetitions);
        const QProgressBar* bar = door().TestProgress();
        for (int i = 0; i < states.size(); ++i) {
            const bool inTest = i >= statesBeforeTest && i < states.size() - 1;
            QCOMPARE(progressAtState[i].first, inTest);
            if (inTest) {
                QVERIFY(stateTextEnds[i] <= bar->x());
                QVERIFY2(bar->fontMetrics().horizontalAdvance(progressTexts[i]) < bar->width(),
                         qPrintable(progressTexts[i]));
            }
        }
        QCOMPARE(stateTextEnds.last(), door().TestStateWin()->width());
        QVERIFY(door().TestStateWin()->rect().contains(bar->geometry()));
        // Each repetition number shows with the count of those before it done.
        const int first = states.indexOf(QStringLiteral("1"), statesBeforeTest);
        for (int done = 0; done < RadioTest::kRepetitions; ++done) {
            const int at = first + done + done / RadioTest::kRepetitionsPerChannel;
            QCOMPARE(progressAtState[at].second, done);
        }
    }

    // The progress display's text while the state line showed one of these repetition numbers.
    QStringList progressAt(int statesBeforeTest, const QStringList& repetitions)
    {
        QStringList texts;
        for (int i = statesBeforeTest; i < states.size(); ++i)
            if (repetitions.contains(states[i]))
                texts << progressTexts[i];
        return texts;
    }

private slots:
    void init()
    {
        RunSuite::init();
        states.clear();
        progressAtState.clear();
        progressTexts.clear();
        stateTextEnds.clear();
    }

    void perfectMobileRun();
    void silentPartner();
    void inexactEchoes();
};

void tst_radiotest::perfectMobileRun()
{
    openRecordedSim();
    QVERIFY(door().TestProgress()->isHidden());
    startTest(true, false, false);

    const QList<QByteArray> expected =
        loopbackWrites("Sm", {"C8", "CX", "CH"}) + RecordedSimLine::scriptWrites({"Tf"});
    QCOMPARE(simLine->writes(), expected);
    checkModes();

    const QStringList log = fx->logLines();
    const QString missing = missingInOrder(log, {"Test Started.",
                                                 "Saving to EEPROM",
                                                 "  SENT(Df)",
                                                 kOk,
                                                 "Setting up for Radio Test",
                                                 "  SENT(Fe)",
                                                 kOk,
                                                 "  SENT(Eq5vn)",
                                                 kOk,
                                                 "  SENT(Rf)",
                                                 kOk,
                                                 "Remote Loopback Ch# 8",
                                                 "  Setting cmd-mode.",
                                                 "  SENT(C8)",
                                                 kOk,
                                                 "  Setting data-mode.",
                                                 "Remote Loopback Ch# 40",
                                                 "  SENT(CX)",
                                                 "Remote Loopback Ch# 24",
                                                 "  SENT(CH)",
                                                 "Performance Summary:",
                                                 "  ch# 8: 0 errs",
                                                 "  ch# 40: 0 errs",
                                                 "  ch# 24: 0 errs",
                                                 "NOTE: Tx Pwr left OFF",
                                                 "  Setting cmd-mode.",
                                                 "  SENT(Tf)",
                                                 kOk,
                                                 "  Setting data-mode.",
                                                 "Test Completed, 0 errors."});
    QVERIFY2(missing.isEmpty(), qPrintable(missing));
    // The repetitions write nothing to the message window.
    for (const char* step : {"Remote Loopback Ch# 40", "Remote Loopback Ch# 24"})
        QCOMPARE(log.at(log.indexOf(QString::fromLatin1(step)) - 1),
                 QStringLiteral("  Setting data-mode."));
    QCOMPARE(log.at(log.indexOf(QStringLiteral("Performance Summary:")) - 1),
             QStringLiteral("  Setting data-mode."));
    QVERIFY(!log.join('\n').contains(QStringLiteral("FAILURE")));

    const int beforeTest = states.indexOf(QStringLiteral("Setting up for Radio Test"));
    QCOMPARE(states.mid(beforeTest, states.size() - beforeTest - 1),
             loopbackStates(
                 {"Remote Loopback Ch# 8", "Remote Loopback Ch# 40", "Remote Loopback Ch# 24"}));
    QCOMPARE(states.last(), QStringLiteral("Test Completed, 0 errors."));
    checkProgress(beforeTest);
    QCOMPARE(
        progressAt(beforeTest, {"1", "24"}),
        (QStringList{"Ch# 8 (1 of 3): 1 of 24, 0 errors", "Ch# 8 (1 of 3): 24 of 24, 0 errors",
                     "Ch# 40 (2 of 3): 1 of 24, 0 errors", "Ch# 40 (2 of 3): 24 of 24, 0 errors",
                     "Ch# 24 (3 of 3): 1 of 24, 0 errors", "Ch# 24 (3 of 3): 24 of 24, 0 errors"}));

    QCOMPARE(door().ErrCount(), 0);
    QVERIFY(!simLine->rts());
    QVERIFY(!door().CmdRTSCbox()->isChecked());
    SimulatedModem& modem = theSimulatedModem();
    QCOMPARE(modem.settings().channel, 24);
    QVERIFY(!modem.settings().transmitterOn);
    QCOMPARE(modem.packetsEchoed(), RadioTest::kRepetitions);
}

void tst_radiotest::silentPartner()
{
    openRecordedSim();
    theSimulatedModem().setPartnerPresent(false);
    startTest(false, true, true);

    const QList<QByteArray> expected = loopbackWrites("Sb", {"C1", "CP", "C@"});
    QCOMPARE(simLine->writes(), expected);
    checkModes();

    const QStringList log = fx->logLines();
    const QString missing = missingInOrder(
        log, {"Remote Loopback Ch# 1", "  SENT(C1)", kOk, "  Setting data-mode.", failureLine({}),
              kExpectedPattern, "Remote Loopback Ch# 32", "  SENT(CP)", "Remote Loopback Ch# 16",
              "  SENT(C@)", "Performance Summary:", "  ch# 1: 24 errs", "  ch# 32: 24 errs",
              "  ch# 16: 24 errs", "NOTE: Tx Pwr left ON (but saved as OFF)", "  Setting cmd-mode.",
              "Test Completed, 72 errors."});
    QVERIFY2(missing.isEmpty(), qPrintable(missing));
    QCOMPARE(log.count(failureLine({})), RadioTest::kRepetitions);
    QCOMPARE(log.count(kExpectedPattern), RadioTest::kRepetitions);
    // Each channel's step is followed by its own 24 failed repetitions.
    const int ch32 = log.indexOf(QStringLiteral("Remote Loopback Ch# 32"));
    const int ch16 = log.indexOf(QStringLiteral("Remote Loopback Ch# 16"));
    QCOMPARE(log.mid(ch32, ch16 - ch32).count(failureLine({})), 24);
    QVERIFY(!log.contains(QStringLiteral("  SENT(Tf)")));
    QVERIFY(!log.contains(QStringLiteral("NOTE: Tx Pwr left OFF")));

    QCOMPARE(door().ErrCount(), 72);
    QCOMPARE(door().TestStateWin()->text(), QStringLiteral("Test Completed, 72 errors."));
    // "...Leave RTS ON?" found the modem in data mode after the test and put it in command mode.
    QVERIFY(simLine->rts());
    QVERIFY(door().CmdRTSCbox()->isChecked());
    QVERIFY(theSimulatedModem().inCommandMode());
    QVERIFY(theSimulatedModem().settings().transmitterOn);
    const int beforeTest = states.indexOf(QStringLiteral("Setting up for Radio Test"));
    checkProgress(beforeTest);
    // Each repetition shows with the channel's errors before it; the last one's counts after.
    QCOMPARE(
        progressAt(beforeTest, {"1", "2", "24"}),
        (QStringList{"Ch# 1 (1 of 3): 1 of 24, 0 errors", "Ch# 1 (1 of 3): 2 of 24, 1 error",
                     "Ch# 1 (1 of 3): 24 of 24, 23 errors", "Ch# 32 (2 of 3): 1 of 24, 0 errors",
                     "Ch# 32 (2 of 3): 2 of 24, 1 error", "Ch# 32 (2 of 3): 24 of 24, 23 errors",
                     "Ch# 16 (3 of 3): 1 of 24, 0 errors", "Ch# 16 (3 of 3): 2 of 24, 1 error",
                     "Ch# 16 (3 of 3): 24 of 24, 23 errors"}));
    QCOMPARE(door().TestProgress()->text(), QStringLiteral("Ch# 16 (3 of 3): 24 of 24, 24 errors"));
}

// A scripted modem on firmware 1.22 whose partner echoes inexactly: one byte too many on
// channel 1, the two leading 255 bytes missing on channel 32, every third echo lost on 16.
void tst_radiotest::inexactEchoes()
{
    auto line = ScriptedLine::install(win());
    door().CommOpenCbox()->setChecked(true);
    QVERIFY(line->isOpen());
    line->clearRecord();

    QByteArray pending;
    QByteArray channel;
    int repetition = 0;
    line->setResponder([&](const QByteArray& written) {
        if (!line->rts()) {
            ++repetition;
            if (channel == "C1")
                line->feed(written + 'x');
            else if (channel == "CP")
                line->feed(written.mid(2));
            else if (repetition % 3 != 0)
                line->feed(written);
            return;
        }
        if (written == " ")
            line->feed("ER\r\n");
        else if (written == "V")
            line->feed("FW: 1.22  \r\nOK\r\n");
        else if (written == "**")
            line->feed("OK\r\n");
        else {
            pending += written;
            if (pending.size() < (pending.startsWith('E') ? 5 : 2))
                return;
            if (pending.startsWith('C')) {
                channel = pending;
                repetition = 0;
            }
            pending.clear();
            line->feed("OK\r\n");
        }
    });
    startTest(false, true, false);

    QList<QByteArray> patternWrites;
    for (const QByteArray& w : line->writes())
        if (w == RadioTest::kPattern)
            patternWrites << w;
    QCOMPARE(patternWrites.size(), RadioTest::kRepetitions);
    const QByteArray sent = line->written();
    // Firmware 1.22: the old set in the preamble and prelude, no "Rf" anywhere.
    QVERIFY(sent.startsWith(QByteArrayLiteral(" V**FeRaSbCFRlMnW") + '\0' +
                            QByteArrayLiteral("POTnAnFxDsDfFeRaMrEq5vnPHTnAnC1")));
    QVERIFY(!sent.contains("Rf"));
    QVERIFY(!sent.contains("Tf"));

    const QStringList log = fx->logLines();
    const QString missing = missingInOrder(log, {"Modem Firmware Version = [1.22]",
                                                 "Setting up for Radio Test",
                                                 "  SENT(Ra)",
                                                 "  SENT(An)",
                                                 kOk,
                                                 "Remote Loopback Ch# 1",
                                                 failureLine(RadioTest::kPattern + 'x'),
                                                 kExpectedPattern,
                                                 "Remote Loopback Ch# 32",
                                                 failureLine(RadioTest::kPattern.mid(2)),
                                                 kExpectedPattern,
                                                 "Remote Loopback Ch# 16",
                                                 failureLine({}),
                                                 "Performance Summary:",
                                                 "  ch# 1: 24 errs",
                                                 "  ch# 32: 24 errs",
                                                 "  ch# 16: 8 errs",
                                                 "NOTE: Tx Pwr left ON (but saved as OFF)",
                                                 "  Setting data-mode.",
                                                 "Test Completed, 56 errors."});
    QVERIFY2(missing.isEmpty(), qPrintable(missing));
    QCOMPARE(log.count(kExpectedPattern), 56);
    QCOMPARE(door().ErrCount(), 56);
    // Neither "...Leave" box is ticked: the run ends in data mode.
    QVERIFY(!line->rts());
    QVERIFY(!door().CmdRTSCbox()->isChecked());
}

QTEST_MAIN(tst_radiotest)
#include "tst_radiotest.moc"
