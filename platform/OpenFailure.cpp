// Reasons for a failed open, including the group a user must join to use a serial device.
#include "platform/OpenFailure.h"

#include <QFile>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

QString openFailureText(OpenFailureKind kind, const QString& location, const QString& detail,
                        const QString& group, const QString& settings)
{
    switch (kind) {
    case OpenFailureKind::NotFound:
        return QStringLiteral("there is no port %1").arg(location);
    case OpenFailureKind::PermissionDenied: {
        const QString who =
            group.isEmpty() ? QStringLiteral("the group that owns the device")
                            : QStringLiteral("the group \"%1\" that owns the device").arg(group);
        const QString how =
            group.isEmpty()
                ? QString()
                : QStringLiteral(" (for example: sudo usermod -aG %1 $USER)").arg(group);
        return QStringLiteral("permission denied on %1; your user must be a member of %2%3, "
                              "then log out and log in again")
            .arg(location, who, how);
    }
    case OpenFailureKind::InUse:
        return QStringLiteral("%1 is in use by another program").arg(location);
    case OpenFailureKind::NotSerial:
        return QStringLiteral("%1 is not a serial port or refused the line format %2 (%3)")
            .arg(location, settings, detail);
    case OpenFailureKind::Other:
        break;
    }
    return detail.isEmpty() ? QStringLiteral("%1 could not be opened").arg(location)
                            : QStringLiteral("%1: %2").arg(location, detail);
}

QString deviceLocation(const QString& portName)
{
#ifdef Q_OS_UNIX
    if (portName.startsWith(QLatin1Char('/')) || portName.startsWith(QLatin1String("./")) ||
        portName.startsWith(QLatin1String("../")))
        return portName;
    return QStringLiteral("/dev/") + portName;
#else
    return portName;
#endif
}

QString owningGroup(const QString& path)
{
#ifdef Q_OS_UNIX
    struct stat info {
    };
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return {};
    const struct group* g = ::getgrgid(info.st_gid);
    return g ? QString::fromLocal8Bit(g->gr_name) : QString();
#else
    Q_UNUSED(path);
    return {};
#endif
}

bool accessDenied(const QString& path)
{
#ifdef Q_OS_UNIX
    return ::access(QFile::encodeName(path).constData(), R_OK | W_OK) != 0 && errno == EACCES;
#else
    Q_UNUSED(path);
    return false;
#endif
}
