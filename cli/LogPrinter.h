// Writes the session's log as it grows: each complete line drawn as the window draws it, flushed
// at once, to standard error before the action and to standard output during it.
#pragma once

#include "terminal/MsgLog.h"

#include <QStringList>
#include <cstdio>

class LogPrinter : private MsgLogObserver
{
public:
    explicit LogPrinter(MsgLog& log);
    ~LogPrinter() override;
    LogPrinter(const LogPrinter&) = delete;
    LogPrinter& operator=(const LogPrinter&) = delete;

    // Lines from now on belong to the action: to standard output, or only kept (for --json).
    void beginAction(bool toStandardOutput);
    // The action's outcome line has been written: later lines go to standard error.
    void endAction();
    // Writes the open line, if it holds anything.
    void finish();

    // The action's lines, as written.
    const QStringList& actionLines() const { return m_actionLines; }

private:
    void linesAboutToBeInserted(int, int) override {}
    void linesInserted() override;
    void lineChanged(int) override {}
    void aboutToClear() override;
    void cleared() override { m_written = 0; }
    void write(const QString& line);
    void writeClosedLines();

    MsgLog& m_log;
    int m_written = 0; // lines of the log written so far
    bool m_inAction = false;
    FILE* m_out = stderr;
    QStringList m_actionLines;
};
