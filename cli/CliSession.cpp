// The command line's answers to a session's questions: the power-cycle command, --yes, a person
// at the terminal, or Cancel.
#include "cli/CliSession.h"

#include <QEventLoop>
#include <QProcess>
#include <QSocketNotifier>
#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace
{
const QString kPowerCycleTitle =
    kTitlePrefix + QStringLiteral("Power-cycle Modem While Connected to CommPort");
const QString kOverwriteTitle = kTitlePrefix + QStringLiteral("Over-write user-settings?");

void writeError(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stderr);
    std::fflush(stderr);
}
} // namespace

CliQuestions::CliQuestions(const CliArguments& arguments, QObject* parent)
    : QObject(parent), m_a(arguments)
{
}

MsgAnswer CliQuestions::ask(const QString& text, const QString& title, MsgButtons buttons)
{
    writeError(title + QLatin1Char('\n') + text + QLatin1Char('\n'));
    if (buttons == MsgButtons::Ok)
        return MsgAnswer::Ok;
    MsgAnswer answer = MsgAnswer::Cancel;
    QString how;
    if (title == kPowerCycleTitle && !m_a.powerCycleCommand.isEmpty()) {
        answer = runPowerCycleCommand();
        how = QStringLiteral(" (the power-cycle command)");
    } else if ((title == kPowerCycleTitle || title == kOverwriteTitle) && m_a.yes) {
        answer = MsgAnswer::Ok;
        how = QStringLiteral(" (--yes)");
    } else if (isatty(STDIN_FILENO)) {
        answer = askTerminal();
    } else {
        how = QStringLiteral(" (no terminal to ask)");
    }
    if (answer == MsgAnswer::Cancel)
        m_cancelled = true;
    writeError((answer == MsgAnswer::Ok ? QStringLiteral("Answered OK")
                                        : QStringLiteral("Answered Cancel")) +
               how + QLatin1Char('\n'));
    return answer;
}

std::optional<QString> CliQuestions::askText(const QString&, const QString&, const QString&)
{
    return m_a.unit;
}

void CliQuestions::cancelOpen()
{
    if (m_command && m_command->state() != QProcess::NotRunning)
        ::kill(-static_cast<pid_t>(m_command->processId()), SIGTERM);
    if (m_waiting)
        m_waiting->exit(1);
}

// The command runs in a process group of its own, so that a stop ends it and whatever it started.
MsgAnswer CliQuestions::runPowerCycleCommand()
{
    QProcess command;
    m_command = &command;
    command.setProgram(QStringLiteral("/bin/sh"));
    command.setArguments({QStringLiteral("-c"), m_a.powerCycleCommand});
    command.setChildProcessModifier([] { ::setpgid(0, 0); });
    // Its output is the operator's to read, never part of the run's lines on standard output.
    command.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QObject::connect(&command, &QProcess::readyReadStandardOutput, &command, [&command] {
        const QByteArray bytes = command.readAllStandardOutput();
        std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stderr);
        std::fflush(stderr);
    });
    QEventLoop loop;
    m_waiting = &loop;
    QObject::connect(&command, &QProcess::finished, &loop, [&loop] { loop.exit(0); });
    QObject::connect(&command, &QProcess::errorOccurred, &loop,
                     [&loop](QProcess::ProcessError error) {
                         if (error == QProcess::FailedToStart)
                             loop.exit(1);
                     });
    command.start();
    // A shell that could not be started has said so already, inside start().
    const bool started = command.state() != QProcess::NotRunning;
    const bool cancelled = !started || loop.exec() != 0;
    if (command.state() != QProcess::NotRunning) {
        ::kill(-static_cast<pid_t>(command.processId()), SIGKILL);
        command.waitForFinished(1000);
    }
    const bool ok =
        !cancelled && command.exitStatus() == QProcess::NormalExit && command.exitCode() == 0;
    if (!started)
        writeError(QStringLiteral("The power-cycle command could not be started: ") +
                   command.errorString() + QLatin1Char('\n'));
    else if (!ok && !cancelled)
        writeError(QStringLiteral("The power-cycle command failed (exit status ") +
                   QString::number(command.exitCode()) + QStringLiteral(")\n"));
    return ok ? MsgAnswer::Ok : MsgAnswer::Cancel;
}

// Reads one line from the terminal while the event loop runs on: Enter or "ok" is OK, anything
// else (or the end of input) Cancel.
MsgAnswer CliQuestions::askTerminal()
{
    writeError(QStringLiteral("[OK/Cancel] "));
    QSocketNotifier notifier(STDIN_FILENO, QSocketNotifier::Read);
    QByteArray typed;
    QEventLoop loop;
    m_waiting = &loop;
    QObject::connect(&notifier, &QSocketNotifier::activated, &loop, [&] {
        char byte = 0;
        const ssize_t got = ::read(STDIN_FILENO, &byte, 1);
        if (got <= 0)
            loop.exit(1);
        else if (byte == '\n')
            loop.exit(0);
        else
            typed.append(byte);
    });
    if (loop.exec() != 0) {
        writeError(QStringLiteral("\n"));
        return MsgAnswer::Cancel;
    }
    const QByteArray word = typed.trimmed().toLower();
    return word.isEmpty() || word == "ok" || word == "o" || word == "y" || word == "yes"
               ? MsgAnswer::Ok
               : MsgAnswer::Cancel;
}
