// The message window as a list for screen readers: one item per line, made only when asked for.
#include "terminal/MsgLogAccessible.h"

#include "terminal/MsgLogView.h"

#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>

namespace
{
// Row items kept for screen readers at most; beyond this the kept ones are dropped and made
// again when asked, so that a reader walking a log of millions of lines does not keep them all.
constexpr int kRowsKept = 10000;

int rowCount(const MsgLogView* view)
{
    return view && view->model() ? view->model()->rowCount(view->rootIndex()) : 0;
}

// One line of the log. It reads the line when asked, so an open line that grows reads whole.
class MsgLogRowAccessible : public QAccessibleInterface
{
public:
    MsgLogRowAccessible(MsgLogView* view, int row) : m_view(view), m_row(row) {}

    int row() const { return m_row; }

    bool isValid() const override { return m_row < rowCount(m_view); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_view ? m_view->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override
    {
        return QAccessible::queryAccessibleInterface(m_view.data());
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }

    QString text(QAccessible::Text t) const override
    {
        if (!isValid() || (t != QAccessible::Name && t != QAccessible::Value))
            return {};
        return index().data(Qt::DisplayRole).toString();
    }
    void setText(QAccessible::Text, const QString&) override {}

    QRect rect() const override
    {
        if (!isValid())
            return {};
        const QRect local = m_view->visualRect(index());
        return QRect(m_view->viewport()->mapToGlobal(local.topLeft()), local.size());
    }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override
    {
        QAccessible::State st;
        if (!isValid())
            return st;
        st.selectable = true;
        st.focusable = true;
        const QModelIndex at = index();
        st.selected = m_view->selectionModel() && m_view->selectionModel()->isSelected(at);
        st.focused = m_view->hasFocus() && m_view->currentIndex() == at;
        st.offscreen = !m_view->viewport()->rect().intersects(m_view->visualRect(at));
        st.invisible = st.offscreen;
        return st;
    }

private:
    QModelIndex index() const { return m_view->model()->index(m_row, 0, m_view->rootIndex()); }

    QPointer<MsgLogView> m_view;
    int m_row;
};

// The view itself: a list of its lines. Its scroll bars are not listed, as in Qt's own lists.
class MsgLogViewAccessible : public QAccessibleWidget
{
public:
    explicit MsgLogViewAccessible(MsgLogView* view) : QAccessibleWidget(view, QAccessible::List) {}
    ~MsgLogViewAccessible() override { dropRows(); }

    int childCount() const override { return rowCount(view()); }
    QAccessibleInterface* child(int index) const override
    {
        if (index < 0 || index >= rowCount(view()))
            return nullptr;
        forgetRowsGone();
        if (const auto kept = m_rowIds.constFind(index); kept != m_rowIds.constEnd())
            return QAccessible::accessibleInterface(kept.value());
        if (m_rowIds.size() >= kRowsKept)
            dropRows();
        auto* row = new MsgLogRowAccessible(view(), index);
        m_rowIds.insert(index, QAccessible::registerAccessibleInterface(row));
        return row;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        if (!child || child->role() != QAccessible::ListItem || child->parent() != this)
            return -1;
        return static_cast<const MsgLogRowAccessible*>(child)->row();
    }
    QAccessibleInterface* childAt(int x, int y) const override
    {
        const QModelIndex at = view()->indexAt(view()->viewport()->mapFromGlobal(QPoint(x, y)));
        return at.isValid() ? child(at.row()) : nullptr;
    }
    QAccessibleInterface* focusChild() const override
    {
        const QModelIndex current = view()->currentIndex();
        return view()->hasFocus() && current.isValid() ? child(current.row()) : nullptr;
    }

private:
    MsgLogView* view() const { return static_cast<MsgLogView*>(widget()); }

    // A cleared log leaves items for lines that are gone; they are dropped when next asked.
    void forgetRowsGone() const
    {
        const int rows = rowCount(view());
        const bool shrunk = rows < m_rowsSeen;
        m_rowsSeen = rows;
        if (!shrunk)
            return;
        for (auto it = m_rowIds.begin(); it != m_rowIds.end();) {
            if (it.key() >= rows) {
                QAccessible::deleteAccessibleInterface(it.value());
                it = m_rowIds.erase(it);
            } else {
                ++it;
            }
        }
    }
    void dropRows() const
    {
        for (QAccessible::Id id : std::as_const(m_rowIds))
            QAccessible::deleteAccessibleInterface(id);
        m_rowIds.clear();
    }

    mutable QHash<int, QAccessible::Id> m_rowIds;
    mutable int m_rowsSeen = 0;
};

QAccessibleInterface* msgLogViewFactory(const QString& className, QObject* object)
{
    if (className != QLatin1String("MsgLogView"))
        return nullptr;
    auto* view = qobject_cast<MsgLogView*>(object);
    return view ? new MsgLogViewAccessible(view) : nullptr;
}
} // namespace

void installMsgLogAccessible()
{
    static const bool installed = [] {
        QAccessible::installFactory(msgLogViewFactory);
        return true;
    }();
    Q_UNUSED(installed);
}
