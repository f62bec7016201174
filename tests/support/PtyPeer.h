// Pseudo-terminals for the real serial backend: the far end that plays the modem, and a link
// whose name stays while the terminal behind it goes and comes back.
#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <memory>

// The far end of a pseudo-terminal: the test writes the modem's bytes here and reads what the
// window sent. The window opens path() itself.
class PtyPeer
{
public:
    PtyPeer();
    ~PtyPeer();

    bool ok() const { return m_leader >= 0; }
    int leader() const { return m_leader; }
    QString path() const { return m_path; }
    bool send(const QByteArray& bytes);
    // Every byte waiting at this end.
    QByteArray received();
    // Closes this end: the window's side hangs up, as an unplugged adapter does.
    void vanish();

private:
    Q_DISABLE_COPY(PtyPeer)

    int m_leader = -1;
    QString m_path;
};

// A link "modem" in a temporary folder, standing for a stable device name such as
// /dev/serial/by-id/...: the window opens the link, the test replaces what is behind it.
class PtyLink
{
public:
    PtyLink();
    bool ok() const { return m_dir.isValid(); }
    QString path() const { return m_dir.filePath(QStringLiteral("modem")); }
    // The terminal behind the link now (null while there is none).
    PtyPeer* peer() const { return m_peer.get(); }

    // A new terminal behind the link; false if it could not be made.
    bool plugIn();
    // The terminal hangs up and the link goes, as an unplugged adapter's name does.
    void unplug();
    // The link points at target (a path that need not be a terminal, or not exist).
    bool pointAt(const QString& target);

private:
    QTemporaryDir m_dir;
    std::unique_ptr<PtyPeer> m_peer;
};
