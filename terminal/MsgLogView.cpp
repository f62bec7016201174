// The message window's view: row geometry from the row number, painting of the rows in sight.
#include "terminal/MsgLogView.h"

#include "terminal/LineTime.h"
#include "terminal/MsgLogAccessible.h"
#include "terminal/QuietScrollBar.h"

#include <QAccessible>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyleOptionFocusRect>

#include <cmath>

MsgLogView::MsgLogView(QWidget* parent) : QAbstractItemView(parent)
{
    setSelectionBehavior(SelectRows);
    setVerticalScrollBar(new QuietScrollBar(Qt::Vertical));
    setHorizontalScrollBar(new QuietScrollBar(Qt::Horizontal));
    installMsgLogAccessible();
}

int MsgLogView::rowHeight() const
{
    if (m_rowHeight <= 0) {
        // The height the style gives a row of one line of text in this font.
        QStyleOptionViewItem option;
        initViewItemOption(&option);
        option.features |= QStyleOptionViewItem::HasDisplay;
        option.text = QStringLiteral("0");
        const QSize hint =
            style()->sizeFromContents(QStyle::CT_ItemViewItem, &option, QSize(), this);
        m_rowHeight = qMax(hint.height(), fontMetrics().height());
    }
    return m_rowHeight;
}

int MsgLogView::rows() const
{
    return model() ? model()->rowCount(rootIndex()) : 0;
}

int MsgLogView::firstRowInSight() const
{
    return verticalScrollBar()->value();
}

int MsgLogView::rowsInSight() const
{
    return qMax(1, viewport()->height() / rowHeight());
}

void MsgLogView::setTimesShown(bool shown)
{
    if (shown == m_timesShown)
        return;
    m_timesShown = shown;
    updateGeometries();
    viewport()->update();
}

int MsgLogView::gutterWidth() const
{
    if (!m_timesShown)
        return 0;
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    return int(charsWidth(LineTime::kTextLength + 1, QLatin1Char('0'))) + 2 * margin;
}

qint64 MsgLogView::charsWidth(qint64 chars, QChar sample) const
{
    // Text is laid out at the font's fractional advances: a whole-pixel advance, rounded down,
    // would fall short by a pixel every few characters.
    return qint64(std::ceil(double(chars) * QFontMetricsF(font()).horizontalAdvance(sample)));
}

int MsgLogView::rowWidth() const
{
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    const qint64 widest = charsWidth(m_widestChars, QLatin1Char('M')) + 2 * qint64(margin) + 2;
    return int(qBound(qint64(viewport()->width() - gutterWidth()), widest, qint64(1) << 24));
}

int MsgLogView::rowAt(int y) const
{
    const int h = rowHeight();
    // Rounds down for points above the viewport as well.
    const int rowsDown = y >= 0 ? y / h : -((-y + h - 1) / h);
    return firstRowInSight() + rowsDown;
}

QRect MsgLogView::visualRect(const QModelIndex& index) const
{
    if (!index.isValid() || index.model() != model() || index.parent() != rootIndex() ||
        index.column() != 0)
        return {};
    const qint64 top = qint64(index.row() - firstRowInSight()) * rowHeight();
    // Rows far out of sight are placed just outside the viewport, where no paint reaches them.
    const int y = int(qBound(-(qint64(1) << 24), top, qint64(1) << 24));
    return QRect(gutterWidth() - horizontalOffset(), y, rowWidth(), rowHeight());
}

void MsgLogView::scrollTo(const QModelIndex& index, ScrollHint hint)
{
    if (!index.isValid() || index.model() != model())
        return;
    updateGeometries();
    const int row = index.row();
    const int fit = rowsInSight();
    int first = firstRowInSight();
    switch (hint) {
    case PositionAtTop:
        first = row;
        break;
    case PositionAtBottom:
        first = row - fit + 1;
        break;
    case PositionAtCenter:
        first = row - fit / 2;
        break;
    case EnsureVisible:
        if (row < first)
            first = row;
        else if (row >= first + fit)
            first = row - fit + 1;
        break;
    }
    verticalScrollBar()->setValue(first);
}

QModelIndex MsgLogView::indexAt(const QPoint& point) const
{
    const int row = rowAt(point.y());
    // A point in the gutter picks the row beside it.
    if (!model() || row < 0 || row >= rows() ||
        point.x() - gutterWidth() + horizontalOffset() >= rowWidth())
        return {};
    return model()->index(row, 0, rootIndex());
}

void MsgLogView::keyPressEvent(QKeyEvent* event)
{
    const QModelIndex before = currentIndex();
    QAbstractItemView::keyPressEvent(event);
    if (currentIndex() != before)
        scrollTo(currentIndex());
}

