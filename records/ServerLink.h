// The program's link to the factory's server: forwards the store's waiting runs from a thread of
// its own, so that the window never waits for the network.
#pragma once

#include "records/Forwarding.h"

#include <QObject>
#include <QTimer>
#include <memory>

class QThread;
class ForwardWorker;

class ServerLink : public QObject
{
    Q_OBJECT

public:
    // uri is the server's address, password its password (empty: the one in the address, if any).
    ServerLink(const QString& storePath, const QString& uri, const QString& password,
               QObject* parent = nullptr);
    // Stops after the batch in hand; a thread still inside libpq after a few seconds is left to
    // end with the process rather than hold the program's exit.
    ~ServerLink() override;

    // Forwards what waits, e.g. after each run; requests made during a pass share the next one.
    void forwardNow();
    // Forwards every 30 s as well, while on.
    void setPeriodicForward(bool on);
    // Tries an address (e.g. one typed into a dialog); answered by connectionTested().
    void testConnection(const QString& uri, const QString& password);

signals:
    // After each pass: how many runs still wait, the error text (empty when none), and whether
    // the server keeps a newer layout.
    void forwardDone(const ForwardReport& report);
    void connectionTested(bool connected, const QString& reason);

private:
    std::shared_ptr<ForwardControl> control_;
    QThread* thread_;
    ForwardWorker* worker_;
    QTimer timer_;
};
