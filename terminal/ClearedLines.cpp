// The lines the user's last clear took from the message window, kept aside to be brought back.
#include "terminal/ClearedLines.h"

#include "terminal/LogFile.h"

void ClearedLines::takeFrom(MsgLog& log)
{
    if (!log.isEmpty())
        m_lines = detachedCopy(log);
    // The log's clear lets go of its storage, which the kept copy shared until now.
    log.clear();
}

void ClearedLines::restoreInto(MsgLog& log)
{
    if (!m_lines)
        return;
    MsgLog earlier = std::move(*m_lines);
    m_lines.reset();
    log.prepend(std::move(earlier));
}
