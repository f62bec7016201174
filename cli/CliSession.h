// What the command line gives a session: options from its arguments, questions answered on
// standard error from its options or a person at the terminal.
#pragma once

#include "cli/CliArguments.h"
#include "session/SessionOptions.h"
#include "session/SessionQuestions.h"

#include <QObject>
#include <QPointer>

class QEventLoop;
class QProcess;

class CliOptions : public SessionOptions
{
public:
    explicit CliOptions(const CliArguments& arguments) : m_a(arguments) {}

    QString deviceConfig() const override { return m_a.deviceConfig; }
    bool mobile() const override { return m_a.mobile; }
    bool configOnly() const override { return m_a.action == CliArguments::Action::Config; }
    bool testOnly() const override { return m_a.testOnly; }
    bool saveTxPowerOn() const override { return m_a.saveTxPowerOn; }
    bool leaveInCmdMode() const override { return m_a.leaveRtsOn; }
    bool leaveTxPowerOn() const override { return m_a.leaveTxPowerOn; }
    bool hexDisplay() const override { return false; }
    bool showTimes() const override { return false; }

private:
    const CliArguments& m_a;
};

// Each question is written to standard error as its title, a line break and its text, then how
// it was answered. The power-cycle boxes are answered by the power-cycle command, else by --yes;
// "Over-write user-settings?" by --yes; any question by a person at the terminal, when standard
// input is one; otherwise Cancel. Boxes with only OK inform.
class CliQuestions : public QObject, public SessionQuestions
{
    Q_OBJECT
public:
    explicit CliQuestions(const CliArguments& arguments, QObject* parent = nullptr);

    MsgAnswer ask(const QString& text, const QString& title, MsgButtons buttons) override;
    std::optional<QString> askText(const QString& title, const QString& label,
                                   const QString& prefill) override;
    // Ends the terminal question or the power-cycle command under way, as Cancel.
    void cancelOpen() override;

    // A question was answered Cancel.
    bool anyCancelled() const { return m_cancelled; }

private:
    MsgAnswer runPowerCycleCommand();
    MsgAnswer askTerminal();

    const CliArguments& m_a;
    bool m_cancelled = false;
    QPointer<QEventLoop> m_waiting;
    QPointer<QProcess> m_command;
};
