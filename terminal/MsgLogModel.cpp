// The message window's list model over the log, and the follower that keeps the newest line shown.
#include "terminal/MsgLogModel.h"
#include "terminal/MsgLogView.h"

#include <QTimer>

MsgLogModel::MsgLogModel(QObject* parent) : MsgLogModel(*new MsgLog, parent)
{
    m_owned.reset(m_log);
}

MsgLogModel::MsgLogModel(MsgLog& log, QObject* parent)
    : QAbstractListModel(parent), m_log(&log), m_shownRows(log.lineCount())
{
    m_log->addObserver(this);
    m_publish.setSingleShot(true);
    connect(&m_publish, &QTimer::timeout, this, &MsgLogModel::flush);
    m_sinceLast.start();
}

MsgLogModel::~MsgLogModel()
{
    m_log->removeObserver(this);
}

int MsgLogModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_shownRows;
}

QVariant MsgLogModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_shownRows)
        return {};
    if (role == MsgLogView::kLineTimeRole) {
        // An empty open line has no character yet, so no time to show.
        const bool emptyOpenLine =
            index.row() == m_log->lineCount() - 1 && m_log->line(index.row()).isEmpty();
        return emptyOpenLine ? QVariant() : QVariant(m_log->lineTime(index.row()));
    }
    if (role != Qt::DisplayRole)
        return {};
    return displayedLine(m_log->line(index.row()));
}

QVariant MsgLogModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role == MsgLogView::kWidestRowRole && orientation == Qt::Horizontal && section == 0)
        return m_log->widestLine();
    return QAbstractListModel::headerData(section, orientation, role);
}

void MsgLogModel::flush()
{
    m_publish.stop();
    const int lines = m_log->lineCount();
    if (m_changedFrom >= 0 && m_changedFrom < m_shownRows)
        emit dataChanged(index(m_changedFrom), index(m_shownRows - 1), {Qt::DisplayRole});
    m_changedFrom = -1;
    if (lines > m_shownRows) {
        beginInsertRows(QModelIndex(), m_shownRows, lines - 1);
        m_shownRows = lines;
        endInsertRows();
    }
    m_sinceLast.restart();
}

void MsgLogModel::schedule()
{
    if (m_publish.isActive())
        return;
    const qint64 wait = qMax<qint64>(0, kRefreshMs - m_sinceLast.elapsed());
    m_publish.start(int(wait));
}

// New lines show with the next batch. Lines inserted before the end of what the views know of
// move the rows after them, so those rows count as changed.
void MsgLogModel::linesAboutToBeInserted(int first, int)
{
    if (first < m_shownRows && (m_changedFrom < 0 || first < m_changedFrom))
        m_changedFrom = first;
}

void MsgLogModel::linesInserted()
{
    schedule();
}

void MsgLogModel::lineChanged(int row)
{
    if (row < m_shownRows && (m_changedFrom < 0 || row < m_changedFrom))
        m_changedFrom = row;
    schedule();
}

void MsgLogModel::aboutToClear()
{
    beginResetModel();
}

void MsgLogModel::cleared()
{
    m_shownRows = m_log->lineCount();
    m_changedFrom = -1;
    m_publish.stop();
    endResetModel();
}

MsgLogFollower::MsgLogFollower(QAbstractItemView* view, QAbstractItemModel* model)
    : QObject(view), m_view(view), m_model(model)
{
    // Scrolling is done here, once per announcement, not by the view on every change of the
    // selection.
    m_view->setAutoScroll(false);
    connect(model, &QAbstractItemModel::rowsAboutToBeInserted, this, [this] {
        const QModelIndex current = m_view->currentIndex();
        m_atEnd = !current.isValid() || current.row() >= m_model->rowCount() - 1;
    });
    connect(model, &QAbstractItemModel::rowsInserted, this, [this] {
        if (m_atEnd)
            followNow();
    });
    connect(model, &QAbstractItemModel::modelReset, this, &MsgLogFollower::followNow);
}

void MsgLogFollower::followNow()
{
    const QModelIndex last = m_model->index(m_model->rowCount() - 1, 0);
    m_view->setCurrentIndex(last);
    m_view->scrollTo(last, QAbstractItemView::PositionAtBottom);
}
