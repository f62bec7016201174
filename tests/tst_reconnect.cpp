// Reconnecting automatically, in the window, on a pseudo-terminal behind a link whose name stays
// while the terminal behind it goes and comes back.
#include "support/PtyPeer.h"
#include "support/UserInput.h"
#include "support/WindowFixture.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

class tst_reconnect : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void returnsAfterQuietTries();
    void flappingLogsEachCycleOnce();
    void waitEnds_data();
    void waitEnds();
    void runUnderWayIsNotResumed();

private:
    WindowDoor door() { return m_fx->door(); }
    // The message window's lines from index from on, without the empty last line and the
    // remarks about the terminal's missing control lines and error counters.
    QStringList linesSince(qsizetype from) const;
    // Where the next line will be: the open last line, empty after a whole line was written.
    qsizetype nextLine() const { return m_fx->logLines().size() - 1; }
    // Types the link's name as the port, ticks "Open Comm Port?"; true when it opened and its
    // remarks are in.
    bool openLink();
    QString port() const { return m_link->path(); }
    QString lost() const { return port() + " lost: the device hung up or was unplugged"; }
    QString waiting() const { return "Waiting for " + port() + " to return..."; }
    QString opened() const { return "Open " + port() + " for 9600,N,8,1"; }
    QString back() const { return port() + " is back"; }
    QString stopped() const { return "Stopped waiting for " + port(); }
    // Long enough for the window to have looked at the path more than once.
    static void severalLooks() { QTest::qWait(3 * PortWatch::kTickMs); }

    std::unique_ptr<WindowFixture> m_fx;
    std::unique_ptr<PtyLink> m_link;
};

void tst_reconnect::init()
{
    m_fx = std::make_unique<WindowFixture>();
    m_link = std::make_unique<PtyLink>();
    QVERIFY(m_link->ok());
    QVERIFY(m_link->plugIn());
}

void tst_reconnect::cleanup()
{
    m_fx.reset();
    m_link.reset();
}

QStringList tst_reconnect::linesSince(qsizetype from) const
{
    QStringList lines = m_fx->logLines().mid(from);
    lines.removeAll(QString());
    lines.removeIf([](const QString& l) { return l.contains(QLatin1String(": this device")); });
    return lines;
}

bool tst_reconnect::openLink()
{
    door().CommPort()->setEditText(port());
    UserInput::click(door().CommOpenCbox());
    // The remarks about the terminal come after the opening line; the tests count from them.
    return door().MSComm1()->PortOpen() && QTest::qWaitFor([this] {
               const QStringList lines = m_fx->logLines();
               return lines.size() >= 2 && lines.at(lines.size() - 2).endsWith("not counted");
           });
}

void tst_reconnect::returnsAfterQuietTries()
{
    m_fx->control<QAction>("menuFileReconnect")->trigger();
    QVERIFY(m_fx->control<QAction>("menuFileReconnect")->isChecked());
    QVERIFY(openLink());
    const qsizetype mark = nextLine();
    m_link->unplug();
    QTRY_COMPARE(linesSince(mark), QStringList({lost(), waiting()}));
    QVERIFY(!door().CommOpenCbox()->isChecked());

    // The name is back but nothing behind it opens yet: tried quietly, nothing said.
    QVERIFY(m_link->pointAt(QDir::tempPath()));
    severalLooks();
    QCOMPARE(linesSince(mark), QStringList({lost(), waiting()}));
    QVERIFY(!door().CommOpenCbox()->isChecked());

    QVERIFY(m_link->plugIn());
    QTRY_COMPARE(linesSince(mark), QStringList({lost(), waiting(), opened(), back()}));
    QVERIFY(door().CommOpenCbox()->isChecked());
    QVERIFY(!door().CmdRTSCbox()->isChecked());
    QVERIFY(!m_fx->control<QCheckBox>("CmdBreakCbox")->isChecked());
    QVERIFY(m_fx->boxes().isEmpty());

    // Typed text reaches the new terminal.
    UserInput::click(door().CmdInputWin()->lineEdit());
    QTRY_COMPARE(QApplication::focusWidget(), door().CmdInputWin());
    UserInput::type(QStringLiteral("hello"));
    UserInput::key(Qt::Key_Return);
    QByteArray atPeer;
    QTRY_VERIFY((atPeer += m_link->peer()->received()).startsWith("hello"));
}

