// The list model that shows a MsgLog in the message window, announcing each change as it happens.
#pragma once

#include "terminal/MsgLog.h"

#include <QAbstractListModel>
#include <memory>

class QListView;

// Owns the log and mirrors it exactly: rows inserted for each added line, one row changed for
// the growing open line, a reset for a clear.
class MsgLogModel : public QAbstractListModel, private MsgLogObserver
{
    Q_OBJECT
public:
    explicit MsgLogModel(QObject* parent = nullptr);
    ~MsgLogModel() override;

    MsgLog& log() { return *m_log; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    void linesAboutToBeInserted(int first, int last) override;
    void linesInserted() override;
    void lineChanged(int row) override;
    void aboutToClear() override;
    void cleared() override;

    std::unique_ptr<MsgLog> m_log;
};

// Keeps a list view on the newest line: whenever lines are added, the last line becomes the
// selected one and is scrolled into view. The view work is done once per turn of the event
// loop, however many lines came in meanwhile, so that a burst of output stays cheap.
class MsgLogFollower : public QObject
{
    Q_OBJECT
public:
    MsgLogFollower(QListView* view, MsgLogModel* model);

    // Selects and shows the last line now (also what the deferred step does).
    void followNow();

private:
    void schedule();

    QListView* m_view;
    MsgLogModel* m_model;
    bool m_scheduled = false;
};
