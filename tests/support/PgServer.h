// A PostgreSQL server of a suite's own, in a temporary folder, for the server-side suites.
#pragma once

#include <QString>
#include <QTemporaryDir>

// Made with initdb on first start, listening on a free port of 127.0.0.1 and on a Unix socket in
// its folder; trust authentication for the superuser "rovizez". Run as the user postgres (or
// nobody) when the suite runs as root, since PostgreSQL refuses to run as root.
class PgServer
{
public:
    PgServer();
    ~PgServer();
    PgServer(const PgServer&) = delete;
    PgServer& operator=(const PgServer&) = delete;

    // Starts the server, making its data on the first call; again after stop() with the same
    // data and port. Empty when it runs, else what went wrong (PostgreSQL missing included).
    QString start();
    // Stops it at once, ending its sessions. Empty when it stopped.
    QString stop();

    // postgresql://rovizez@127.0.0.1:<port>/<database>
    QString uri(const QString& database = QStringLiteral("postgres")) const;
    int port() const { return port_; }
    // The folder holding the Unix socket.
    QString socketFolder() const { return folder_.path(); }

private:
    QString run(const QString& program, const QStringList& arguments);

    QTemporaryDir folder_;
    QString user_; // the user the server runs as; empty when the suite does not run as root
    int port_ = 0;
    bool made_ = false;
    bool running_ = false;
};
