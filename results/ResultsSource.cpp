// Opening the results source: the server with a short timeout, else the store read-only.
#include "results/ResultsSource.h"

#include <QFileInfo>
#include <QSqlError>

QString sourceLine(const SourceState& state)
{
    switch (state.kind) {
    case SourceState::Kind::Server:
        return QStringLiteral("Server ") + state.server;
    case SourceState::Kind::Store:
        return state.fellBack ? QStringLiteral("Server not answering: showing the station store")
                              : QStringLiteral("Station store");
    case SourceState::Kind::None:
        break;
    }
    return QStringLiteral("No results to read: ") + state.error;
}

ResultsConnection::ResultsConnection(const QString& name) : m_name(name) {}

ResultsConnection::~ResultsConnection()
{
    close();
}

void ResultsConnection::setSource(const ResultsSource& source)
{
    close();
    m_source = source;
    m_sinceServerTried.invalidate();
}

QSqlDatabase& ResultsConnection::open(SourceState* state)
{
    const bool serverSet = !m_source.server.host.isEmpty();
    const bool retryServer =
        serverSet && m_state.kind != SourceState::Kind::Server &&
        (!m_sinceServerTried.isValid() || m_sinceServerTried.hasExpired(serverRetryMs));
    if (!m_db.isOpen() || retryServer) {
        close();
        m_state = SourceState();
        if (serverSet) {
            const ServerSettings& server = m_source.server;
            m_state.server =
                QStringLiteral("%1 on %2:%3").arg(server.database, server.host).arg(server.port);
        }
        if (!(serverSet && openServer()) && openStore())
            m_state.fellBack = serverSet;
    }
    *state = m_state;
    return m_db;
}

void ResultsConnection::reset()
{
    close();
}

bool ResultsConnection::openServer()
{
    m_sinceServerTried.start();
    const ServerSettings& server = m_source.server;
    m_db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), m_name);
    m_db.setHostName(server.host);
    m_db.setPort(server.port);
    m_db.setUserName(server.user);
    m_db.setPassword(server.password);
    m_db.setDatabaseName(server.database);
    QString options = QStringLiteral("connect_timeout=%1").arg(serverTimeoutS);
    if (!server.options.isEmpty())
        options += QLatin1Char(';') + server.options;
    m_db.setConnectOptions(options);
    if (m_db.open()) {
        m_state.kind = SourceState::Kind::Server;
        return true;
    }
    m_state.error = m_db.lastError().text();
    close();
    return false;
}

bool ResultsConnection::openStore()
{
    if (m_source.storePath.isEmpty() || !QFileInfo(m_source.storePath).isFile()) {
        m_state.error =
            QStringLiteral("the station store %1 does not exist").arg(m_source.storePath);
        return false;
    }
    m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
    m_db.setDatabaseName(m_source.storePath);
    // The station goes on writing while the board reads: wait for its writes, never write.
    m_db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=5000"));
    if (m_db.open()) {
        m_state.kind = SourceState::Kind::Store;
        return true;
    }
    m_state.error = m_db.lastError().text();
    close();
    return false;
}

void ResultsConnection::close()
{
    if (m_db.isValid()) {
        m_db.close();
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_name);
    }
}
