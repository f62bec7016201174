// The results worker in a thread of its own, and the requests the window thread sends it. Each
// request returns its ticket; the answer's signal on worker() carries the same ticket. A request
// for figures or a page that a newer one of its kind overtook before it began is dropped.
#pragma once

#include "results/ResultsFilter.h"
#include "results/ResultsSource.h"

#include <QObject>
#include <QThread>
#include <atomic>
#include <memory>

class ResultsWorker;

class ResultsThread : public QObject
{
    Q_OBJECT
public:
    explicit ResultsThread(QObject* parent = nullptr);
    // Waits for the request under way to end and closes the worker's connection.
    ~ResultsThread() override;

    ResultsWorker* worker() const { return m_worker; }

    void setSource(const ResultsSource& source);
    quint64 askFigures(const ResultsFilter& filter);
    quint64 askPage(const ResultsFilter& filter, qint64 offset, int limit);
    quint64 askDetail(const QString& runId);
    quint64 askStations();
    quint64 askExport(const ResultsFilter& filter, const QString& path);

private:
    struct Latest {
        std::atomic<quint64> figures{0};
        std::atomic<quint64> page{0};
    };

    template <typename Request> void post(Request request);

    QThread m_thread;
    ResultsWorker* m_worker;
    std::shared_ptr<Latest> m_latest = std::make_shared<Latest>();
    quint64 m_nextTicket = 1;
};
