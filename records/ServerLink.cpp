// Starts the link's thread and worker and passes requests to it as queued calls.
#include "records/ServerLink.h"

#include "records/ForwardWorker.h"

#include <QThread>

namespace
{
constexpr int kPeriodMs = 30000;
constexpr unsigned long kStopWaitMs = 3000;
} // namespace

ServerLink::ServerLink(const QString& storePath, const QString& uri, const QString& password,
                       QObject* parent)
    : QObject(parent), control_(std::make_shared<ForwardControl>()), thread_(new QThread),
      worker_(new ForwardWorker(storePath, uri, password, control_))
{
    qRegisterMetaType<ForwardReport>();
    thread_->setObjectName(QStringLiteral("server link"));
    worker_->moveToThread(thread_);
    connect(thread_, &QThread::finished, worker_, &QObject::deleteLater);
    connect(worker_, &ForwardWorker::forwardDone, this, &ServerLink::forwardDone);
    connect(worker_, &ForwardWorker::connectionTested, this, &ServerLink::connectionTested);
    timer_.setInterval(kPeriodMs);
    connect(&timer_, &QTimer::timeout, this, &ServerLink::forwardNow);
    thread_->start();
}

ServerLink::~ServerLink()
{
    timer_.stop();
    control_->abandoned = true;
    thread_->quit();
    if (thread_->wait(kStopWaitMs))
        delete thread_;
    // Otherwise the thread and its worker are left to the process's end: a QThread may not be
    // destroyed while it runs, and the worker is deleted when the thread finishes.
}

void ServerLink::forwardNow()
{
    if (!worker_->pending.exchange(true))
        QMetaObject::invokeMethod(worker_, &ForwardWorker::forward, Qt::QueuedConnection);
}

void ServerLink::setPeriodicForward(bool on)
{
    if (on)
        timer_.start();
    else
        timer_.stop();
}

void ServerLink::testConnection(const QString& uri, const QString& password)
{
    QMetaObject::invokeMethod(
        worker_, [worker = worker_, uri, password] { worker->testConnection(uri, password); },
        Qt::QueuedConnection);
}
