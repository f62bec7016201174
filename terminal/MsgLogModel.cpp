// The message window's list model over the log, and the follower that keeps the newest line shown.
#include "terminal/MsgLogModel.h"

#include <QListView>
#include <QTimer>

MsgLogModel::MsgLogModel(QObject* parent)
    : QAbstractListModel(parent), m_log(std::make_unique<MsgLog>())
{
    m_log->setObserver(this);
}

MsgLogModel::~MsgLogModel()
{
    m_log->setObserver(nullptr);
}

int MsgLogModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_log->lineCount();
}

QVariant MsgLogModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= m_log->lineCount())
        return {};
    return displayedLine(m_log->line(index.row()));
}

void MsgLogModel::linesAboutToBeInserted(int first, int last)
{
    beginInsertRows(QModelIndex(), first, last);
}

void MsgLogModel::linesInserted()
{
    endInsertRows();
}

void MsgLogModel::lineChanged(int row)
{
    const QModelIndex changed = index(row);
    emit dataChanged(changed, changed, {Qt::DisplayRole});
}

void MsgLogModel::aboutToClear()
{
    beginResetModel();
}

void MsgLogModel::cleared()
{
    endResetModel();
}

MsgLogFollower::MsgLogFollower(QListView* view, MsgLogModel* model)
    : QObject(view), m_view(view), m_model(model)
{
    // Scrolling is done here, once per burst, not by the view on every change of the selection.
    m_view->setAutoScroll(false);
    connect(model, &QAbstractItemModel::rowsInserted, this, &MsgLogFollower::schedule);
    connect(model, &QAbstractItemModel::modelReset, this, &MsgLogFollower::schedule);
}

void MsgLogFollower::schedule()
{
    if (m_scheduled)
        return;
    m_scheduled = true;
    QTimer::singleShot(0, this, &MsgLogFollower::followNow);
}

void MsgLogFollower::followNow()
{
    m_scheduled = false;
    const QModelIndex last = m_model->index(m_model->rowCount() - 1);
    m_view->setCurrentIndex(last);
    m_view->scrollTo(last, QAbstractItemView::PositionAtBottom);
}
