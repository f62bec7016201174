// The simulated modem's line with a record of what the window did to it, for end-to-end runs.
#pragma once

#include <QByteArray>
#include <QList>
#include <QStringList>
#include <memory>

class MainWin;

// Every write the window made on "SIM", and the RTS changes between them, in order:
//   "rts 1"  "rts 0"  "write <bytes>"
// where a byte outside 32..126 shows as \hh (upper case). The record outlives re-opens.
class RecordedSimLine
{
public:
    // Installs, on the window's serial component, a factory that opens the process's simulated
    // modem through a recording device. Call it before "SIM" is opened.
    static std::shared_ptr<RecordedSimLine> install(MainWin& win);
    // A clean simulated unit opened in the window as a user does, recorded from after the
    // opening; the caller checks that the port is open.
    static std::shared_ptr<RecordedSimLine> openIn(MainWin& win);

    QStringList calls() const { return m_calls; }
    QList<QByteArray> writes() const { return m_writes; }
    // The RTS line as the window last set it.
    bool rts() const { return m_rts; }
    void clear();

    // The visible form used in calls().
    static QString visible(const QByteArray& bytes);

    // What a run sends for these commands: the probe " ", "V", "**", "S?" and "?" go out whole,
    // in one write; every other command one character per write.
    static QList<QByteArray> scriptWrites(const QList<QByteArray>& commands);

private:
    friend class RecordingDevice;
    void recordWrite(const QByteArray& bytes);
    void recordRts(bool on);

    QStringList m_calls;
    QList<QByteArray> m_writes;
    bool m_rts = false;
};