QModelIndex MsgLogView::moveCursor(CursorAction action, Qt::KeyboardModifiers)
{
    const int count = rows();
    if (count == 0)
        return {};
    const QModelIndex current = currentIndex();
    int row = current.isValid() ? current.row() : count - 1;
    switch (action) {
    case MoveUp:
    case MovePrevious:
        --row;
        break;
    case MoveDown:
    case MoveNext:
        ++row;
        break;
    case MovePageUp:
        row -= rowsInSight();
        break;
    case MovePageDown:
        row += rowsInSight();
        break;
    case MoveHome:
        row = 0;
        break;
    case MoveEnd:
        row = count - 1;
        break;
    case MoveLeft:
    case MoveRight:
        // A single column: the arrow keys scroll a long line sideways instead.
        horizontalScrollBar()->triggerAction(action == MoveLeft
                                                 ? QAbstractSlider::SliderSingleStepSub
                                                 : QAbstractSlider::SliderSingleStepAdd);
        return current;
    }
    return model()->index(qBound(0, row, count - 1), 0, rootIndex());
}

int MsgLogView::horizontalOffset() const
{
    return horizontalScrollBar()->value();
}

int MsgLogView::verticalOffset() const
{
    return firstRowInSight() * rowHeight();
}

bool MsgLogView::isIndexHidden(const QModelIndex&) const
{
    return false;
}

void MsgLogView::setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command)
{
    if (!selectionModel())
        return;
    const QRect area = rect.normalized();
    const int top = qMax(0, rowAt(area.top()));
    const int bottom = qMin(rows() - 1, rowAt(area.bottom()));
    QItemSelection selection;
    if (top <= bottom)
        selection.select(model()->index(top, 0, rootIndex()),
                         model()->index(bottom, 0, rootIndex()));
    selectionModel()->select(selection, command);
}

QRegion MsgLogView::visualRegionForSelection(const QItemSelection& selection) const
{
    const int first = firstRowInSight();
    const int last = rowAt(viewport()->height() - 1);
    QRegion region;
    for (const QItemSelectionRange& range : selection) {
        if (!range.isValid() || range.parent() != rootIndex())
            continue;
        const int top = qMax(range.top(), first);
        const int bottom = qMin(range.bottom(), last);
        if (top <= bottom)
            region += QRect(gutterWidth() - horizontalOffset(), (top - first) * rowHeight(),
                            rowWidth(), (bottom - top + 1) * rowHeight());
    }
    return region;
}

void MsgLogView::updateGeometries()
{
    const int fit = rowsInSight();
    verticalScrollBar()->setSingleStep(1);
    verticalScrollBar()->setPageStep(fit);
    verticalScrollBar()->setRange(0, qMax(0, rows() - fit));

    m_widestChars = model() ? model()->headerData(0, Qt::Horizontal, kWidestRowRole).toInt() : 0;
    const int width = viewport()->width() - gutterWidth();
    horizontalScrollBar()->setSingleStep(2 * fontMetrics().horizontalAdvance(QLatin1Char('M')));
    horizontalScrollBar()->setPageStep(width);
    horizontalScrollBar()->setRange(0, qMax(0, rowWidth() - width));
    QAbstractItemView::updateGeometries();
}

void MsgLogView::reset()
{
    QAbstractItemView::reset();
    // The scroll range follows the new row count at once, not after the next layout.
    updateGeometries();
}

void MsgLogView::rowsInserted(const QModelIndex& parent, int start, int end)
{
    QAbstractItemView::rowsInserted(parent, start, end);
    if (parent != rootIndex())
        return;
    updateGeometries();
    // New rows in sight are painted from where they begin.
    const int below = start - firstRowInSight();
    if (below >= 0 && below <= rowsInSight()) {
        const int top = below * rowHeight();
        viewport()->update(0, top, viewport()->width(), viewport()->height() - top);
    }
}

void MsgLogView::dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                             const QList<int>& roles)
{
    QAbstractItemView::dataChanged(topLeft, bottomRight, roles);
    // A grown line may be the widest now.
    updateGeometries();
    // The open line takes its time with its first character.
    if (m_timesShown)
        viewport()->update(0, 0, gutterWidth(), viewport()->height());
}

void MsgLogView::scrollContentsBy(int dx, int dy)
{
    // The vertical scroll bar counts rows. The gutter does not move sideways with the rows.
    if (dx != 0 && m_timesShown)
        viewport()->update();
    else if (dx != 0)
        viewport()->scroll(dx, 0);
    else if (dy != 0)
        scrollRowsBy(dy);
}

int MsgLogView::inkRight() const
{
    // Text of a row ends within the widest row's characters, one more for a glyph's overhang.
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    const qint64 text = charsWidth(qint64(m_widestChars) + 1, QLatin1Char('M'));
    const qint64 right = gutterWidth() - horizontalOffset() + margin + text;
    return int(qBound(qint64(0), right, qint64(viewport()->width())));
}

