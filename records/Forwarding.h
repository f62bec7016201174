// Forwards the runs waiting in the station's store to the factory's server, batch by batch.
#pragma once

#include <QMetaType>
#include <QString>
#include <atomic>

class RecordStore;

// How a pass of forwarding ended.
struct ForwardReport {
    int forwarded = 0;         // runs the server committed and the store marked in this pass
    qint64 waiting = -1;       // runs still waiting in the store; -1 when the store could not count
    QString error;             // why the pass stopped early; empty when nothing failed
    bool schemaTooNew = false; // the server keeps a newer layout: nothing is written to it
};
Q_DECLARE_METATYPE(ForwardReport)

// Shared between a pass and whoever waits for it, in another thread.
struct ForwardControl {
    std::atomic<bool> abandoned{false}; // set by the waiter: stop before the next batch
    std::atomic<int> forwarded{0};      // runs forwarded so far, counted up after each batch
};

inline constexpr int kForwardBatch = 50;

// Connects, makes the server's tables where missing, then forwards batch after batch: each batch
// is one server transaction, and only after the server committed it are its runs marked
// forwarded in the store. A batch that was committed but not marked is sent again next time; the
// server keeps the copy it has. Nothing is connected when no run waits.
ForwardReport forwardWaiting(RecordStore& store, const QString& uri, const QString& password,
                             ForwardControl& control);
