// The message window's view: equally tall rows, of which only those in sight are laid out and
// painted, so that showing a log costs the same whatever its length.
#pragma once

#include <QAbstractItemView>

class QPainter;

// A one-column list view in which every row has the height of one line of text. A row's place
// follows from its number, so the view keeps nothing per row: appending rows, moving the current
// row and painting cost time in proportion to the rows in sight, not to the rows in the model.
// It scrolls a row at a time vertically and a pixel at a time horizontally; the horizontal extent
// is the widest row the model reports (kWidestRowRole on its horizontal header, in characters of
// the view's fixed-pitch font), so that long lines can be scrolled into sight instead of cut.
class MsgLogView : public QAbstractItemView
{
    Q_OBJECT
public:
    // Header data role under which the model gives the length of its widest row, in characters.
    static constexpr int kWidestRowRole = Qt::UserRole + 1;
    // Data role under which the model gives a row's time (milliseconds since the epoch), or
    // nothing for a row without one.
    static constexpr int kLineTimeRole = Qt::UserRole + 2;

    explicit MsgLogView(QWidget* parent = nullptr);

    // Height of every row, in pixels.
    int rowHeight() const;
    // The first row at the top of the viewport.
    int firstRowInSight() const;
    // Whether each row's time ("HH:mm:ss.zzz") is drawn in a gutter left of the rows; off at
    // first. The gutter stays in place when the rows are scrolled sideways.
    void setTimesShown(bool shown);
    bool timesShown() const { return m_timesShown; }
    // Width of the time gutter in pixels; 0 while times are not shown.
    int gutterWidth() const;

    QRect visualRect(const QModelIndex& index) const override;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
    QModelIndex indexAt(const QPoint& point) const override;
    void reset() override;
    // Typing in the view does not search for a row beginning with the typed text: the search
    // would read every line of a log of millions.
    void keyboardSearch(const QString&) override {}

protected:
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    int horizontalOffset() const override;
    int verticalOffset() const override;
    bool isIndexHidden(const QModelIndex& index) const override;
    void setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command) override;
    QRegion visualRegionForSelection(const QItemSelection& selection) const override;

    void updateGeometries() override;
    void rowsInserted(const QModelIndex& parent, int start, int end) override;
    void dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                     const QList<int>& roles = QList<int>()) override;
    void scrollContentsBy(int dx, int dy) override;
    // The row a key moves to is scrolled into sight, whether or not the view scrolls by itself
    // on a change of the current row.
    void keyPressEvent(QKeyEvent* event) override;
    // Tells screen readers which line the user moved to.
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    int rows() const;
    // Rows that fit whole in the viewport (at least one).
    int rowsInSight() const;
    // Width of the rows: the widest row or the viewport, whichever is wider.
    int rowWidth() const;
    // Width in pixels of that many characters as wide as the sample, as the text is drawn.
    qint64 charsWidth(qint64 chars, QChar sample) const;
    int rowAt(int y) const;
    // Right edge, in viewport pixels, of the text any row can have: the widest row's characters.
    int inkRight() const;
    // Whether a row is drawn right of its text: it is selected or the current row.
    bool isRowDecorated(int row) const;
    // Moves the rows in sight by dy rows, scrolling only the part of the viewport with text.
    void scrollRowsBy(int dy);
    void paintGutter(QPainter& painter, int from, int to, QPalette::ColorGroup group);

    mutable int m_rowHeight = 0;
    int m_widestChars = 0;
    bool m_timesShown = false;
};
