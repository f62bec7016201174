// The results board driven as a user would: periods picked in the combo box, a unit searched,
// a run's log opened, the figures read through the screen reader's interfaces.
#include "board/ResultsBoard.h"
#include "board/RunLogDialog.h"
#include "support/ResultsRuns.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

namespace
{
QString spoken(QWidget* widget)
{
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    return face ? face->text(QAccessible::Name) : QStringLiteral("<no interface>");
}

BoardRun aborted(const QString& unit, const QDateTime& start)
{
    BoardRun run = passedRun(unit, start);
    run.outcome = "aborted";
    run.endedIn = "Establishing Communication";
    run.station = "bench-2";
    return run;
}
} // namespace

class tst_resultsboard : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_store;
    QString m_longLog;
    std::unique_ptr<ResultsBoard> m_board;

    template <typename T> T* control(const QString& name) const
    {
        T* found = m_board->findChild<T*>(name);
        if (!found)
            qWarning() << "no control" << name;
        return found;
    }

private slots:
    void initTestCase()
    {
        const QDateTime now = QDateTime::currentDateTime();
        m_longLog = QString(2 * RunLogDialog::viewLimit, QLatin1Char('x')) + "END";
        BoardRun newest = passedRun("U-3", now.addSecs(-1));
        newest.log = m_longLog;
        BoardRun unreadable = passedRun("", now.addSecs(-2));
        unreadable.rawUnit = QByteArray("U-\xc3\x28-bad");
        unreadable.configuration = QString(10000, 'C');
        m_store = m_dir.filePath("store.db");
        QVERIFY(writeResultsStore(m_store, {aborted("U-1", now.addSecs(-5)),
                                            passedRun("U-1", now.addSecs(-4)),
                                            passedRun("U-2", now.addSecs(-3)), unreadable, newest,
                                            passedRun("U-9", now.addDays(-3))}));
    }

    void init()
    {
        m_board = std::make_unique<ResultsBoard>(m_store);
        m_board->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_board.get()));
        QTRY_COMPARE(spoken(control<QLabel>("runs")), QStringLiteral("Runs 5"));
    }

    void cleanup() { m_board.reset(); }

    void periodPicked_data()
    {
        QTest::addColumn<int>("period");
        QTest::addColumn<bool>("inPopup");
        QTest::addColumn<QString>("runs");
        QTest::addColumn<QString>("firstPass");
        QTest::newRow("today") << 0 << false << "Runs 5"
                               << "First-pass yield 75 %";
        QTest::newRow("last 7 days by keys") << 2 << false << "Runs 6"
                                             << "First-pass yield 80 %";
        QTest::newRow("last 7 days in the popup") << 2 << true << "Runs 6"
                                                  << "First-pass yield 80 %";
        QTest::newRow("between two empty days in the popup") << 3 << true << "Runs 0"
                                                             << "First-pass yield \u2014";
    }

    void periodPicked()
    {
        QFETCH(int, period);
        QFETCH(bool, inPopup);
        QFETCH(QString, runs);
        QFETCH(QString, firstPass);
        auto* combo = control<QComboBox>("period");
        if (inPopup) {
            combo->showPopup();
            QAbstractItemView* list = combo->view();
            QTRY_VERIFY(list->isVisible());
            const QRect item = list->visualRect(list->model()->index(period, 0));
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, item.center());
        } else {
            combo->setFocus();
            for (int i = combo->currentIndex(); i < period; ++i)
                QTest::keyClick(combo, Qt::Key_Down);
        }
        QCOMPARE(combo->currentIndex(), period);
        if (period == 3) {
            // A day a year back in both date fields, by keys.
            for (const char* name : {"fromDate", "untilDate"}) {
                auto* edit = control<QDateEdit>(name);
                QVERIFY(edit->isEnabled());
                edit->setFocus();
                edit->setCurrentSection(QDateTimeEdit::YearSection);
                QTest::keyClick(edit, Qt::Key_Down);
            }
        }
        QTRY_COMPARE(spoken(control<QLabel>("runs")), runs);
        QCOMPARE(spoken(control<QLabel>("firstPassYield")), firstPass);
        QCOMPARE(control<QLabel>("noRuns")->isVisible(), period == 3);
        QCOMPARE(control<QLabel>("source")->text(), QStringLiteral("Station store"));
    }

    void chartNumbersInTables()
    {
        control<QToolButton>("paretoTableToggle")->click();
        auto* pareto = control<QTableWidget>("paretoTable");
        QVERIFY(pareto->isVisible());
        QCOMPARE(pareto->rowCount(), 1);
        QCOMPARE(pareto->item(0, 0)->text(),
                 QStringLiteral("aborted in Establishing Communication"));
        QCOMPARE(pareto->item(0, 2)->text(), QStringLiteral("100 %"));
        // Two stations recorded runs today: their yields are shown, and readable as a table.
        QVERIFY(control<QWidget>("stations")->isVisible());
        QCOMPARE(control<QTableWidget>("stationsTable")->rowCount(), 2);
    }

    void searchNarrowsRuns()
    {
        auto* runs = control<QTableView>("runs");
        QTRY_COMPARE(runs->model()->rowCount(), 5);
        auto* search = control<QLineEdit>("unitSearch");
        search->setFocus();
        QTest::keyClicks(search, "u-2");
        QTRY_COMPARE(runs->model()->rowCount(), 1);
        QCOMPARE(runs->model()->index(0, 1).data().toString(), QStringLiteral("U-2"));
        // The figures stay those of the whole period.
        QCOMPARE(spoken(control<QLabel>("runs")), QStringLiteral("Runs 5"));
    }

    void doubleClickOpensLog()
    {
        auto* runs = control<QTableView>("runs");
        QTRY_COMPARE(runs->model()->rowCount(), 5);
        QCOMPARE(runs->model()->index(0, 1).data().toString(), QStringLiteral("U-3"));
        const QPoint cell = runs->visualRect(runs->model()->index(0, 1)).center();
        QTest::mouseClick(runs->viewport(), Qt::LeftButton, {}, cell);
        QTest::mouseDClick(runs->viewport(), Qt::LeftButton, {}, cell);
        RunLogDialog* dialog = nullptr;
        QTRY_VERIFY((dialog = m_board->findChild<RunLogDialog*>("runLog")) && dialog->isVisible());
        const QString shown = dialog->findChild<QPlainTextEdit*>("log")->toPlainText();
        QVERIFY(shown.size() < m_longLog.size());
        QVERIFY(shown.contains("the view shows the first"));
        QVERIFY(dialog->findChild<QPlainTextEdit*>("log")->isReadOnly());
        dialog->findChild<QPushButton*>("copy")->click();
        QCOMPARE(QApplication::clipboard()->text().size(), m_longLog.size());
    }
};

QTEST_MAIN(tst_resultsboard)
#include "tst_resultsboard.moc"
