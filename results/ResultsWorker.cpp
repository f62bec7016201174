// The results worker: each request opens the source where needed, runs its queries and answers.
#include "results/ResultsWorker.h"

#include "results/RunsCsv.h"

#include <QAtomicInteger>

namespace
{
QString connectionName()
{
    static QAtomicInteger<quint64> next;
    return QStringLiteral("rovizez-results-%1").arg(next.fetchAndAddRelaxed(1));
}
} // namespace

ResultsWorker::ResultsWorker(QObject* parent) : QObject(parent), m_connection(connectionName())
{
    qRegisterMetaType<ResultFigures>();
    qRegisterMetaType<SourceState>();
    qRegisterMetaType<QList<RunRow>>();
    qRegisterMetaType<RunDetail>();
}

ResultsWorker::~ResultsWorker() = default;

void ResultsWorker::setSource(const ResultsSource& source)
{
    m_connection.setSource(source);
}

QSqlDatabase* ResultsWorker::database(quint64 ticket, SourceState* state)
{
    QSqlDatabase& db = m_connection.open(state);
    if (state->kind == SourceState::Kind::None) {
        emit failed(ticket, sourceLine(*state), *state);
        return nullptr;
    }
    return &db;
}

void ResultsWorker::queryFailed(quint64 ticket, const QString& error, const SourceState& state)
{
    m_connection.reset();
    emit failed(ticket, error, state);
}

void ResultsWorker::figures(quint64 ticket, const ResultsFilter& filter)
{
    SourceState state;
    QSqlDatabase* db = database(ticket, &state);
    if (!db)
        return;
    ResultFigures result;
    QString error;
    if (readFigures(*db, filter, &result, &error))
        emit figuresReady(ticket, result, state);
    else
        queryFailed(ticket, error, state);
}

void ResultsWorker::page(quint64 ticket, const ResultsFilter& filter, qint64 offset, int limit)
{
    SourceState state;
    QSqlDatabase* db = database(ticket, &state);
    if (!db)
        return;
    QList<RunRow> rows;
    QString error;
    if (readRunsPage(*db, filter, offset, limit, &rows, &error))
        emit pageReady(ticket, offset, rows, state);
    else
        queryFailed(ticket, error, state);
}

void ResultsWorker::detail(quint64 ticket, const QString& runId)
{
    SourceState state;
    QSqlDatabase* db = database(ticket, &state);
    if (!db)
        return;
    RunDetail result;
    QString error;
    if (readRunDetail(*db, runId, &result, &error))
        emit detailReady(ticket, result);
    else
        queryFailed(ticket, error, state);
}

void ResultsWorker::stations(quint64 ticket)
{
    SourceState state;
    QSqlDatabase* db = database(ticket, &state);
    if (!db)
        return;
    QStringList result;
    QString error;
    if (readStations(*db, &result, &error))
        emit stationsReady(ticket, result);
    else
        queryFailed(ticket, error, state);
}

void ResultsWorker::exportRuns(quint64 ticket, const ResultsFilter& filter, const QString& path)
{
    SourceState state;
    QSqlDatabase* db = database(ticket, &state);
    if (!db)
        return;
    qint64 rows = 0;
    QString error;
    if (exportRunsCsv(*db, filter, path, &rows, &error))
        emit exportDone(ticket, rows, path);
    else
        queryFailed(ticket, error, state);
}
