// The list model that shows a MsgLog in the message window, announcing each change as it happens.
#pragma once

#include "terminal/MsgLog.h"

#include <QAbstractListModel>
#include <QElapsedTimer>
#include <QTimer>
#include <memory>

class QAbstractItemView;

// Shows a log to a view: its own, or one that lives longer than the model (a session's). The log
// itself is exact at every moment; the model announces its changes in batches, so that a burst of
// received data costs one announcement and one repaint per refresh interval instead of one for
// every few bytes. A change is announced at once when the last announcement is older than the
// refresh interval, otherwise when the interval has passed. A clear is announced at once.
class MsgLogModel : public QAbstractListModel, private MsgLogObserver
{
    Q_OBJECT
public:
    // Shortest time between two announcements: the view repaints at most this often.
    static constexpr int kRefreshMs = 40;

    explicit MsgLogModel(QObject* parent = nullptr);
    explicit MsgLogModel(MsgLog& log, QObject* parent = nullptr);
    ~MsgLogModel() override;

    MsgLog& log() { return *m_log; }

    // Announces every change made so far now.
    void flush();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    // Gives the widest line's length to the view (MsgLogView::kWidestRowRole).
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    void linesAboutToBeInserted(int first, int last) override;
    void linesInserted() override;
    void lineChanged(int row) override;
    void aboutToClear() override;
    void cleared() override;
    void schedule();

    std::unique_ptr<MsgLog> m_owned;
    MsgLog* m_log;
    // Rows the views know of, and the first of them whose text changed since.
    int m_shownRows;
    int m_changedFrom = -1;
    QTimer m_publish;
    QElapsedTimer m_sinceLast;
};

// Keeps a view on the newest line while the user is there: when lines are announced and the
// current row was the last one, the new last line becomes the current one and is scrolled into
// view. A user who has moved up to read stays where they are until they move back to the last
// line. A clear starts following again.
class MsgLogFollower : public QObject
{
    Q_OBJECT
public:
    MsgLogFollower(QAbstractItemView* view, QAbstractItemModel* model);

    // Selects and shows the last line.
    void followNow();

private:
    QAbstractItemView* m_view;
    QAbstractItemModel* m_model;
    // Whether the current row was the last one when the announcement began.
    bool m_atEnd = true;
};
