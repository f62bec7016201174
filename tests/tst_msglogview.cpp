// The message window's view on its own, over a model of up to ten million rows: what it paints,
// where its rows are, and how keys, clicks and new rows move it.
#include "support/DataTable.h"
#include "terminal/MsgLogModel.h"
#include "terminal/MsgLogView.h"

#include <QAbstractListModel>
#include <QAccessible>
#include <QApplication>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QScrollBar>
#include <QtTest>

namespace
{
// Rows "row N", as many as asked, or filled with M to the widest row's length (odd rows) or half
// of it (even rows); counts how often a row's text is asked for.
class CountingModel : public QAbstractListModel
{
public:
    int rowCount(const QModelIndex& parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : m_rows;
    }
    QVariant data(const QModelIndex& index, int role) const override
    {
        // Row N came at N seconds past midnight, local time; the last row has no time yet.
        if (role == MsgLogView::kLineTimeRole && index.row() < m_rows - 1)
            return QDateTime(QDate(2026, 12, 9), QTime(0, 0).addSecs(index.row()))
                .toMSecsSinceEpoch();
        if (role != Qt::DisplayRole)
            return {};
        ++asked;
        const QString text = QStringLiteral("row %1").arg(index.row());
        if (!m_filled)
            return text;
        return text.leftJustified(index.row() % 2 ? m_widest : m_widest / 2, QLatin1Char('M'));
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (role == MsgLogView::kWidestRowRole)
            return m_widest;
        return QAbstractListModel::headerData(section, orientation, role);
    }

    void reset(int rows, int widest = 12, bool filled = false)
    {
        beginResetModel();
        m_rows = rows;
        m_widest = widest;
        m_filled = filled;
        endResetModel();
    }
    // The row that was last takes its time now, as the log's open line does when it is ended.
    void append(int rows)
    {
        if (m_rows > 0)
            emit dataChanged(index(m_rows - 1), index(m_rows - 1));
        beginInsertRows(QModelIndex(), m_rows, m_rows + rows - 1);
        m_rows += rows;
        endInsertRows();
    }

    mutable qint64 asked = 0;

private:
    int m_rows = 0;
    int m_widest = 12;
    bool m_filled = false;
};

// Counts the paints a widget receives.
class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

constexpr int kTenMillion = 10'000'000;
} // namespace

class tst_msglogview : public QObject
{
    Q_OBJECT

    std::unique_ptr<QWidget> window;
    MsgLogView* view = nullptr;
    CountingModel* model = nullptr;