void tst_reconnect::flappingLogsEachCycleOnce()
{
    m_fx->control<QAction>("menuFileReconnect")->trigger();
    QVERIFY(openLink());
    const qsizetype mark = nextLine();
    QStringList expected;
    for (int cycle = 0; cycle < 3; ++cycle) {
        m_link->unplug();
        expected << lost() << waiting();
        QTRY_COMPARE(linesSince(mark), expected);
        QVERIFY(m_link->plugIn());
        expected << opened() << back();
        QTRY_COMPARE(linesSince(mark), expected);
    }
    severalLooks();
    QCOMPARE(linesSince(mark), expected);
    QVERIFY(door().MSComm1()->PortOpen());
}

void tst_reconnect::waitEnds_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("box ticked by hand") << "tick";
    QTest::newRow("another port picked") << "pick";
    QTest::newRow("entry turned off") << "off";
    QTest::newRow("back but never opening") << "never opens";
    QTest::newRow("entry off all along") << "entry off";
}

void tst_reconnect::waitEnds()
{
    QFETCH(QString, how);
    if (how != "entry off")
        m_fx->control<QAction>("menuFileReconnect")->trigger();
    QVERIFY(openLink());
    const qsizetype mark = nextLine();
    m_link->unplug();
    if (how == "entry off") {
        // As without the entry: the loss, nothing more.
        QTRY_COMPARE(linesSince(mark), QStringList({lost()}));
    } else {
        QTRY_COMPARE(linesSince(mark), QStringList({lost(), waiting()}));
    }

    QStringList expected = linesSince(mark);
    if (how == "tick") {
        UserInput::click(door().CommOpenCbox());
        expected << stopped() << "Open " + port() + " failed: there is no port " + port();
        QCOMPARE(m_fx->boxes().size(), 1);
    } else if (how == "pick") {
        QVERIFY(UserInput::pick(door().CommPort(), 1));
        QCOMPARE(door().CommPort()->currentText(), QStringLiteral("COM2"));
        expected << stopped();
    } else if (how == "off") {
        m_fx->control<QAction>("menuFileReconnect")->trigger();
        expected << stopped();
    } else if (how == "never opens") {
        QVERIFY(m_link->pointAt(QDir::tempPath()));
        // Tried quietly for 3 s, then opened once the usual way and reported once.
        QTRY_VERIFY_WITH_TIMEOUT(linesSince(mark).size() == 4, 3 * PortWatch::kRetryMs);
        QVERIFY(linesSince(mark).at(2).startsWith("Open " + port() + " failed: "));
        expected << linesSince(mark).at(2) << stopped();
        QCOMPARE(m_fx->boxes().size(), 1);
    }
    QCOMPARE(linesSince(mark), expected);
    QVERIFY(!door().CommOpenCbox()->isChecked());

    // The ended wait opens nothing when the terminal comes back.
    QVERIFY(m_link->plugIn());
    severalLooks();
    QCOMPARE(linesSince(mark), expected);
    QVERIFY(!door().CommOpenCbox()->isChecked());
    QVERIFY(!door().MSComm1()->PortOpen());
    QVERIFY(m_fx->boxes().size() <= 1);
}

// The modem does not answer; the terminal goes while the run asks for a power-cycle and is back
// before the box is answered: the run aborts as without reconnecting, and the port opens again
// only after it, so nothing of the run reaches the returned terminal.
void tst_reconnect::runUnderWayIsNotResumed()
{
    m_fx->control<QAction>("menuFileReconnect")->trigger();
    QVERIFY(openLink());
    UserInput::click(door().CfgQuery());
    QVERIFY(door().CfgQuery()->isChecked());
    bool swapped = false;
    m_fx->recorder().answer(MsgAnswer::Ok, [&] {
        m_link->unplug();
        swapped = m_link->plugIn();
        severalLooks();
    });
    UserInput::click(door().CfgDoIt());
    QVERIFY(swapped);
    QVERIFY2(door().TestStateWin()->text().contains(" Aborted in "),
             qPrintable(door().TestStateWin()->text()));

    QTRY_VERIFY(m_fx->logLines().contains(back()));
    const QStringList lines = linesSince(0);
    const qsizetype waitAt = lines.indexOf(waiting());
    QVERIFY(lines.indexOf(lost()) >= 0 && lines.indexOf(lost()) < waitAt);
    QCOMPARE(lines.mid(lines.size() - 2), QStringList({opened(), back()}));
    severalLooks();
    QCOMPARE(m_link->peer()->received(), QByteArray());
    QCOMPARE(linesSince(0).last(), back());
}

QTEST_MAIN(tst_reconnect)
#include "tst_reconnect.moc"
