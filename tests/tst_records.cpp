// Keeping records on the simulated modem: the folder, the unit prompt, a log file and a results
// row for every outermost run, and a failed write that stops the records after one box.
#include "modemsim/SimulatedModem.h"
#include "script/RunRecord.h"
#include "support/DataTable.h"
#include "support/RecordsFolder.h"
#include "support/RunSuite.h"
#include "support/SimModem.h"
#include "terminal/MsgLog.h"
#include "terminal/MsgLogView.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTimer>
#include <QtTest>

namespace
{
enum Column {
    Unit = 2,
    Port,
    Run,
    Outcome,
    AbortedIn,
    Errors,
    Firmware,
    Station,
    Configuration,
    Ch1,
    LogFile = 17
};
}

class tst_records : public RunSuite
{
    Q_OBJECT

    std::unique_ptr<RecordsFolder> records;

    void keepRecords()
    {
        records->folderAnswers << records->path();
        fx->control<QAction>("menuFileKeepRecords")->trigger();
        QVERIFY(fx->control<QAction>("menuFileKeepRecords")->isChecked());
    }

    // "Do Test" for a unit; returns the window's text once the run has ended.
    QByteArray doTest(const QString& unit)
    {
        records->unitAnswers << unit;
        door().TestDoIt()->click();
        return door().MsgLines()->shownUtf8();
    }

private slots:
    void init()
    {
        RunSuite::init();
        records = std::make_unique<RecordsFolder>();
        openSim();
    }
    void cleanup()
    {
        records.reset();
        RunSuite::cleanup();
    }

    void nothingIsAskedWhileRecordsAreOff()
    {
        fx->control<QCheckBox>("TestConfigOnly")->setChecked(true);
        door().TestDoIt()->click();
        door().CfgDoIt()->click();
        QCOMPARE(door().TestStateWin()->text(), QStringLiteral("QueryConfig Completed, 0 errors."));
        QVERIFY(records->unitPrefills.isEmpty());
        QVERIFY(!fx->control<QAction>("menuFileKeepRecords")->isChecked());
        QCOMPARE(fx->control<QAction>("menuFileKeepRecords")->text(),
                 QStringLiteral("Keep &Records..."));
    }