    // The view's own way of showing the newest row, as the message window follows new lines.
    void follow()
    {
        const QModelIndex last = model->index(model->rowCount() - 1);
        view->setCurrentIndex(last);
        view->scrollTo(last, QAbstractItemView::PositionAtBottom);
    }
    QModelIndex rowAtTop() const { return view->indexAt(QPoint(4, 1)); }

private slots:
    void init()
    {
        window = std::make_unique<QWidget>();
        window->resize(420, 220);
        view = new MsgLogView(window.get());
        view->setGeometry(10, 10, 400, 200);
        view->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
        model = new CountingModel;
        model->setParent(view);
        view->setModel(model);
        // As in the program: the follower keeps the newest row in sight, and the view does not
        // scroll by itself on a change of the current row.
        new MsgLogFollower(view, model);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
    void cleanup() { window.reset(); }

    // Painting and following the newest row ask for the rows in sight, never for all rows.
    void asksOnlyForRowsInSight_data()
    {
        QTest::addColumn<int>("rows");
        QTest::newRow("one row") << 1;
        QTest::newRow("a screenful and more") << 1000;
        QTest::newRow("ten million rows") << kTenMillion;
    }
    void asksOnlyForRowsInSight()
    {
        QFETCH(int, rows);
        model->reset(rows);
        follow();
        QApplication::processEvents();
        const qint64 inSight = view->viewport()->height() / view->rowHeight() + 1;
        model->asked = 0;
        view->viewport()->repaint();
        QVERIFY2(model->asked <= inSight, qPrintable(QString::number(model->asked)));

        model->asked = 0;
        for (int batch = 0; batch < 3; ++batch) {
            model->append(3);
            follow();
            view->viewport()->repaint();
        }
        QVERIFY2(model->asked <= 3 * inSight, qPrintable(QString::number(model->asked)));
        QCOMPARE(view->currentIndex().row(), model->rowCount() - 1);
    }

    // Where scrolling to a row puts it, with ten million rows: the row's place is computed from
    // its number, so it must hold at the far end as well.
    void scrollTo_data()
    {
        // firstInSight is -1 where the row is the last one in sight.
        addColumns<int, int, int>({"row", "hint", "firstInSight"});
        QTest::newRow("last row at the bottom")
            << kTenMillion - 1 << int(QAbstractItemView::PositionAtBottom) << -1;
        QTest::newRow("last row, made visible")
            << kTenMillion - 1 << int(QAbstractItemView::EnsureVisible) << -1;
        QTest::newRow("middle row at the top")
            << 5'000'000 << int(QAbstractItemView::PositionAtTop) << 5'000'000;
        QTest::newRow("first row at the bottom stays at the top")
            << 0 << int(QAbstractItemView::PositionAtBottom) << 0;
        QTest::newRow("last row at the top stops at the end")
            << kTenMillion - 1 << int(QAbstractItemView::PositionAtTop) << -1;
    }
    void scrollTo()
    {
        QFETCH(int, row);
        QFETCH(int, hint);
        QFETCH(int, firstInSight);
        model->reset(kTenMillion);
        view->scrollTo(model->index(2'000'000), QAbstractItemView::PositionAtTop);
        const QModelIndex target = model->index(row);
        view->scrollTo(target, QAbstractItemView::ScrollHint(hint));
        const QRect rect = view->visualRect(target);
        QVERIFY(view->viewport()->rect().contains(rect));
        QCOMPARE(view->indexAt(rect.center()), target);
        if (firstInSight >= 0)
            QCOMPARE(rowAtTop().row(), firstInSight);
        else
            QVERIFY(rect.bottom() + view->rowHeight() > view->viewport()->height());
    }

    // Keys move the current row the way a list's keys do.
    void keys_data()
    {
        addColumns<int, int, int>({"key", "from", "to"});
        // -1 and -2: a page down and up, as many rows as fit in the view.
        QTest::newRow("down") << int(Qt::Key_Down) << 100 << 101;
        QTest::newRow("up") << int(Qt::Key_Up) << 100 << 99;
        QTest::newRow("up at the first row") << int(Qt::Key_Up) << 0 << 0;
        QTest::newRow("down at the last row")
            << int(Qt::Key_Down) << kTenMillion - 1 << kTenMillion - 1;
        QTest::newRow("home") << int(Qt::Key_Home) << 4'000'000 << 0;
        QTest::newRow("end") << int(Qt::Key_End) << 0 << kTenMillion - 1;
        QTest::newRow("page down") << int(Qt::Key_PageDown) << 100 << -1;
        QTest::newRow("page up") << int(Qt::Key_PageUp) << 100 << -2;
        QTest::newRow("a letter does not search the rows") << int(Qt::Key_R) << 100 << 100;
    }
    void keys()
    {
        // Every key row runs with the follower attached (init), so these are the keys as the
        // message window has them.
        QFETCH(int, key);
        QFETCH(int, from);
        QFETCH(int, to);
        model->reset(kTenMillion);
        view->setCurrentIndex(model->index(from));
        view->scrollTo(model->index(from));
        window->activateWindow();
        view->setFocus();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QTRY_COMPARE(QApplication::focusWidget(), view);
        const int page = view->viewport()->height() / view->rowHeight();
        if (to == -1)
            to = from + page;
        else if (to == -2)
            to = from - page;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        QCOMPARE(view->currentIndex().row(), to);
        QVERIFY(view->viewport()->rect().contains(view->visualRect(view->currentIndex())));
    }

    // New rows are followed only while the user is at the last row: moved up, the current row
    // stays where the user put it; back at the end, following resumes.
    void followerWaitsForTheEnd()
    {
        model->reset(500);
        QCOMPARE(view->currentIndex().row(), 499);
        window->activateWindow();
        view->setFocus();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QTRY_COMPARE(QApplication::focusWidget(), view);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageUp);
        const int reading = view->currentIndex().row();
        QVERIFY(reading < 499);
        model->append(3);
        QCOMPARE(view->currentIndex().row(), reading);
        QVERIFY(view->viewport()->rect().contains(view->visualRect(view->currentIndex())));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_End);
        QCOMPARE(view->currentIndex().row(), 502);
        model->append(2);
        QCOMPARE(view->currentIndex().row(), 504);
        QVERIFY(view->viewport()->rect().contains(view->visualRect(view->currentIndex())));
    }

    // Times are drawn in a gutter of their own only while shown; the rows keep their text and
    // move over, a click in the gutter picks the row beside it, and sideways scrolling leaves
    // the gutter in place.
    void timeGutter()
    {
        model->reset(5, 200);
        const auto gutterImage = [this] {
            return view->viewport()
                ->grab(QRect(0, 0, view->gutterWidth(), 5 * view->rowHeight()))
                .toImage();
        };
        QCOMPARE(view->gutterWidth(), 0);
        QCOMPARE(view->visualRect(model->index(0)).left(), 0);

        view->setTimesShown(true);
        const int gutter = view->gutterWidth();
        QVERIFY(gutter >= 12 * view->fontMetrics().horizontalAdvance(QLatin1Char('0')));
        QCOMPARE(view->visualRect(model->index(0)).left(), gutter);
        QCOMPARE(view->indexAt(QPoint(2, view->rowHeight() * 2 + 1)).row(), 2);
        // Rows with a time have ink in the gutter; the last row has none.
        const QImage shown = gutterImage();
        // The image has device pixels: five rows of equal height.
        const int h = shown.height() / 5;
        const auto inked = [&](int row) {
            const QColor background = shown.pixelColor(0, row * h);
            for (int y = row * h; y < (row + 1) * h; ++y)
                for (int x = 0; x < shown.width(); ++x)
                    if (shown.pixelColor(x, y) != background)
                        return true;
            return false;
        };
        QVERIFY(inked(0));
        QVERIFY(inked(3));
        QVERIFY(!inked(4));

        view->horizontalScrollBar()->setValue(view->horizontalScrollBar()->maximum());
        QVERIFY(view->horizontalScrollBar()->value() > 0);
        QCOMPARE(view->visualRect(model->index(0)).left(),
                 gutter - view->horizontalScrollBar()->value());
        QCOMPARE(view->indexAt(QPoint(2, 1)).row(), 0);
        QCOMPARE(gutterImage(), shown);

        view->setTimesShown(false);
        QCOMPARE(view->gutterWidth(), 0);
    }

    // A click picks the row under the pointer, deep in a long model too.
    void clickPicksRowUnderPointer()
    {
        model->reset(kTenMillion);
        view->scrollTo(model->index(7'654'321), QAbstractItemView::PositionAtTop);
        const QRect third = view->visualRect(model->index(7'654'323));
        const QPoint at = view->viewport()->mapTo(window.get(), third.center());
        QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, at);
        QCOMPARE(view->currentIndex().row(), 7'654'323);
        QVERIFY(view->selectionModel()->isSelected(model->index(7'654'323)));
        // Below the last row there is no row to pick.
        model->reset(2);
        const QPoint below = view->viewport()->mapTo(window.get(), QPoint(20, 150));
        QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, below);
        QVERIFY(!view->indexAt(QPoint(20, 150)).isValid());
        QVERIFY(view->selectionModel()->selectedIndexes().isEmpty());
    }

    // Screen readers see a list of the lines, read only when asked; the line the user moved to
    // has the focus; items of lines a reset took away are no longer valid.
    void screenReaderList()
    {
        model->reset(kTenMillion);
        QAccessibleInterface* list = QAccessible::queryAccessibleInterface(view);
        QCOMPARE(list->role(), QAccessible::List);
        QCOMPARE(list->childCount(), kTenMillion);
        model->asked = 0;
        QAccessibleInterface* deep = list->child(7'654'321);
        QCOMPARE(deep->role(), QAccessible::ListItem);
        QCOMPARE(deep->text(QAccessible::Name), QStringLiteral("row 7654321"));
        QCOMPARE(deep->parent(), list);
        QCOMPARE(list->indexOfChild(deep), 7'654'321);
        QCOMPARE(list->child(7'654'321), deep);
        QCOMPARE(model->asked, 1);
        QVERIFY(deep->state().offscreen);

        view->setCurrentIndex(model->index(100));
        view->scrollTo(model->index(100));
        window->activateWindow();
        view->setFocus();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QTRY_COMPARE(QApplication::focusWidget(), view);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QAccessibleInterface* focused = list->focusChild();
        QVERIFY(focused);
        QCOMPARE(focused->text(QAccessible::Name), QStringLiteral("row 101"));
        QVERIFY(focused->state().focused && focused->state().selected);
        QVERIFY(!focused->state().offscreen);
        const QRect at = focused->rect();
        QCOMPARE(list->childAt(at.center().x(), at.center().y()), focused);

        model->reset(3);
        QVERIFY(!deep->isValid());
        QCOMPARE(list->childCount(), 3);
        QVERIFY(!list->child(3));
    }

    // A row wider than the view can be scrolled into sight; a reset to narrow rows takes the
    // sideways scrolling away again.
    void sidewaysScrolling()
    {
        model->reset(50, 300);
        const qreal text = QFontMetricsF(view->font()).horizontalAdvance(QString(300, u'M'));
        QVERIFY(view->horizontalScrollBar()->maximum() >= text - view->viewport()->width());
        QVERIFY(view->visualRect(model->index(3)).width() >= text);
        view->horizontalScrollBar()->setValue(100);
        QCOMPARE(view->visualRect(model->index(3)).left(), -100);
        model->reset(50, 10);
        QCOMPARE(view->horizontalScrollBar()->maximum(), 0);
        QCOMPARE(view->visualRect(model->index(3)).width(), view->viewport()->width());
    }

    // Scrolling moves only the part of the rows that holds text and repaints highlights and
    // focus frames beside it, and the scroll bar repaints only where its slider was and is:
    // what the screen shows afterwards is what a full paint would show.
    void scrolledRowsLookAsPainted_data()
    {
        // added: new rows the view follows; scrolledBy: rows the scroll bar then moves by;
        // selected: rows from 40 on that the user selected before; sideways: the rows are
        // scrolled sideways first.
        addColumns<int, bool, bool, int, int, int, bool>(
            {"widest", "focus", "times", "added", "scrolledBy", "selected", "sideways"});
        QTest::newRow("follow a new row") << 12 << false << false << 1 << 0 << 0 << false;
        QTest::newRow("follow rows of 60") << 60 << false << false << 1 << 0 << 0 << false;
        QTest::newRow("follow, focused, times") << 12 << true << true << 3 << 0 << 0 << false;
        QTest::newRow("selection, up 3") << 12 << true << false << 0 << -3 << 4 << false;
        QTest::newRow("selection, up 1, times") << 12 << false << true << 0 << -1 << 3 << false;
        QTest::newRow("selection, a page up") << 12 << true << false << 0 << -11 << 5 << false;
        QTest::newRow("rows wider than the view") << 300 << true << false << 2 << 0 << 0 << true;
        QTest::newRow("narrow rows, sideways") << 30 << false << true << 0 << -2 << 2 << true;
    }
    void scrolledRowsLookAsPainted()
    {
        QFETCH(int, widest);
        QFETCH(bool, focus);
        QFETCH(bool, times);
        QFETCH(int, added);
        QFETCH(int, scrolledBy);
        QFETCH(int, selected);
        QFETCH(bool, sideways);
        window->resize(900, 220);
        view->resize(880, 200);
        model->reset(50, widest, true);
        view->setTimesShown(times);
        follow();
        if (selected > 0) {
            view->setCurrentIndex(model->index(42));
            view->selectionModel()->select(
                QItemSelection(model->index(40), model->index(40 + selected - 1)),
                QItemSelectionModel::ClearAndSelect);
        }
        if (focus) {
            window->activateWindow();
            view->setFocus();
            QVERIFY(QTest::qWaitForWindowActive(window.get()));
        }
        if (sideways)
            view->horizontalScrollBar()->setValue(view->horizontalScrollBar()->maximum() / 2 + 1);
        QTest::qWait(60);
        if (added > 0)
            model->append(added);
        view->verticalScrollBar()->setValue(view->verticalScrollBar()->value() + scrolledBy);
        QTest::qWait(60);

        const QRect onWindow = view->geometry();
        const QImage onScreen = window->screen()
                                    ->grabWindow(window->winId(), onWindow.x(), onWindow.y(),
                                                 onWindow.width(), onWindow.height())
                                    .toImage()
                                    .convertToFormat(QImage::Format_RGB32);
        const QImage painted = view->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(onScreen.size(), painted.size());
        QVERIFY(onScreen == painted);
    }

    // The vertical bar repaints when its slider moves or changes size, and not for rows that
    // leave it as it is.
    void scrollBarRepaints_data()
    {
        // thenAtTop: a row scrolled to the top afterwards, or -1.
        addColumns<int, int, int, bool>({"rows", "added", "thenAtTop", "repaint"});
        QTest::newRow("short list grows: the slider shrinks") << 20 << 20 << -1 << true;
        QTest::newRow("ten million rows and one more") << kTenMillion << 1 << -1 << false;
        QTest::newRow("then scrolled to the middle") << kTenMillion << 1 << 5'000'000 << true;
    }
    void scrollBarRepaints()
    {
        QFETCH(int, rows);
        QFETCH(int, added);
        QFETCH(int, thenAtTop);
        QFETCH(bool, repaint);
        model->reset(rows);
        follow();
        QScrollBar* bar = view->verticalScrollBar();
        PaintCounter counter(bar);
        QTRY_VERIFY(counter.paints > 0);
        QApplication::processEvents();
        counter.paints = 0;
        model->append(added);
        follow();
        if (thenAtTop >= 0)
            view->scrollTo(model->index(thenAtTop), QAbstractItemView::PositionAtTop);
        QApplication::processEvents();
        QCOMPARE(counter.paints > 0, repaint);
    }
};

QTEST_MAIN(tst_msglogview)
#include "tst_msglogview.moc"
