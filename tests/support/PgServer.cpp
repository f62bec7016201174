// Runs initdb and pg_ctl of PostgreSQL 15 for a suite, as a user other than root.
#include "support/PgServer.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <pwd.h>
#include <sys/socket.h>
#include <unistd.h>

namespace
{
const QString kBin = QStringLiteral("/usr/lib/postgresql/15/bin");

// A TCP port of 127.0.0.1 that nothing listens on now: the kernel's pick for port 0.
int freePort()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0)
        return 0;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = 0;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    ::close(fd);
    return port;
}
} // namespace

PgServer::PgServer()
{
    if (::geteuid() != 0)
        return;
    for (const char* name : {"postgres", "nobody"}) {
        if (const passwd* entry = ::getpwnam(name)) {
            user_ = QString::fromLatin1(name);
            if (::chown(QFile::encodeName(folder_.path()).constData(), entry->pw_uid,
                        entry->pw_gid) != 0)
                user_.clear();
            break;
        }
    }
}

PgServer::~PgServer()
{
    stop();
}

QString PgServer::run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setWorkingDirectory(folder_.path());
    if (user_.isEmpty())
        process.start(kBin + QLatin1Char('/') + program, arguments);
    else
        process.start(QStringLiteral("runuser"),
                      QStringList{QStringLiteral("-u"), user_, QStringLiteral("--"),
                                  kBin + QLatin1Char('/') + program} +
                          arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        return QStringLiteral("%1 failed (%2): %3")
            .arg(program, process.errorString(), QString::fromLocal8Bit(process.readAll()));
    return {};
}

QString PgServer::start()
{
    if (running_)
        return {};
    if (!QFileInfo(kBin + QStringLiteral("/initdb")).isExecutable())
        return QStringLiteral("PostgreSQL 15 is missing: %1/initdb is not there (install the "
                              "package postgresql, tools/install-deps does).")
            .arg(kBin);
    if (!folder_.isValid())
        return QStringLiteral("No temporary folder for the server: %1").arg(folder_.errorString());
    if (::geteuid() == 0 && user_.isEmpty())
        return QStringLiteral("The suite runs as root and there is no user postgres or nobody to "
                              "run the server as.");
    const QString data = folder_.filePath(QStringLiteral("data"));
    if (!made_) {
        const QString error = run(
            QStringLiteral("initdb"),
            {QStringLiteral("-D"), data, QStringLiteral("-U"), QStringLiteral("rovizez"),
             QStringLiteral("-A"), QStringLiteral("trust"), QStringLiteral("-E"),
             QStringLiteral("UTF8"), QStringLiteral("--no-locale"), QStringLiteral("--no-sync")});
        if (!error.isEmpty())
            return error;
        port_ = freePort();
        if (port_ == 0)
            return QStringLiteral("No free TCP port on 127.0.0.1 for the server.");
        made_ = true;
    }
    const QString options = QStringLiteral("-p %1 -k %2 -h 127.0.0.1 -F -c max_connections=60")
                                .arg(port_)
                                .arg(folder_.path());
    const QString error = run(QStringLiteral("pg_ctl"),
                              {QStringLiteral("-D"), data, QStringLiteral("-l"),
                               folder_.filePath(QStringLiteral("server.log")), QStringLiteral("-w"),
                               QStringLiteral("-t"), QStringLiteral("60"), QStringLiteral("-o"),
                               options, QStringLiteral("start")});
    if (!error.isEmpty())
        return error;
    running_ = true;
    return {};
}

QString PgServer::stop()
{
    if (!running_)
        return {};
    const QString error =
        run(QStringLiteral("pg_ctl"),
            {QStringLiteral("-D"), folder_.filePath(QStringLiteral("data")), QStringLiteral("-m"),
             QStringLiteral("fast"), QStringLiteral("-w"), QStringLiteral("stop")});
    if (error.isEmpty())
        running_ = false;
    return error;
}

QString PgServer::uri(const QString& database) const
{
    return QStringLiteral("postgresql://rovizez@127.0.0.1:%1/%2").arg(port_).arg(database);
}
