// The runs table of the board: rows arrive a page at a time from the results worker, newest
// first; the view asks for the next page when it is scrolled to the end.
#pragma once

#include "results/RunsPage.h"

#include <QAbstractTableModel>
#include <QList>

class RunsModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    static constexpr int pageSize = 200;

    explicit RunsModel(QObject* parent = nullptr);

    // The first rows of a new reading; more says whether the store may hold further rows.
    void reset(const QList<RunRow>& rows, bool more);
    // The page that follows the rows held.
    void append(const QList<RunRow>& rows, bool more);
    QString runId(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

signals:
    // The view reached the end: the page from offset is wanted.
    void moreWanted(qint64 offset);

private:
    QList<RunRow> m_rows;
    bool m_more = false;
    bool m_asked = false;
};