bool MsgLogView::isRowDecorated(int row) const
{
    if (row < 0 || row >= rows())
        return false;
    const QModelIndex index = model()->index(row, 0, rootIndex());
    return (selectionModel() && selectionModel()->isSelected(index)) || index == currentIndex();
}

void MsgLogView::scrollRowsBy(int dy)
{
    // Only the part of the rows that holds text is moved: a wide window's rows are mostly empty
    // background, and moving all of it on every batch of received lines would make the cost
    // of following the log grow with the window's area. Right of the text a row shows only its
    // highlight or focus frame, so there the screen rows whose row, before or after the
    // scroll, is selected or current are repainted instead.
    const int ink = inkRight();
    const QRect viewportRect = viewport()->rect();
    viewport()->scroll(0, dy * rowHeight(), QRect(0, 0, ink, viewportRect.height()));
    if (ink >= viewportRect.width())
        return;
    const int first = firstRowInSight();
    const int h = rowHeight();
    QRegion stale;
    for (int screenRow = 0; screenRow * h < viewportRect.height(); ++screenRow) {
        if (isRowDecorated(first + screenRow) || isRowDecorated(first + dy + screenRow))
            stale += QRect(ink, screenRow * h, viewportRect.width() - ink, h);
    }
    if (!stale.isEmpty())
        viewport()->update(stale);
}

void MsgLogView::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QAbstractItemView::currentChanged(current, previous);
    if (QAccessible::isActive() && hasFocus() && current.isValid()) {
        QAccessibleEvent event(this, QAccessible::Focus);
        event.setChild(current.row());
        QAccessible::updateAccessibility(&event);
    }
}

void MsgLogView::paintEvent(QPaintEvent* event)
{
    const int count = rows();
    if (count == 0)
        return;
    // Rows are drawn here rather than by an item delegate: a row is one line of plain text, and
    // the delegate's layout of icons, check boxes and wrapped text would cost more than the text.
    QPainter painter(viewport());
    const QPalette::ColorGroup group = !isEnabled()       ? QPalette::Disabled
                                       : isActiveWindow() ? QPalette::Active
                                                          : QPalette::Inactive;
    const QPalette& colours = palette();
    const QFontMetrics metrics = fontMetrics();
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    const int baseline = (rowHeight() - metrics.height()) / 2 + metrics.ascent();
    const QModelIndex current = currentIndex();
    const bool focus = hasFocus() || viewport()->hasFocus();
    const QRect area = event->rect();
    const int from = qMax(0, rowAt(area.top()));
    const int to = qMin(count - 1, rowAt(area.bottom()));
    const int gutter = gutterWidth();
    if (gutter > 0)
        painter.setClipRect(gutter, 0, viewport()->width() - gutter, viewport()->height());
    for (int row = from; row <= to; ++row) {
        const QModelIndex index = model()->index(row, 0, rootIndex());
        const QRect rect = visualRect(index);
        const bool selected = selectionModel() && selectionModel()->isSelected(index);
        if (selected)
            painter.fillRect(rect, colours.brush(group, QPalette::Highlight));
        painter.setPen(colours.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
        painter.drawText(rect.left() + margin, rect.top() + baseline,
                         model()->data(index, Qt::DisplayRole).toString());
        if (focus && index == current) {
            QStyleOptionFocusRect frame;
            frame.initFrom(this);
            frame.rect = rect;
            frame.backgroundColor =
                colours.color(group, selected ? QPalette::Highlight : QPalette::Base);
            style()->drawPrimitive(QStyle::PE_FrameFocusRect, &frame, &painter, this);
        }
    }
    if (gutter > 0) {
        painter.setClipping(false);
        paintGutter(painter, from, to, group);
    }
}

void MsgLogView::paintGutter(QPainter& painter, int from, int to, QPalette::ColorGroup group)
{
    const QPalette& colours = palette();
    const int gutter = gutterWidth();
    painter.fillRect(0, 0, gutter, viewport()->height(), colours.brush(group, QPalette::Window));
    painter.setPen(colours.color(group, QPalette::WindowText));
    const QFontMetrics metrics = fontMetrics();
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    const int baseline = (rowHeight() - metrics.height()) / 2 + metrics.ascent();
    LineTime::Formatter format;
    for (int row = from; row <= to; ++row) {
        const QVariant time = model()->data(model()->index(row, 0, rootIndex()), kLineTimeRole);
        if (time.isValid())
            painter.drawText(margin, (row - firstRowInSight()) * rowHeight() + baseline,
                             format.text(time.toLongLong()));
    }
}

void MsgLogView::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        m_rowHeight = 0;
        updateGeometries();
    }
    QAbstractItemView::changeEvent(event);
}
