// One pass of forwarding: the store's waiting runs, batch by batch, to the server.
#include "records/Forwarding.h"

#include "records/RecordStore.h"
#include "records/ServerSession.h"

ForwardReport forwardWaiting(RecordStore& store, const QString& uri, const QString& password,
                             ForwardControl& control)
{
    ForwardReport report;
    const auto countWaiting = [&] {
        const StoreCount waiting = store.waitingForServerCount();
        report.waiting = waiting.error.isEmpty() ? waiting.count : -1;
        if (report.error.isEmpty())
            report.error = waiting.error;
    };
    countWaiting();
    if (report.waiting <= 0 || control.abandoned)
        return report;

    ServerSession session;
    report.error = session.open(uri, password);
    if (report.error.isEmpty() && !control.abandoned) {
        const SchemaCheck check = session.ensureSchema();
        report.error = check.error;
        report.schemaTooNew = check.tooNew;
    }
    while (report.error.isEmpty() && !control.abandoned) {
        const StoredRuns batch = store.waitingForServer(kForwardBatch);
        report.error = batch.error;
        if (!report.error.isEmpty() || batch.runs.isEmpty())
            break;
        report.error = session.insert(batch.runs);
        if (!report.error.isEmpty())
            break;
        QStringList ids;
        for (const StoredRun& run : batch.runs)
            ids << run.runId;
        report.error = store.markForwarded(ids);
        if (!report.error.isEmpty())
            break;
        report.forwarded += static_cast<int>(ids.size());
        control.forwarded = report.forwarded;
    }
    countWaiting();
    return report;
}
