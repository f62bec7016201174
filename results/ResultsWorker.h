// Answers requests for results over its own database connection and reports each answer by a
// signal carrying plain values. Meant to live in a thread of its own (see ResultsThread); every
// request runs to its end before the next.
#pragma once

#include "results/ResultFigures.h"
#include "results/ResultsFilter.h"
#include "results/ResultsSource.h"
#include "results/RunsPage.h"

#include <QList>
#include <QObject>
#include <QStringList>

class ResultsWorker : public QObject
{
    Q_OBJECT
public:
    explicit ResultsWorker(QObject* parent = nullptr);
    ~ResultsWorker() override;

    void setSource(const ResultsSource& source);

    void figures(quint64 ticket, const ResultsFilter& filter);
    void page(quint64 ticket, const ResultsFilter& filter, qint64 offset, int limit);
    void detail(quint64 ticket, const QString& runId);
    void stations(quint64 ticket);
    void exportRuns(quint64 ticket, const ResultsFilter& filter, const QString& path);

signals:
    void figuresReady(quint64 ticket, const ResultFigures& figures, const SourceState& source);
    void pageReady(quint64 ticket, qint64 offset, const QList<RunRow>& rows,
                   const SourceState& source);
    void detailReady(quint64 ticket, const RunDetail& detail);
    void stationsReady(quint64 ticket, const QStringList& stations);
    void exportDone(quint64 ticket, qint64 rows, const QString& path);
    // A request found no source or its query failed; the board keeps what it shows.
    void failed(quint64 ticket, const QString& message, const SourceState& source);

private:
    // The open connection, or nullptr after reporting the failure of ticket.
    QSqlDatabase* database(quint64 ticket, SourceState* state);
    void queryFailed(quint64 ticket, const QString& error, const SourceState& state);

    ResultsConnection m_connection;
};
