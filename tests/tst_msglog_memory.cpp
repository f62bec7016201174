// The log's memory over a long session, measured in a build without sanitizers, whose own
// bookkeeping would hide the log's use.
#include "terminal/MsgLog.h"

#include <QFile>
#include <QtTest>

namespace
{
// Resident memory of this process in kB.
qint64 residentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& row : status.readAll().split('\n')) {
        if (row.startsWith("VmRSS:"))
            return row.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

QString lineOf40(int i)
{
    return QStringLiteral("line %1 ").arg(i, 10, 10, QLatin1Char('0')) +
           QString(24, QLatin1Char('.'));
}
} // namespace

class tst_msglog_memory : public QObject
{
    Q_OBJECT
private slots:
    // A long session: a million lines of 40 characters stay compact and readable.
    void millionLines()
    {
        const qint64 before = residentKb();
        MsgLog log;
        for (int i = 0; i < 1000000; ++i)
            log.outputLine(lineOf40(i));
        const qint64 grownKb = residentKb() - before;
        QCOMPARE(log.lineCount(), 1000001);
        QCOMPARE(log.line(0), lineOf40(0));
        QCOMPARE(log.line(654321), lineOf40(654321));
        QCOMPARE(log.line(999999), lineOf40(999999));
        QCOMPARE(log.line(1000000), QString());
        // 40 characters of text each: anything like a string object per line would need
        // well over 100 MB.
        QVERIFY2(grownKb < 80 * 1024, qPrintable(QStringLiteral("grew by %1 kB").arg(grownKb)));
        log.clear();
        QCOMPARE(log.lines(), QStringList{QString()});
    }
};

QTEST_GUILESS_MAIN(tst_msglog_memory)
#include "tst_msglog_memory.moc"
