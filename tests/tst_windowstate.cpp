// The window's run state and receive state: what each named operation leaves in the fields.
#include "script/RunState.h"
#include "serial/RxState.h"
#include "support/DataTable.h"

#include <QtTest>

namespace
{
// Applies one operation of the run state named as in the rows below ("step:Name",
// "reply:OK\r\n").
void applyRun(RunState& run, const QString& op)
{
    const QString arg = op.section(QLatin1Char(':'), 1);
    if (op == QLatin1String("start"))
        run.start();
    else if (op == QLatin1String("clearStop"))
        run.clearStop();
    else if (op.startsWith(QLatin1String("step:")))
        run.beginStep(arg);
    else if (op.startsWith(QLatin1String("reply:")))
        run.keepReply(arg.toLatin1());
    else if (op == QLatin1String("clearReply"))
        run.clearReply();
    else if (op == QLatin1String("error"))
        run.countError();
    else if (op == QLatin1String("clearErrors"))
        run.clearErrors();
    else if (op == QLatin1String("abort"))
        run.abort();
    else if (op == QLatin1String("abandon"))
        run.abandon();
    else if (op == QLatin1String("stop"))
        run.stop();
    else
        QFAIL(qPrintable(QStringLiteral("unknown operation ") + op));
}
} // namespace

class tst_windowstate : public QObject
{
    Q_OBJECT
private slots:
    void runState_data();
    void runState();
    void rxState_data();
    void rxState();
    void rxCaptureKeepsTheBufferSize();
};

void tst_windowstate::runState_data()
{
    addColumns<QStringList, int, bool, bool, QString, QByteArray>(
        {"ops", "errors", "aborted", "stopped", "step", "reply"});

    QTest::newRow("as the window starts")
        << QStringList() << 0 << false << false << QString() << QByteArray();
    QTest::newRow("start clears what an earlier run left")
        << QStringList{"error", "error", "abort", "step:Saving", "reply:ER", "start"} << 0 << false
        << false << "Start-up" << QByteArray();
    QTest::newRow("start keeps a stop")
        << QStringList{"stop", "start"} << 0 << false << true << "Start-up" << QByteArray();
    QTest::newRow("failed checks count") << QStringList{"start", "error", "error", "error"} << 3
                                         << false << false << "Start-up" << QByteArray();
    QTest::newRow("cleared errors count again from nothing")
        << QStringList{"error", "error", "clearErrors", "error"} << 1 << false << false << QString()
        << QByteArray();
    QTest::newRow("a step is named")
        << QStringList{"start", "step:Establishing Communication"} << 0 << false << false
        << "Establishing Communication" << QByteArray();
    QTest::newRow("the latest reply is kept")
        << QStringList{"reply:ER\r\n", "reply:OK\r\n"} << 0 << false << false << QString()
        << QByteArray("OK\r\n");
    QTest::newRow("a cleared reply is empty") << QStringList{"reply:OK\r\n", "clearReply"} << 0
                                              << false << false << QString() << QByteArray();
    QTest::newRow("abort keeps the errors and the step")
        << QStringList{"start", "step:Saving", "error", "abort"} << 1 << true << false << "Saving"
        << QByteArray();
    QTest::newRow("abandon drops the errors") << QStringList{"start", "error", "error", "abandon"}
                                              << 0 << true << false << "Start-up" << QByteArray();
    QTest::newRow("abandon after a stop keeps the errors")
        << QStringList{"start", "error", "error", "stop", "abandon"} << 2 << true << true
        << "Start-up" << QByteArray();
    QTest::newRow("stop aborts and keeps the errors")
        << QStringList{"start", "error", "stop"} << 1 << true << true << "Start-up" << QByteArray();
    QTest::newRow("clearing the stop leaves the abort")
        << QStringList{"stop", "clearStop"} << 0 << true << false << QString() << QByteArray();
}

void tst_windowstate::runState()
{
    QFETCH(QStringList, ops);
    RunState run;
    for (const QString& op : ops)
        applyRun(run, op);
    QTEST(int(run.ErrCount()), "errors");
    QTEST(run.RunAborted(), "aborted");
    QTEST(run.RunStopped(), "stopped");
    QTEST(run.ScriptStep(), "step");
    QTEST(run.LastReply(), "reply");
}

void tst_windowstate::rxState_data()
{
    // Operations: "reset", "capture" (start capturing), "bytes:..." (one receive event),
    // "take" (take the reply), "show" (stop capturing).
    addColumns<QStringList, QByteArray, QByteArray, int, bool>(
        {"ops", "shown", "taken", "count", "notCapturing"});

    QTest::newRow("received bytes are shown")
        << QStringList{"bytes:ab"} << QByteArray("ab") << QByteArray() << 0 << true;
    QTest::newRow("the reset's bytes come first")
        << QStringList{"reset", "bytes:hi"} << QByteArray("UUhi") << QByteArray() << 0 << true;
    QTest::newRow("the reset holds two bytes")
        << QStringList{"reset"} << QByteArray() << QByteArray() << 2 << true;
    QTest::newRow("a capture starts empty")
        << QStringList{"reset", "capture"} << QByteArray() << QByteArray() << 0 << false;
    QTest::newRow("captured bytes are not shown")
        << QStringList{"capture", "bytes:OK", "bytes:\r\n"} << QByteArray() << QByteArray() << 4
        << false;
    QTest::newRow("the reply is taken and the buffer emptied")
        << QStringList{"capture", "bytes:OK\r\n", "take", "bytes:x"} << QByteArray("x")
        << QByteArray("OK\r\n") << 0 << true;
    QTest::newRow("a reply taken twice is there once")
        << QStringList{"capture", "bytes:ER\r\n", "take", "take"} << QByteArray()
        << QByteArray("ER\r\n") << 0 << true;
    QTest::newRow("bytes left by a capture are shown first")
        << QStringList{"capture", "bytes:left", "show", "bytes:new"} << QByteArray("leftnew")
        << QByteArray() << 0 << true;
}

void tst_windowstate::rxState()
{
    QFETCH(QStringList, ops);
    RxState rx;
    QByteArray shown;
    QByteArray taken;
    for (const QString& op : ops) {
        if (op == QLatin1String("reset"))
            rx.reset();
        else if (op == QLatin1String("capture"))
            rx.startCapture();
        else if (op.startsWith(QLatin1String("bytes:")))
            shown += rx.accept(op.section(QLatin1Char(':'), 1).toLatin1());
        else if (op == QLatin1String("take"))
            taken += rx.takeReply();
        else if (op == QLatin1String("show"))
            rx.stopCapturing();
        else
            QFAIL(qPrintable(QStringLiteral("unknown operation ") + op));
    }
    QTEST(shown, "shown");
    QTEST(taken, "taken");
    QTEST(int(rx.RxCount()), "count");
    QTEST(rx.RxNotCapturing(), "notCapturing");
}

void tst_windowstate::rxCaptureKeepsTheBufferSize()
{
    RxState rx;
    rx.startCapture();
    QByteArray sent;
    for (int i = 0; i < 600; ++i)
        sent.append(char('a' + i % 26));
    QVERIFY(rx.accept(sent.left(300)).isEmpty());
    QVERIFY(rx.accept(sent.mid(300)).isEmpty());
    QCOMPARE(int(rx.RxCount()), 512);
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(rx.RxBuf().data()), 512), sent.left(512));
    QCOMPARE(rx.takeReply(), sent.left(512));
    QCOMPARE(int(rx.RxCount()), 0);
}

QTEST_APPLESS_MAIN(tst_windowstate)
#include "support/DataTable.h"
#include "tst_windowstate.moc"
