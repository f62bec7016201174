// Forwarding passes and connection tests, run in the server link's own thread.
#include "records/ForwardWorker.h"

#include "records/RecordStore.h"
#include "records/ServerSession.h"

ForwardWorker::ForwardWorker(const QString& storePath, const QString& uri, const QString& password,
                             std::shared_ptr<ForwardControl> control)
    : storePath_(storePath), uri_(uri), password_(password), control_(std::move(control))
{
}

ForwardWorker::~ForwardWorker() = default;

void ForwardWorker::forward()
{
    pending = false;
    if (control_->abandoned)
        return;
    if (!store_)
        store_ = std::make_unique<RecordStore>(storePath_);
    ForwardReport report;
    report.error = store_->open();
    if (report.error.isEmpty())
        report = forwardWaiting(*store_, uri_, password_, *control_);
    emit forwardDone(report);
}

void ForwardWorker::testConnection(const QString& uri, const QString& password)
{
    ServerSession session;
    QString reason = session.open(uri, password);
    if (reason.isEmpty())
        reason = session.readSchema().error;
    emit connectionTested(reason.isEmpty(), reason);
}
