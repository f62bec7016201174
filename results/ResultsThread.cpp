// The worker's thread: requests are posted to the worker as queued calls.
#include "results/ResultsThread.h"

#include "results/ResultsWorker.h"

ResultsThread::ResultsThread(QObject* parent) : QObject(parent), m_worker(new ResultsWorker)
{
    m_thread.setObjectName(QStringLiteral("results"));
    m_worker->moveToThread(&m_thread);
    connect(&m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
    m_thread.start();
}

ResultsThread::~ResultsThread()
{
    m_thread.quit();
    m_thread.wait();
}

template <typename Request> void ResultsThread::post(Request request)
{
    QMetaObject::invokeMethod(m_worker, std::move(request), Qt::QueuedConnection);
}

void ResultsThread::setSource(const ResultsSource& source)
{
    ResultsWorker* worker = m_worker;
    post([worker, source] { worker->setSource(source); });
}

quint64 ResultsThread::askFigures(const ResultsFilter& filter)
{
    const quint64 ticket = m_nextTicket++;
    m_latest->figures = ticket;
    ResultsWorker* worker = m_worker;
    post([worker, latest = m_latest, ticket, filter] {
        if (ticket == latest->figures)
            worker->figures(ticket, filter);
    });
    return ticket;
}

quint64 ResultsThread::askPage(const ResultsFilter& filter, qint64 offset, int limit)
{
    const quint64 ticket = m_nextTicket++;
    m_latest->page = ticket;
    ResultsWorker* worker = m_worker;
    post([worker, latest = m_latest, ticket, filter, offset, limit] {
        if (ticket == latest->page)
            worker->page(ticket, filter, offset, limit);
    });
    return ticket;
}

quint64 ResultsThread::askDetail(const QString& runId)
{
    const quint64 ticket = m_nextTicket++;
    ResultsWorker* worker = m_worker;
    post([worker, ticket, runId] { worker->detail(ticket, runId); });
    return ticket;
}

quint64 ResultsThread::askStations()
{
    const quint64 ticket = m_nextTicket++;
    ResultsWorker* worker = m_worker;
    post([worker, ticket] { worker->stations(ticket); });
    return ticket;
}

quint64 ResultsThread::askExport(const ResultsFilter& filter, const QString& path)
{
    const quint64 ticket = m_nextTicket++;
    ResultsWorker* worker = m_worker;
    post([worker, ticket, filter, path] { worker->exportRuns(ticket, filter, path); });
    return ticket;
}
