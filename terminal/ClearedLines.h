// The lines the user's last clear took from the message window, kept aside to be brought back.
#pragma once

#include "terminal/MsgLog.h"

#include <optional>

class ClearedLines
{
public:
    // Clears log and keeps its lines here in place of any kept before. The lines move: the log
    // starts afresh and the kept lines hold the only reference to their memory. Clearing a log
    // that holds nothing keeps the lines of the clear before.
    void takeFrom(MsgLog& log);
    // Puts the kept lines back into log, ahead of the lines that arrived since; nothing is kept
    // afterwards.
    void restoreInto(MsgLog& log);
    // Drops the kept lines.
    void forget() { m_lines.reset(); }
    bool isEmpty() const { return !m_lines.has_value(); }

private:
    std::optional<MsgLog> m_lines;
};
