// Pseudo-terminal pairs and a link in front of them, for the suites on the real backend.
#include "support/PtyPeer.h"

#include <QFile>

#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

PtyPeer::PtyPeer()
{
    char name[256] = {};
    int follower = -1;
    if (::openpty(&m_leader, &follower, name, nullptr, nullptr) != 0)
        return;
    m_path = QString::fromLocal8Bit(name);
    // The window opens its own handle; this one only keeps the pair alive until then.
    ::close(follower);
    struct termios raw {
    };
    ::tcgetattr(m_leader, &raw);
    ::cfmakeraw(&raw);
    ::tcsetattr(m_leader, TCSANOW, &raw);
    ::fcntl(m_leader, F_SETFL, ::fcntl(m_leader, F_GETFL) | O_NONBLOCK);
    ::fcntl(m_leader, F_SETFD, FD_CLOEXEC);
}

PtyPeer::~PtyPeer()
{
    vanish();
}

bool PtyPeer::send(const QByteArray& bytes)
{
    return ::write(m_leader, bytes.constData(), size_t(bytes.size())) == bytes.size();
}

QByteArray PtyPeer::received()
{
    QByteArray all;
    char buf[256];
    for (;;) {
        const ssize_t n = ::read(m_leader, buf, sizeof buf);
        if (n <= 0)
            break;
        all.append(buf, n);
    }
    return all;
}

void PtyPeer::vanish()
{
    if (m_leader >= 0)
        ::close(m_leader);
    m_leader = -1;
}

PtyLink::PtyLink() = default;

bool PtyLink::plugIn()
{
    auto peer = std::make_unique<PtyPeer>();
    if (!peer->ok() || !pointAt(peer->path()))
        return false;
    m_peer = std::move(peer);
    return true;
}

void PtyLink::unplug()
{
    m_peer.reset();
    QFile::remove(path());
}

bool PtyLink::pointAt(const QString& target)
{
    QFile::remove(path());
    return QFile::link(target, path());
}