    void theEntryNamesTheFolder()
    {
        // Cancelled, and a file picked as the folder: records stay off.
        fx->control<QAction>("menuFileKeepRecords")->trigger();
        QVERIFY(!fx->control<QAction>("menuFileKeepRecords")->isChecked());
        QFile file(records->filePath(QStringLiteral("a-file")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        records->folderAnswers << file.fileName();
        fx->control<QAction>("menuFileKeepRecords")->trigger();
        QVERIFY(!fx->control<QAction>("menuFileKeepRecords")->isChecked());
        QCOMPARE(fx->boxes().size(), 1);
        QCOMPARE(fx->boxes().first().title, QStringLiteral("Modem Config - Keep Records"));

        keepRecords();
        QCOMPARE(fx->control<QAction>("menuFileKeepRecords")->text(),
                 "Keep &Records in " + QDir::toNativeSeparators(records->path()));
        // Again: Cancel keeps the folder, the second button picks another, the first stops.
        records->choiceAnswers << 2 << 1 << 0;
        fx->control<QAction>("menuFileKeepRecords")->trigger();
        QVERIFY(fx->control<QAction>("menuFileKeepRecords")->isChecked());
        QTemporaryDir other(QDir::tempPath() + QStringLiteral("/R&D-XXXXXX"));
        records->folderAnswers << other.path();
        fx->control<QAction>("menuFileKeepRecords")->trigger();
        QCOMPARE(fx->control<QAction>("menuFileKeepRecords")->text(),
                 "Keep &Records in " + QDir::toNativeSeparators(other.path()).replace("&", "&&"));
        QVERIFY(fx->control<QAction>("menuFileKeepRecords")->isChecked());
        fx->control<QAction>("menuFileKeepRecords")->trigger();
        QVERIFY(!fx->control<QAction>("menuFileKeepRecords")->isChecked());
        QCOMPARE(fx->control<QAction>("menuFileKeepRecords")->text(),
                 QStringLiteral("Keep &Records..."));
        QCOMPARE(records->choicePrompts, 3);
        QCOMPARE(records->folderPrompts, 4);
    }

    // Each run's log file holds what the window showed; its row agrees with the state line and
    // the radio test's summary.
    void everyRunIsFiled_data()
    {
        addColumns<double, bool, QString>({"loss", "ignoring", "outcome"});
        QTest::newRow("20 % loss") << 0.2 << false << "completed";
        QTest::newRow("ignoring commands") << 0.0 << true << "aborted";
    }

    void everyRunIsFiled()
    {
        QFETCH(double, loss);
        QFETCH(bool, ignoring);
        QFETCH(QString, outcome);
        theSimulatedModem().setLossRate(loss);
        theSimulatedModem().setIgnoreCommands(ignoring);
        keepRecords();
        const QByteArray shown = doTest(QStringLiteral("U-0099"));
        QCOMPARE(records->unitPrefills, QStringList{QString()});

        // The store takes the run first; the folder is written from it, off the window's thread.
        QTRY_COMPARE_WITH_TIMEOUT(records->resultsRows().size(), 2, 10000);
        const QStringList logs = records->files(QStringLiteral("txt"));
        QCOMPARE(logs.size(), 1);
        QVERIFY2(
            QRegularExpression(QStringLiteral("^Test-U-0099-\\d{4}-\\d\\d-\\d\\d-\\d{6}\\.txt$"))
                .match(logs.first())
                .hasMatch(),
            qPrintable(logs.first()));
        QCOMPARE(records->contents(logs.first()), shown);

        const QList<QStringList> rows = records->resultsRows();
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows.at(0).join(','), QString::fromUtf8(resultsHeader()).trimmed());
        const QStringList& row = rows.at(1);
        QCOMPARE(row.at(Unit), QStringLiteral("U-0099"));
        QCOMPARE(row.at(Port), QStringLiteral("SIM"));
        QCOMPARE(row.at(Run), QStringLiteral("Test"));
        QCOMPARE(row.at(Outcome), outcome);
        QCOMPARE(row.at(Errors), QString::number(door().ErrCount()));
        QCOMPARE(row.at(LogFile), logs.first());
        const QString state = door().TestStateWin()->text();
        if (ignoring) {
            QCOMPARE(state, QStringLiteral("Test Aborted in Establishing Communication"));
            QCOMPARE(row.at(AbortedIn), QStringLiteral("Establishing Communication"));
            QCOMPARE(row.mid(Firmware), QStringList(9, QString()) << logs.first());
            return;
        }
        QCOMPARE(state, "Test Completed, " + row.at(Errors) + " errors.");
        QCOMPARE(row.at(AbortedIn), QString());
        QCOMPARE(row.at(Firmware), QStringLiteral("1.30"));
        QCOMPARE(row.at(Station), QStringLiteral("base"));
        QCOMPARE(row.at(Configuration), QStringLiteral("FAST"));
        QStringList summary;
        for (int i = 0; i < 3; ++i)
            summary << "  ch# " + row.at(Ch1 + 2 * i) + ": " + row.at(Ch1 + 2 * i + 1) + " errs";
        QVERIFY2(shown.contains("Performance Summary:\n" + summary.join('\n').toUtf8() + '\n'),
                 qPrintable(summary.join('|')));
        QCOMPARE(row.at(Ch1 + 1).toInt() + row.at(Ch1 + 3).toInt() + row.at(Ch1 + 5).toInt(),
                 row.at(Errors).toInt());
        QCOMPARE(row.at(Errors) != QStringLiteral("0"), loss > 0);
    }

    // "Do It" asks as well, offering the next label; Cancel starts no run.
    void theNextUnitIsOffered()
    {
        keepRecords();
        records->unitAnswers << QStringLiteral("  B-0999 ");
        door().CfgDoIt()->click();
        QCOMPARE(door().TestStateWin()->text(), QStringLiteral("QueryConfig Completed, 0 errors."));
        win().session().MsgWin_Output(QStringLiteral("typed after the run"));
        door().CfgDoIt()->click();
        QCOMPARE(records->unitPrefills, (QStringList{QString(), QStringLiteral("B-1000")}));
        QVERIFY(door().MsgLines()->shownUtf8().endsWith("typed after the run\n"));
        QTRY_COMPARE_WITH_TIMEOUT(records->resultsRows().size(), 2, 10000);
        const QList<QStringList> rows = records->resultsRows();
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows.at(1).at(Unit), QStringLiteral("B-0999"));
        QCOMPARE(rows.at(1).at(Run), QStringLiteral("QueryConfig"));
        QCOMPARE(rows.at(1).at(Station), QString());
        QCOMPARE(rows.at(1).at(Configuration), QString());
        QVERIFY(rows.at(1).at(LogFile).startsWith(QStringLiteral("QueryConfig-B-0999-")));
    }

