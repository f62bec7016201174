// Checks the change notices of a message log as a list view would take them: rows are inserted
// where they can be, counts agree afterwards, and a changed row exists.
#pragma once

#include "FuzzCheck.h"
#include "terminal/MsgLog.h"

class LogObserverCheck : public MsgLogObserver
{
public:
    explicit LogObserverCheck(const MsgLog& log) : m_log(log), m_rows(log.lineCount()) {}

    void linesAboutToBeInserted(int first, int last) override
    {
        FUZZ_CHECK(m_pending == 0);
        FUZZ_CHECK(m_rows == m_log.lineCount());
        FUZZ_CHECK(first >= 0 && first <= m_rows && last >= first);
        m_pending = last - first + 1;
    }
    void linesInserted() override
    {
        FUZZ_CHECK(m_pending > 0);
        m_rows += m_pending;
        m_pending = 0;
        FUZZ_CHECK(m_rows == m_log.lineCount());
    }
    void lineChanged(int row) override
    {
        FUZZ_CHECK(m_pending == 0);
        FUZZ_CHECK(row == m_log.lineCount() - 1 && row < m_rows);
    }
    void aboutToClear() override { FUZZ_CHECK(m_pending == 0); }
    void cleared() override
    {
        m_rows = m_log.lineCount();
        FUZZ_CHECK(m_rows == 1);
    }

private:
    const MsgLog& m_log;
    int m_rows;
    int m_pending = 0;
};
