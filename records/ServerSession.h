// One connection to the factory's PostgreSQL server, made and used in a single thread.
#pragma once

#include "records/StoredRun.h"

// libpq gives up connecting after this long, so a server that never answers costs bounded time.
inline constexpr int kConnectTimeoutSeconds = 10;

// What a look at the server's tables found: an error text (empty when none) and whether the
// server keeps a newer layout than this program's.
struct SchemaCheck {
    QString error;
    bool tooNew = false;
};

class ServerSession
{
public:
    ServerSession();
    ~ServerSession();
    ServerSession(const ServerSession&) = delete;
    ServerSession& operator=(const ServerSession&) = delete;

    // Connects to the address; password, when not empty, stands for the address's own. Empty
    // when connected.
    QString open(const QString& uri, const QString& password);

    // Reads the server's schema version without writing anything.
    SchemaCheck readSchema();

    // Makes the tables where missing, under an advisory lock so that stations starting at once
    // do not race; a server with a newer layout is left as it is.
    SchemaCheck ensureSchema();

    // Writes the runs and their channels in one server transaction; runs the server holds already
    // are left as they are there. Empty when the server committed.
    QString insert(const QList<StoredRun>& runs);

private:
    int version(QString* error);

    QString connection_;
    QString shownUri_;
};
