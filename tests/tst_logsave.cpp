// Saving the log: the file holds the lines as shown, a failed save loses nothing, and the lines a
// run clears are kept for one more run.
#include "platform/FileDialog.h"
#include "support/RunSuite.h"
#include "terminal/MsgLog.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

class tst_logsave : public RunSuite
{
    Q_OBJECT

public:
    tst_logsave() : RunSuite(true) {}

private:
    std::unique_ptr<QTemporaryDir> dir;
    // Each save dialog is recorded and answered with the next path (empty: cancelled).
    QStringList answers;
    QList<std::pair<QString, QString>> dialogs; // title, suggested path

    QString pathIn(const QString& name) const { return dir->filePath(name); }

    static QByteArray contents(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
    }

    void run(const QString& name)
    {
        door().Test_RunScript(name, ScriptFlag::StayInCmdMode | ScriptFlag::NoSave, "Noop", 0, "");
        QCOMPARE(fx->logLines().at(fx->logLines().size() - 2),
                 name + QStringLiteral(" Completed, 0 errors."));
    }

    // The suggested file name: the run's name (or "Log") and the local time.
    static void checkSuggestedName(const QString& suggested, const QString& runName)
    {
        static const QRegularExpression pattern(
            QStringLiteral("^(\\w+)-\\d{4}-\\d\\d-\\d\\d-\\d{6}\\.txt$"));
        const auto match = pattern.match(QFileInfo(suggested).fileName());
        QVERIFY2(match.hasMatch(), qPrintable(suggested));
        QCOMPARE(match.captured(1), runName);
    }

private slots:
    void init()
    {
        RunSuite::init();
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(dir->isValid());
        answers.clear();
        dialogs.clear();
        setSaveFileResponder([this](const QString& title, const QString& suggested) {
            dialogs.append({title, suggested});
            return answers.isEmpty() ? QString() : answers.takeFirst();
        });
    }

    void cleanup()
    {
        setSaveFileResponder({});
        RunSuite::cleanup();
        dir.reset();
    }

    void savedFileIsTheShownLog();
    void failedSaveLosesNothing_data();
    void failedSaveLosesNothing();
    void previousRunSurvivesOneRunNotTwo();
    void dialogStartsInTheLastFolder();
    void timesGoIntoCopyAndSave();
};

// With "Show Times" on, every line copied or saved starts with its time, and the saved file
// with the date; off again, the copy is as it was before, byte for byte.
void tst_logsave::timesGoIntoCopyAndSave()
{
    QVERIFY(!fx->control<QAction>("menuLogShowTimes")->isChecked());
    win().session().MsgWin_Output(QStringLiteral("Open COM1 for 9600,N,8,1"));
    win().session().MsgWin_Output(QString());
    win().session().MsgWin_OutputCooked("OK\r\n> ");
    fx->control<QAction>("menuLogCopy")->trigger();
    const QByteArray plain = QGuiApplication::clipboard()->text().toUtf8();

    fx->control<QAction>("menuLogShowTimes")->trigger();
    QVERIFY(fx->control<QAction>("menuLogShowTimes")->isChecked());
    fx->control<QAction>("menuLogCopy")->trigger();
    const QByteArray timed = QGuiApplication::clipboard()->text().toUtf8();
    const QList<QByteArray> plainLines = plain.split('\n');
    const QList<QByteArray> timedLines = timed.split('\n');
    QCOMPARE(timedLines.size(), plainLines.size());
    static const QRegularExpression stamp(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d\\.\\d{3} $"));
    for (qsizetype i = 0; i < timedLines.size(); ++i) {
        QVERIFY2(stamp.match(QString::fromUtf8(timedLines.at(i).left(13))).hasMatch(),
                 timedLines.at(i).constData());
        QCOMPARE(timedLines.at(i).mid(13), plainLines.at(i));
    }

    answers << pathIn(QStringLiteral("timed.txt"));
    fx->control<QAction>("menuLogSave")->trigger();
    const QByteArray saved = contents(pathIn(QStringLiteral("timed.txt")));
    const QByteArray date = "Date: " + QDate::currentDate().toString(Qt::ISODate).toUtf8() + '\n';
    QCOMPARE(saved, date + timed);

    fx->control<QAction>("menuLogShowTimes")->trigger();
    fx->control<QAction>("menuLogCopy")->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text().toUtf8(), plain);
}

// A console run logs replies with CR LF and the command "W" with a NUL; Ctrl+S saves it.
void tst_logsave::savedFileIsTheShownLog()
{
    openSim();
    fx->control<QCheckBox>("TestConfigOnly")->setChecked(true);
    door().TestDoIt()->click();
    win().session().MsgWin_Output(QStringLiteral("after the run: ") + portText("\xFF\xE9"));
    win().session().MsgWin_OutputCooked("OK");
    const QString shown = door().MsgLines()->shownText();
    QVERIFY(shown.contains(QStringLiteral("  SENT(W\\00)")));
    QVERIFY(shown.contains(QStringLiteral("(OK\\0D\\0A) as expected.")));

    answers << pathIn(QStringLiteral("unit.txt"));
    win().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&win()));
    QTest::keyClick(&win(), Qt::Key_S, Qt::ControlModifier);

    QCOMPARE(dialogs.size(), 1);
    QCOMPARE(dialogs.first().first, QStringLiteral("Modem Config - Save Log"));
    checkSuggestedName(dialogs.first().second, QStringLiteral("Config"));
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QCOMPARE(QFileInfo(dialogs.first().second).absolutePath(),
             QFileInfo(documents).isDir() ? documents : QDir::homePath());
    const QByteArray saved = contents(pathIn(QStringLiteral("unit.txt")));
    QCOMPARE(saved, shown.toUtf8());
    QVERIFY(!saved.contains('\r'));
    QVERIFY(!saved.contains('\0'));
    QVERIFY(saved.startsWith("Config Started.\n"));
    QVERIFY(saved.endsWith("after the run: \\FF\\E9\nOK"));
    fx->control<QAction>("menuLogCopy")->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text().toUtf8(), saved);
    QVERIFY(fx->boxes().isEmpty());
}

