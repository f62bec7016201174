// The run state's operations that change more than one field.
#include "script/RunState.h"

void RunState::start()
{
    m_errCount = 0;
    m_runAborted = false;
    m_scriptStep = QStringLiteral("Start-up");
    m_lastReply.clear();
}

void RunState::abandon()
{
    if (!m_runStopped)
        m_errCount = 0;
    m_runAborted = true;
}

void RunState::stop()
{
    m_runStopped = true;
    m_runAborted = true;
}
