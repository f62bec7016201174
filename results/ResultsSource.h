// Where the results are read: the PostgreSQL server the stations forward to, when one is set
// and answers, else the station's own SQLite store.
#pragma once

#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QString>

struct ServerSettings {
    QString host; // empty: no server
    int port = 5432;
    QString user;
    QString password;
    QString database;
    QString options; // further QPSQL connect options, "name=value;name=value"
};

struct ResultsSource {
    QString storePath;
    ServerSettings server;
};

// Which source answered a request.
struct SourceState {
    enum class Kind { None, Server, Store };
    Kind kind = Kind::None;
    bool fellBack = false; // a server is set but did not answer
    QString server;        // "database on host:port"
    QString error;         // why no source, or why the server did not answer
};

// "Server results on db.example:5432", "Station store", "Server not answering: showing the
// station store", or why nothing could be read.
QString sourceLine(const SourceState& state);

// One database connection, owned by the thread that made it. open() picks the server when it
// answers and falls back to the store; after a fall-back the server is asked again once
// serverRetryMs has passed.
class ResultsConnection
{
public:
    static constexpr qint64 serverRetryMs = 30000;
    static constexpr int serverTimeoutS = 3;

    explicit ResultsConnection(const QString& name);
    ~ResultsConnection();

    void setSource(const ResultsSource& source);
    // The open connection, opened first where needed; state says which source it is.
    QSqlDatabase& open(SourceState* state);
    // Drops the connection after a query failed so that the next request opens it afresh.
    void reset();

private:
    Q_DISABLE_COPY(ResultsConnection)

    bool openServer();
    bool openStore();
    void close();

    QString m_name;
    ResultsSource m_source;
    QSqlDatabase m_db;
    SourceState m_state;
    QElapsedTimer m_sinceServerTried;
};