void tst_logsave::failedSaveLosesNothing_data()
{
    QTest::addColumn<QString>("target");
    QTest::newRow("cancelled") << QString();
    QTest::newRow("a folder") << "folder";
    QTest::newRow("missing folder") << "missing/unit.txt";
    // A path through a regular file fails for every user, root included.
    QTest::newRow("a file in the way") << "earlier.txt/unit.txt";
}

void tst_logsave::failedSaveLosesNothing()
{
    QFETCH(QString, target);
    QVERIFY(QDir(dir->path()).mkpath(QStringLiteral("folder")));
    // An earlier save must survive as it was, also where a save tried to pass through it.
    {
        QFile earlier(pathIn(QStringLiteral("earlier.txt")));
        QVERIFY(earlier.open(QIODevice::WriteOnly));
        earlier.write("earlier save\n");
    }
    win().session().MsgWin_Output(QStringLiteral("a line to keep"));
    const QStringList before = fx->logLines();
    const auto listing = [this] {
        QStringList all;
        for (const char* sub : {"", "folder"})
            all << QDir(pathIn(QString::fromLatin1(sub)))
                       .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        return all;
    };
    const QStringList filesBefore = listing();

    answers << (target.isEmpty() ? QString() : pathIn(target));
    fx->control<QAction>("menuLogSave")->trigger();

    QCOMPARE(dialogs.size(), 1);
    QCOMPARE(fx->logLines(), before);
    QCOMPARE(listing(), filesBefore);
    QCOMPARE(contents(pathIn(QStringLiteral("earlier.txt"))), QByteArray("earlier save\n"));
    if (target.isEmpty()) {
        QVERIFY(fx->boxes().isEmpty());
        return;
    }
    QCOMPARE(fx->boxes().size(), 1);
    const RecordedBox& box = fx->boxes().first();
    QCOMPARE(box.title, QStringLiteral("Modem Config - Save Failed"));
    QCOMPARE(box.buttons, MsgButtons::Ok);
    const QString path = QDir::toNativeSeparators(pathIn(target));
    QVERIFY2(box.text.contains(path + QStringLiteral(":\n")), qPrintable(box.text));
    // The system's reason follows the file name.
    QVERIFY2(box.text.size() > box.text.indexOf(path) + path.size() + 3, qPrintable(box.text));
}

void tst_logsave::previousRunSurvivesOneRunNotTwo()
{
    openSim();
    QVERIFY(!fx->control<QAction>("menuLogSavePrevious")->isEnabled());

    run(QStringLiteral("First"));
    win().session().MsgWin_Output(QStringLiteral("typed after First"));
    const QByteArray first = door().MsgLines()->shownText().toUtf8();
    QVERIFY(fx->control<QAction>("menuLogSavePrevious")->isEnabled());
    run(QStringLiteral("Second"));
    const QByteArray second = door().MsgLines()->shownText().toUtf8();

    answers << pathIn(QStringLiteral("previous.txt")) << pathIn(QStringLiteral("current.txt"));
    fx->control<QAction>("menuLogSavePrevious")->trigger();
    fx->control<QAction>("menuLogSave")->trigger();
    QCOMPARE(contents(pathIn(QStringLiteral("previous.txt"))), first);
    QVERIFY(first.endsWith("First Completed, 0 errors.\ntyped after First\n"));
    QCOMPARE(contents(pathIn(QStringLiteral("current.txt"))), second);
    QCOMPARE(dialogs.at(0).first, QStringLiteral("Modem Config - Save Previous Run"));
    checkSuggestedName(dialogs.at(0).second, QStringLiteral("First"));
    checkSuggestedName(dialogs.at(1).second, QStringLiteral("Second"));

    run(QStringLiteral("Third"));
    answers << pathIn(QStringLiteral("previous.txt"));
    fx->control<QAction>("menuLogSavePrevious")->trigger();
    QCOMPARE(contents(pathIn(QStringLiteral("previous.txt"))), second);
    checkSuggestedName(dialogs.at(2).second, QStringLiteral("Second"));

    // Once cleared, the window holds no run's lines.
    fx->control<QAction>("menuLogClear")->trigger();
    fx->control<QAction>("menuLogSave")->trigger();
    checkSuggestedName(dialogs.at(3).second, QStringLiteral("Log"));
    QVERIFY(fx->boxes().isEmpty());
}

// The first dialog offers the documents folder; after a save the next starts where it went, and a
// save that failed or was cancelled leaves that folder as it was.
void tst_logsave::dialogStartsInTheLastFolder()
{
    QVERIFY(QDir(dir->path()).mkpath(QStringLiteral("unit 7")));
    answers << pathIn(QStringLiteral("unit 7/first.txt")) << pathIn(QStringLiteral("missing/x.txt"))
            << QString() << QString();
    for (int i = 0; i < 4; ++i)
        fx->control<QAction>("menuLogSave")->trigger();
    QCOMPARE(dialogs.size(), 4);
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QCOMPARE(QFileInfo(dialogs.at(0).second).absolutePath(),
             QFileInfo(documents).isDir() ? documents : QDir::homePath());
    for (int i = 1; i < 4; ++i)
        QCOMPARE(QFileInfo(dialogs.at(i).second).absolutePath(), pathIn(QStringLiteral("unit 7")));
    QCOMPARE(fx->boxes().size(), 1);
}

QTEST_MAIN(tst_logsave)
#include "tst_logsave.moc"
