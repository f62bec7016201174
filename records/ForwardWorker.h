// The worker of a server link: lives in the link's thread and owns every connection made there.
#pragma once

#include "records/Forwarding.h"

#include <QObject>
#include <memory>

class RecordStore;

class ForwardWorker : public QObject
{
    Q_OBJECT

public:
    ForwardWorker(const QString& storePath, const QString& uri, const QString& password,
                  std::shared_ptr<ForwardControl> control);
    ~ForwardWorker() override;

    // Set before a pass is queued, cleared when it starts: requests made meanwhile share it.
    std::atomic<bool> pending{false};

    // A pass of forwarding; the store is opened in this thread on first use.
    void forward();
    // Connects to the address and reads its schema version, writing nothing.
    void testConnection(const QString& uri, const QString& password);

signals:
    void forwardDone(const ForwardReport& report);
    void connectionTested(bool connected, const QString& reason);

private:
    QString storePath_;
    QString uri_;
    QString password_;
    std::shared_ptr<ForwardControl> control_;
    std::unique_ptr<RecordStore> store_;
};
