// The command line's view of the log: complete lines as they close, never taken back by a clear.
#include "cli/LogPrinter.h"

LogPrinter::LogPrinter(MsgLog& log) : m_log(log)
{
    m_log.addObserver(this);
}

LogPrinter::~LogPrinter()
{
    m_log.removeObserver(this);
}

void LogPrinter::beginAction(bool toStandardOutput)
{
    writeClosedLines();
    m_inAction = true;
    m_out = toStandardOutput ? stdout : nullptr;
}

void LogPrinter::endAction()
{
    writeClosedLines();
    m_inAction = false;
    m_out = stderr;
}

void LogPrinter::finish()
{
    writeClosedLines();
    const int open = m_log.lineCount() - 1;
    if (m_written == open && !m_log.line(open).isEmpty()) {
        write(m_log.line(open));
        ++m_written;
    }
}

void LogPrinter::linesInserted()
{
    writeClosedLines();
}

// Lines a clear takes away have been written, the open one too: a clear takes back nothing.
void LogPrinter::aboutToClear()
{
    finish();
}

void LogPrinter::writeClosedLines()
{
    const int closed = m_log.lineCount() - 1;
    while (m_written < closed)
        write(m_log.line(m_written++));
}

void LogPrinter::write(const QString& line)
{
    const QString shown = displayedLine(line);
    if (m_inAction)
        m_actionLines << shown;
    if (!m_out)
        return;
    const QByteArray bytes = shown.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), m_out);
    std::fflush(m_out);
}
