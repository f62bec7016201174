// The state of the run under way: its errors, how it ended, its step and the modem's last reply.
#pragma once

#include <QByteArray>
#include <QString>

class WindowDoor;

// The window owns one RunState. Its fields change only through the operations below: the
// runner starts a run and names its steps, the exchanges keep the reply, the reply checks count
// errors, and the aborts end a run early.
class RunState
{
public:
    qint16 ErrCount() const { return m_errCount; }
    bool RunAborted() const { return m_runAborted; }
    // The user stopped the run.
    bool RunStopped() const { return m_runStopped; }
    const QString& ScriptStep() const { return m_scriptStep; }
    const QByteArray& LastReply() const { return m_lastReply; }

    // A run starts: no errors, not aborted, in its start-up step, with no reply yet.
    void start();
    // The outermost run begins: a stop of an earlier run no longer holds.
    void clearStop() { m_runStopped = false; }
    void beginStep(const QString& step) { m_scriptStep = step; }

    // The reply of the latest exchange, looked at by the checks that follow.
    void keepReply(const QByteArray& reply) { m_lastReply = reply; }
    void clearReply() { m_lastReply.clear(); }
    // A reply check failed.
    void countError() { ++m_errCount; }
    // Failures so far are not errors of the run (probes that went unanswered, a new action).
    void clearErrors() { m_errCount = 0; }

    // The run ends early: its step names where.
    void abort() { m_runAborted = true; }
    // The user gave up, or the port went away: the run ends early without counting errors, but
    // a run the user stopped keeps the errors it had counted.
    void abandon();
    // The user stopped the run: it ends at once, aborted.
    void stop();

private:
    friend class WindowDoor;
    qint16 m_errCount = 0;
    bool m_runAborted = false;
    bool m_runStopped = false;
    QString m_scriptStep;
    QByteArray m_lastReply;
};
