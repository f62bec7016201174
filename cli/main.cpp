// rovizez-cli: one run of the modem's actions on one port, without a window, for test rigs.
#include "cli/CliArguments.h"
#include "cli/CliSession.h"
#include "cli/LogPrinter.h"
#include "cli/RunReport.h"
#include "cli/SignalStop.h"
#include "platform/ProgramEnd.h"
#include "session/StationPorts.h"
#include "session/UnitSession.h"

#include <QCoreApplication>
#include <cstdio>

namespace
{
constexpr int kUsageStatus = 64;
constexpr int kPortStatus = 4;

void print(FILE* to, const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), to);
    std::fflush(to);
}

// Starts the action as "Do It" and "Do Test" start it.
void startAction(UnitSession& session, const CliArguments& a)
{
    switch (a.action) {
    case CliArguments::Action::Query:
        session.Cfg_DoIt(CfgAction::Query, 0, {});
        break;
    case CliArguments::Action::RestoreFactory:
        session.Cfg_DoIt(CfgAction::RestoreFactory, 0, {});
        break;
    case CliArguments::Action::SetChannel:
        session.Cfg_DoIt(CfgAction::SetChannel, a.channel, {});
        break;
    case CliArguments::Action::SetConfig:
        session.Cfg_DoIt(CfgAction::SetConfig, 0, a.configuration.toLatin1());
        break;
    case CliArguments::Action::Config:
    case CliArguments::Action::Test:
        session.TestDoIt_Click();
        break;
    }
}
} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("rovizez-cli"));
    const CliParse parse = parseCliArguments(QCoreApplication::arguments().mid(1));
    if (parse.kind == CliParse::Kind::Print) {
        print(stdout, parse.text);
        return 0;
    }
    if (parse.kind == CliParse::Kind::UsageError) {
        print(stderr, QStringLiteral("rovizez-cli: ") + parse.text + QStringLiteral("\n\n") +
                          cliUsage());
        return kUsageStatus;
    }
    const CliArguments& a = parse.arguments;

    CliOptions options(a);
    CliQuestions questions(a);
    UnitSession session(stationPortBackends(), options, questions);
    setBeforeProgramEnd([&session] { session.releasePort(); });
    LogPrinter printer(session.log());
    QObject::connect(&session, &UnitSession::runEnded, &session, [&printer] { printer.endAction(); });
    // A stop ends the run under way as Stop Run does, and a question or command that is open.
    SignalStop stop([&session, &questions] {
        questions.cancelOpen();
        session.menuFileStopRun_Click();
    });

    session.CommPort_Set(a.port);
    session.CommBaud_Set(a.baud);
    session.CommFormat_Set(a.format);
    session.CommOpenCbox_Set(true);
    if (!session.portOpen()) {
        printer.finish();
        return stop.stopped() ? exitStatus(CliOutcome::Stopped, 0) : kPortStatus;
    }
    session.setNextUnit(a.unit);
    printer.beginAction(!a.json);
    if (!stop.stopped())
        startAction(session, a);
    printer.finish();
    session.releasePort();

    const std::optional<RunRecord>& run = session.lastRun();
    const CliOutcome outcome = actionOutcome(run, stop.stopped(), questions.anyCancelled());
    if (a.json) {
        RunReportFacts facts{actionRunName(a.action), a.port, a.unit, outcome,
                             printer.actionLines()};
        print(stdout, QString::fromUtf8(runReportJson(facts, run)));
    }
    setBeforeProgramEnd({});
    return exitStatus(outcome, run ? run->errors : 0);
}
