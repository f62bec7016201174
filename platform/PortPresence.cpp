// Presence and a quiet open of a device, for the wait for a lost port.
#include "platform/PortPresence.h"

#include "platform/OpenFailure.h"

#include <QFile>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

bool portPresent(const QString& deviceName)
{
#ifdef Q_OS_UNIX
    struct stat info {
    };
    return ::stat(QFile::encodeName(deviceLocation(deviceName)).constData(), &info) == 0;
#else
    return true;
#endif
}

bool portOpens(const QString& deviceName)
{
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(deviceLocation(deviceName)).constData(),
                          O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool terminal = ::isatty(fd) == 1;
    ::close(fd);
    return terminal;
#else
    return true;
#endif
}
