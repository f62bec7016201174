// The runs table's rows and columns, filled page by page.
#include "board/RunsModel.h"

namespace
{
enum Column {
    Time,
    Unit,
    Station,
    Run,
    Result,
    Step,
    Errors,
    Firmware,
    Configuration,
    RunId,
    Count
};
} // namespace

RunsModel::RunsModel(QObject* parent) : QAbstractTableModel(parent) {}

void RunsModel::reset(const QList<RunRow>& rows, bool more)
{
    beginResetModel();
    m_rows = rows;
    m_more = more;
    m_asked = false;
    endResetModel();
}

void RunsModel::append(const QList<RunRow>& rows, bool more)
{
    m_more = more;
    m_asked = false;
    if (rows.isEmpty())
        return;
    beginInsertRows({}, int(m_rows.size()), int(m_rows.size() + rows.size() - 1));
    m_rows += rows;
    endInsertRows();
}

QString RunsModel::runId(int row) const
{
    return row >= 0 && row < m_rows.size() ? m_rows.at(row).runId : QString();
}

int RunsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int RunsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : Count;
}

QVariant RunsModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    if (role == Qt::TextAlignmentRole && index.column() == Errors)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)
        return {};
    const RunRow& row = m_rows.at(index.row());
    switch (index.column()) {
    case Time:
        return row.startedAt;
    case Unit:
        return row.unit;
    case Station:
        return row.station;
    case Run:
        return row.run;
    case Result:
        return row.result;
    case Step:
        return row.step;
    case Errors:
        return row.errors;
    case Firmware:
        return row.firmware;
    case Configuration:
        return row.configuration;
    case RunId:
        return row.runId;
    }
    return {};
}

QVariant RunsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char* const titles[Count] = {"Time",          "Unit",  "Station", "Run",
                                              "Result",        "Step",  "Errors",  "Firmware",
                                              "Configuration", "Run ID"};
    return section >= 0 && section < Count ? tr(titles[section]) : QVariant();
}

bool RunsModel::canFetchMore(const QModelIndex& parent) const
{
    return !parent.isValid() && m_more && !m_asked;
}

void RunsModel::fetchMore(const QModelIndex& parent)
{
    if (!canFetchMore(parent))
        return;
    m_asked = true;
    emit moreWanted(m_rows.size());
}
