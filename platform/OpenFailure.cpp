// Reasons for a failed open, with advice on gaining access to a device the user may not open.
#include "platform/OpenFailure.h"

#include <QFile>

#ifdef Q_OS_UNIX
#include <algorithm>
#include <cerrno>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>
#endif

namespace
{

const QString kRelogin = QStringLiteral("then log out and log in again");

// Advice for a device the mode does not open to this user. Joining the owning group helps only
// when that group may read and write it, is not root, and the user is not in it already (an
// owner is judged by the owner's permissions alone, whatever its groups).
QString permissionAdvice(const QString& location, const DeviceAccess& a)
{
    const QString denied = QStringLiteral("permission denied on %1; ").arg(location);
    if (a.known && a.userIsOwner && !a.ownerReadWrite)
        return denied + QStringLiteral("its permissions deny read and write even to you, its "
                                       "owner (for example: chmod u+rw %1)")
                            .arg(location);
    if (a.known && (a.userIsOwner || a.othersReadWrite || (a.groupReadWrite && a.userInGroup)))
        return denied + QStringLiteral("its permissions let your user read and write it, but the "
                                       "system refuses access for another reason (an access "
                                       "control list, a security policy, or a file system "
                                       "mounted without device access)");
    if (a.known && a.groupReadWrite && !a.groupIsRoot)
        return denied +
               QStringLiteral("your user must be a member of the group \"%1\" that owns "
                              "the device (for example: sudo usermod -aG %1 $USER), ")
                   .arg(a.group) +
               kRelogin;
    const QString owner = a.known ? QStringLiteral("only its owner (%1) can open it").arg(a.owner)
                                  : QStringLiteral("only its owner can open it");
    return denied + owner +
           QStringLiteral(". To grant access, add a udev rule that gives the device to a group of "
                          "yours with read and write permission; on a standard system serial "
                          "ports belong to the group \"dialout\" (sudo usermod -aG dialout "
                          "$USER), ") +
           kRelogin;
}

} // namespace

QString openFailureText(OpenFailureKind kind, const QString& location, const QString& detail,
                        const DeviceAccess& access, const QString& settings)
{
    switch (kind) {
    case OpenFailureKind::NotFound:
        return QStringLiteral("there is no port %1").arg(location);
    case OpenFailureKind::PermissionDenied:
        return permissionAdvice(location, access);
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

DeviceAccess deviceAccess(const QString& path)
{
    DeviceAccess access;
#ifdef Q_OS_UNIX
    struct stat info {
    };
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return access;
    access.known = true;
    const struct passwd* user = ::getpwuid(info.st_uid);
    access.owner = user ? QString::fromLocal8Bit(user->pw_name) : QString::number(info.st_uid);
    const struct group* g = ::getgrgid(info.st_gid);
    access.group = g ? QString::fromLocal8Bit(g->gr_name) : QString::number(info.st_gid);
    access.groupIsRoot = info.st_gid == 0;
    const auto readWrite = [&info](mode_t r, mode_t w) {
        return (info.st_mode & r) != 0 && (info.st_mode & w) != 0;
    };
    access.ownerReadWrite = readWrite(S_IRUSR, S_IWUSR);
    access.groupReadWrite = readWrite(S_IRGRP, S_IWGRP);
    access.othersReadWrite = readWrite(S_IROTH, S_IWOTH);
    access.userIsOwner = ::geteuid() == info.st_uid;
    std::vector<gid_t> groups(static_cast<size_t>(std::max(::getgroups(0, nullptr), 0)));
    groups.resize(static_cast<size_t>(
        std::max(::getgroups(static_cast<int>(groups.size()), groups.data()), 0)));
    access.userInGroup = ::getegid() == info.st_gid ||
                         std::find(groups.begin(), groups.end(), info.st_gid) != groups.end();
#else
    Q_UNUSED(path);
#endif
    return access;
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
