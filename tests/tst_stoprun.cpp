// Stopping a run with Esc or File > "Sto&p Run": it ends at once and sends, checks and asks nothing
// more; outside a run Esc keeps its meaning.
#include "support/DataTable.h"
#include "support/RecordedSimLine.h"
#include "support/SimModem.h"
#include "support/UserInput.h"
#include "support/WindowFixture.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

namespace
{
// Counts the Esc presses that reach the control it watches.
struct EscCounter : QObject {
    int count = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape)
            ++count;
        return false;
    }
};
} // namespace

class tst_stoprun : public QObject
{
    Q_OBJECT

    std::unique_ptr<WindowFixture> fx;
    std::shared_ptr<RecordedSimLine> simLine;
    MainWin& win() { return fx->win(); }
    WindowDoor door() { return fx->door(); }

    // What the run had done when the stop came.
    qsizetype writesAtStop = -1;
    qint16 errorsAtStop = -1;

    // The user's stop: Esc, or the menu entry, as soon as the event loop runs.
    void stopSoon(bool byMenu)
    {
        QTimer::singleShot(0, this, [this, byMenu] {
            writesAtStop = simLine->writes().size();
            errorsAtStop = door().ErrCount();
            QVERIFY(fx->control<QAction>("menuFileStopRun")->isEnabled());
            if (byMenu)
                fx->control<QAction>("menuFileStopRun")->trigger();
            else
                UserInput::key(Qt::Key_Escape);
        });
    }

    // After the stop line comes only the run's abort line; nothing more went to the modem.
    void checkStopped(const QString& abortLine)
    {
        const QStringList log = fx->logLines();
        const qsizetype at = log.indexOf(QStringLiteral("Stopped by the user"));
        QVERIFY2(at >= 0, qPrintable(log.join('\n')));
        QCOMPARE(log.mid(at + 1), (QStringList{abortLine, QString()}));
        QCOMPARE(door().TestStateWin()->text(), abortLine);
        QCOMPARE(simLine->writes().size(), writesAtStop);
        QCOMPARE(door().ErrCount(), errorsAtStop);
        QVERIFY(door().RunStopped() && door().RunAborted());
        QVERIFY(!fx->control<QAction>("menuFileStopRun")->isEnabled());
        QVERIFY(door().CfgDoIt()->isEnabled());
        QVERIFY(door().TestDoIt()->isEnabled());
    }

private slots:
    void init()
    {
        fx = std::make_unique<WindowFixture>();
        win().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&win()));
        simLine = RecordedSimLine::openIn(win());
        QVERIFY(door().MSComm1()->PortOpen());
        writesAtStop = -1;
        errorsAtStop = -1;
    }
    void cleanup()
    {
        fx.reset();
        simLine.reset();
    }

    void greyedOutsideARun();
    void escOutsideARunReachesTheFocus();
    void radioTestWithoutPartner_data();
    void radioTestWithoutPartner();
    void atThePowerCycleBox();
    void openBoxIsCancelledAndAsWideAsItsTitle();
};

void tst_stoprun::greyedOutsideARun()
{
    QAction* stop = fx->control<QAction>("menuFileStopRun");
    QCOMPARE(stop->text(), QStringLiteral("Sto&p Run"));
    QCOMPARE(stop->shortcut(), QKeySequence(Qt::Key_Escape));
    QVERIFY(!stop->isEnabled());
    const QList<QAction*> file = fx->control<QMenu>("menuFile")->actions();
    const qsizetype at = file.indexOf(stop);
    QVERIFY(file.at(at + 1)->isSeparator());
    QCOMPARE(file.at(at + 2), fx->control<QAction>("menuExit"));
}

// The greyed entry leaves Esc to the control that has the focus.
void tst_stoprun::escOutsideARunReachesTheFocus()
{
    UserInput::click(door().CmdInputWin());
    QTRY_COMPARE(QApplication::focusWidget(), door().CmdInputWin());
    QSignalSpy stop(fx->control<QAction>("menuFileStopRun"), &QAction::triggered);
    EscCounter escs;
    QApplication::focusWidget()->installEventFilter(&escs);
    UserInput::key(Qt::Key_Escape);
    QCOMPARE(escs.count, 1);
    QCOMPARE(stop.count(), 0);
    QVERIFY(!door().RunStopped());
}

void tst_stoprun::radioTestWithoutPartner_data()
{
    addFlagRows("byMenu", {{"Esc", false}, {"menu entry", true}});
}

// Stopped at the third repetition of the first channel: no summary, no FAILURE after the stop.
void tst_stoprun::radioTestWithoutPartner()
{
    QFETCH(bool, byMenu);
    theSimulatedModem().setPartnerPresent(false);
    door().TestDeviceConfig()->setCurrentText(QStringLiteral("FAST"));
    fx->control<QRadioButton>("TestIsBase")->setChecked(true);
    fx->control<QCheckBox>("TestConfigOnly")->setChecked(false);
    connect(door().TestStateWin(), &QLineEdit::textChanged, this, [this, byMenu](const QString& t) {
        if (t == QLatin1String("3") && writesAtStop < 0)
            stopSoon(byMenu);
    });
    door().TestDoIt()->click();
    checkStopped(QStringLiteral("Test Aborted in Remote Loopback Ch# 1"));
    QCOMPARE(door().ErrCount(), qint16(2));
    QVERIFY(door().TestProgress()->isHidden());
}

// Do It with a silent modem, stopped while the power-cycle box is open: that box is cancelled
// and neither the last-resort box nor the configurator's error box follows.
void tst_stoprun::atThePowerCycleBox()
{
    theSimulatedModem().setSilent(true);
    door().CfgQuery()->setChecked(true);
    fx->recorder().answer(MsgAnswer::Ok, [this] {
        writesAtStop = simLine->writes().size();
        errorsAtStop = door().ErrCount();
        UserInput::key(Qt::Key_Escape);
    });
    door().CfgDoIt()->click();
    QCOMPARE(fx->boxes().size(), 1);
    QVERIFY(fx->boxes().first().title.startsWith(QStringLiteral("Modem Config - Power-cycle")));
    checkStopped(QStringLiteral("QueryConfig Aborted in Establishing Communication"));
    QCOMPARE(door().ErrCount(), qint16(4));
}

// A box on screen: at least as wide as its title, and closed as Cancel by a stop.
void tst_stoprun::openBoxIsCancelledAndAsWideAsItsTitle()
{
    setMessageBoxResponder({});
    const QString title =
        QStringLiteral("Modem Config - Power-cycle Modem While Connected to CommPort");
    int width = 0;
    int titleWidth = 0;
    int room = 0;
    QTimer::singleShot(0, this, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box) {
            width = box->width();
            titleWidth = box->fontMetrics().horizontalAdvance(title);
            room = box->screen()->availableGeometry().width();
        }
        cancelOpenMessageBox();
    });
    QCOMPARE(messageBox(&win(), QStringLiteral("Short."), title, MsgButtons::OkCancel),
             MsgAnswer::Cancel);
    QVERIFY(titleWidth > 0);
    // A box is never wider than its screen: on a small screen it takes the whole width.
    QVERIFY2(
        width > qMin(titleWidth, room - 1),
        qPrintable(QStringLiteral("%1 <= %2 (screen %3)").arg(width).arg(titleWidth).arg(room)));
}

QTEST_MAIN(tst_stoprun)
#include "tst_stoprun.moc"