    // A factory restore inside a run files no record of its own: the outer run's file holds its
    // lines from before the restore cleared the window, then the window's.
    void aNestedRestoreIsPartOfTheOuterRecord()
    {
        theSimulatedModem().setSilent(true);
        SimModem::answerUntilLastResort(fx->recorder());
        keepRecords();
        fx->control<QRadioButton>("CfgChangeChannel")->setChecked(true);
        records->unitAnswers << QStringLiteral("N1");
        door().CfgDoIt()->click();
        QCOMPARE(door().TestStateWin()->text(), QStringLiteral("SetChannel Completed, 0 errors."));
        const QByteArray shown = door().MsgLines()->shownUtf8();
        QVERIFY(shown.startsWith("RestoreFactory Started.\n"));

        QTRY_COMPARE_WITH_TIMEOUT(records->resultsRows().size(), 2, 10000);
        const QStringList logs = records->files(QStringLiteral("txt"));
        QCOMPARE(logs.size(), 1);
        QVERIFY(logs.first().startsWith(QStringLiteral("SetChannel-N1-")));
        const QByteArray filed = records->contents(logs.first());
        QVERIFY(filed.startsWith("SetChannel Started.\nEstablishing Communication\n"));
        QVERIFY(filed.contains("\nRestoring Factory Defaults\n"));
        QVERIFY(filed.indexOf("\nRestoring Factory Defaults\n") < filed.size() - shown.size());
        QVERIFY(filed.endsWith('\n' + shown));
        QCOMPARE(records->resultsRows().size(), 2);
        QCOMPARE(records->resultsRows().at(1).at(Run), QStringLiteral("SetChannel"));
    }

    // The folder goes away for two runs (a share reconnecting): records go on, the window says
    // so once and counts the runs not yet filed; when the folder is back the next run files them
    // all, in the order they ended, with no box at any time.
    void aFolderAwayHoldsTheRuns()
    {
        theSimulatedModem().setIgnoreCommands(true);
        keepRecords();
        doTest(QStringLiteral("F1"));
        QTRY_COMPARE_WITH_TIMEOUT(records->resultsRows().size(), 2, 10000);
        const QString away = records->path() + QStringLiteral("-away");
        QVERIFY(QDir().rename(records->path(), away));
        doTest(QStringLiteral("F2"));
        doTest(QStringLiteral("F3"));
        auto* waiting = fx->control<QLabel>("RecordsWaiting");
        QTRY_COMPARE_WITH_TIMEOUT(waiting->text(), QStringLiteral("2 runs not yet in the folder"),
                                  10000);
        QVERIFY(!waiting->isHidden());
        QVERIFY(fx->boxes().isEmpty());
        QVERIFY(fx->control<QAction>("menuFileKeepRecords")->isChecked());
        QVERIFY(QDir().rename(away, records->path()));
        doTest(QStringLiteral("F4"));
        QTRY_COMPARE_WITH_TIMEOUT(records->resultsRows().size(), 5, 10000);
        QStringList units;
        for (const QStringList& row : records->resultsRows().mid(1))
            units << row.at(Unit);
        QCOMPARE(units, (QStringList{"F1", "F2", "F3", "F4"}));
        QCOMPARE(records->files(QStringLiteral("txt")).size(), 4);
        QTRY_VERIFY_WITH_TIMEOUT(waiting->isHidden(), 10000);
        QVERIFY(fx->boxes().isEmpty());
    }

    // A double click in the log during a recorded run clears the window, not the run's record.
    void aClearDuringTheRunKeepsTheRecordWhole()
    {
        keepRecords();
        QTimer::singleShot(1500, &win(), [this] {
            QTest::mouseDClick(door().MsgWin()->viewport(), Qt::LeftButton);
        });
        doTest(QStringLiteral("C1"));
        QTRY_COMPARE_WITH_TIMEOUT(records->files(QStringLiteral("txt")).size(), 1, 10000);
        const QByteArray filed = records->contents(records->files(QStringLiteral("txt")).first());
        QVERIFY2(filed.startsWith("Test Started.\n"), filed.left(200).constData());
        QVERIFY(!door().MsgLines()->shownUtf8().startsWith("Test Started.\n"));
    }
};

QTEST_MAIN(tst_records)
#include "tst_records.moc"
