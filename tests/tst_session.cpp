// A unit's session with no window at all: runs end as they do in the window, a stop ends them at
// once, and the log keeps its run's name through a clear and its undo.
#include "support/DataTable.h"
#include "support/PtyPeer.h"
#include "support/SessionFixture.h"
#include "support/SimModem.h"

#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

namespace
{
const QString kPowerCycle =
    QStringLiteral("Modem Config - Power-cycle Modem While Connected to CommPort");

enum class Start { Query, SetChannel, RestoreFactory, ConfigOnly };

void start(SessionFixture& fx, Start what)
{
    switch (what) {
    case Start::Query:
        return fx.session().Cfg_DoIt(CfgAction::Query, 0, {});
    case Start::SetChannel:
        return fx.session().Cfg_DoIt(CfgAction::SetChannel, 22, {});
    case Start::RestoreFactory:
        return fx.session().Cfg_DoIt(CfgAction::RestoreFactory, 0, {});
    case Start::ConfigOnly:
        fx.options.onlyConfig = true;
        return fx.session().TestDoIt_Click();
    }
}
} // namespace

class tst_session : public QObject
{
    Q_OBJECT
private slots:
    void runsEndAsInTheWindow_data();
    void runsEndAsInTheWindow();
    void stopEndsTheRunAtOnce_data();
    void stopEndsTheRunAtOnce();
    void undoClearBringsBackTheRunsName();
};

void tst_session::runsEndAsInTheWindow_data()
{
    addColumns<Start, QString>({"start", "run"});
    QTest::newRow("query") << Start::Query << QStringLiteral("QueryConfig");
    QTest::newRow("set channel 22") << Start::SetChannel << QStringLiteral("SetChannel");
    QTest::newRow("configure only") << Start::ConfigOnly << QStringLiteral("Config");
}

void tst_session::runsEndAsInTheWindow()
{
    QFETCH(Start, start);
    QFETCH(QString, run);
    SimModem::reset();
    SessionFixture fx;
    QVERIFY(fx.open(QStringLiteral("SIM")));
    QList<bool> busy;
    connect(&fx.session(), &UnitSession::busyChanged, &fx.session(),
            [&busy](bool on) { busy << on; });
    ::start(fx, start);
    const QString outcome = run + QStringLiteral(" Completed, 0 errors.");
    const QStringList lines = fx.logLines();
    QCOMPARE(lines.first(), run + QStringLiteral(" Started."));
    QCOMPARE(lines.value(lines.size() - 2), outcome);
    QCOMPARE(fx.session().stateLine(), outcome);
    QCOMPARE(fx.session().verdict(), RunVerdict::Clean);
    QVERIFY(fx.session().lastRun());
    QCOMPARE(fx.session().lastRun()->run, run);
    QCOMPARE(fx.session().lastRun()->outcome, RunOutcome::Completed);
    QVERIFY(!busy.isEmpty() && busy.first() && !busy.last());
    QVERIFY(fx.questions.asked.isEmpty());
}

void tst_session::stopEndsTheRunAtOnce_data()
{
    addColumns<Start, bool, QString>({"start", "answerOk", "lastLine"});
    // The box is answered, the pulses begin, and the stop comes while they go on.
    QTest::newRow("during the power-cycle pulses")
        << Start::Query << true
        << QStringLiteral("QueryConfig Aborted in Establishing Communication");
    // The stop comes while the restore's box is open: no run has shown itself yet.
    QTest::newRow("at the restore's power-cycle box")
        << Start::RestoreFactory << false << QStringLiteral("Stopped by the user");
}

void tst_session::stopEndsTheRunAtOnce()
{
    QFETCH(Start, start);
    QFETCH(bool, answerOk);
    QFETCH(QString, lastLine);
    PtyPeer silent;
    QVERIFY(silent.ok());
    SessionFixture fx;
    QVERIFY(fx.open(silent.path()));
    QElapsedTimer sinceStop;
    fx.questions.answerer = [&](const QString& title) {
        if (title != kPowerCycle)
            return MsgAnswer::Cancel;
        if (!answerOk) {
            sinceStop.start();
            fx.session().menuFileStopRun_Click();
            return MsgAnswer::Cancel;
        }
        QTimer::singleShot(250, &fx.session(), [&] {
            sinceStop.start();
            fx.session().menuFileStopRun_Click();
        });
        return MsgAnswer::Ok;
    };
    ::start(fx, start);
    // Without the stop the pulses and the settling wait would last three seconds more.
    QVERIFY2(sinceStop.elapsed() < 1000, qPrintable(QString::number(sinceStop.elapsed())));
    const QStringList lines = fx.logLines();
    const qsizetype stopped = lines.indexOf(QStringLiteral("Stopped by the user"));
    QVERIFY(stopped > 0);
    QVERIFY(lines.indexOf(QStringLiteral("Toggling RTS 5 times...")) < stopped);
    for (const QString& after : lines.mid(stopped))
        QVERIFY2(!after.startsWith(QStringLiteral("  SENT(")), qPrintable(after));
    QCOMPARE(fx.session().stateLine(), lastLine);
    QCOMPARE(fx.session().verdict(), RunVerdict::Aborted);
}

void tst_session::undoClearBringsBackTheRunsName()
{
    SimModem::reset();
    SessionFixture fx;
    QVERIFY(fx.open(QStringLiteral("SIM")));
    fx.session().Cfg_DoIt(CfgAction::Query, 0, {});
    const QStringList lines = fx.logLines();
    fx.session().MsgWin_ClearAside();
    QCOMPARE(fx.session().logRun().name, QString());
    QVERIFY(fx.session().undoClearOffered());
    fx.session().MsgWin_UndoClear();
    QCOMPARE(fx.session().logRun().name, QStringLiteral("QueryConfig"));
    QCOMPARE(fx.logLines(), lines);
}

QTEST_GUILESS_MAIN(tst_session)
#include "tst_session.moc"
