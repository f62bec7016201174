// A unit's session without a window, for tests: options a case sets, questions answered from a
// queue or by a case's own answerer, every question recorded.
#pragma once

#include "session/SessionOptions.h"
#include "session/SessionQuestions.h"
#include "session/UnitSession.h"

#include <QStringList>
#include <functional>
#include <memory>

struct TestOptions : SessionOptions {
    QString device = QStringLiteral("FAST");
    bool isMobile = false, onlyConfig = false, onlyTest = false, txOnSave = false;
    bool cmdModeKept = false, txLeftOn = true, hex = false, times = false;

    QString deviceConfig() const override { return device; }
    bool mobile() const override { return isMobile; }
    bool configOnly() const override { return onlyConfig; }
    bool testOnly() const override { return onlyTest; }
    bool saveTxPowerOn() const override { return txOnSave; }
    bool leaveInCmdMode() const override { return cmdModeKept; }
    bool leaveTxPowerOn() const override { return txLeftOn; }
    bool hexDisplay() const override { return hex; }
    bool showTimes() const override { return times; }
};

// Records each question as "title|text"; answers it with the answerer when one is set, else OK
// for a box that only informs and Cancel for any other.
struct TestQuestions : SessionQuestions {
    QStringList asked;
    std::function<MsgAnswer(const QString& title)> answerer;
    int cancelled = 0;

    MsgAnswer ask(const QString& text, const QString& title, MsgButtons buttons) override;
    std::optional<QString> askText(const QString&, const QString&, const QString& prefill) override
    {
        return prefill;
    }
    void cancelOpen() override { ++cancelled; }
};

class SessionFixture
{
public:
    SessionFixture();
    ~SessionFixture();
    Q_DISABLE_COPY(SessionFixture)

    UnitSession& session() { return *m_session; }
    // Opens the port by that name as a user does; true when it is open.
    bool open(const QString& port);
    // The session's log lines, the open last line included.
    QStringList logLines() const { return m_session->log().lines(); }

    TestOptions options;
    TestQuestions questions;

private:
    std::unique_ptr<UnitSession> m_session;
};
