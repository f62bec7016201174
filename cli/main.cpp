// rovizez-cli: one run of the modem's actions on one port, without a window, for test rigs.
#include "cli/CliArguments.h"
#include "cli/CliSession.h"
#include "cli/LogPrinter.h"
#include "cli/ResultsAction.h"
#include "cli/RunReport.h"
#include "cli/SignalStop.h"
#include "platform/ProgramEnd.h"
#include "records/ForwardWithin.h"
#include "records/RecordStore.h"
#include "records/ServerUri.h"
#include "session/RecordKeeper.h"
#include "session/StationPorts.h"
#include "session/UnitSession.h"

#include <QCoreApplication>
#include <QSysInfo>
#include <cstdio>
#include <optional>

namespace
{
constexpr int kUsageStatus = 64;
constexpr int kPortStatus = 4;
// After its run the command line gives the server this long, whatever the server does.
constexpr int kForwardAfterRunMs = 500;
// "forward" alone waits for a connection as long as its time-out allows, and a little more.
constexpr int kForwardAloneMs = 15000;

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
    case CliArguments::Action::Forward:
        break;
    }
}

// Forwards what waits in the store: 0 nothing left, 1 runs still wait, 3 the server's layout is
// newer than this program's.
int forwardAlone(const CliArguments& a)
{
    if (a.database.isEmpty()) {
        print(stderr, QStringLiteral("rovizez-cli: forward needs --database URI\n"));
        return kUsageStatus;
    }
    const ForwardReport report =
        forwardWithin(RecordStore::defaultStorePath(), a.database, QString(), kForwardAloneMs);
    if (!report.error.isEmpty())
        print(stderr, report.error + QLatin1Char('\n'));
    if (report.schemaTooNew)
        return 3;
    print(stderr, QString::number(report.forwarded) + QStringLiteral(" runs forwarded, ") +
                      QString::number(qMax<qint64>(report.waiting, 0)) +
                      QStringLiteral(" still waiting\n"));
    return report.waiting == 0 ? 0 : 1;
}

// The run's record: the store first, then the folder, then what waits goes to the server for at
// most half a second. Nothing of it changes the exit status.
void keepRecord(const CliArguments& a, const StoredRun& run, const QString& folder,
                const QString& server)
{
    const QString store = RecordStore::defaultStorePath();
    const KeptNow kept = keepRunNow(store, run, folder, server);
    if (!kept.storeError.isEmpty())
        print(stderr, QStringLiteral("The station's store cannot be written: ") + kept.storeError +
                          QLatin1Char('\n'));
    if (!kept.folderError.isEmpty())
        print(stderr, QStringLiteral("The records folder ") + folder +
                          QStringLiteral(" cannot be written: ") + kept.folderError +
                          QLatin1Char('\n'));
    if (a.database.isEmpty())
        return;
    const ForwardReport report = forwardWithin(store, a.database, QString(), kForwardAfterRunMs);
    if (report.waiting > 0)
        print(stderr,
              QString::number(report.waiting) +
                  (report.waiting == 1 ? QStringLiteral(" run waits")
                                       : QStringLiteral(" runs wait")) +
                  QStringLiteral(" for the server") +
                  (report.error.isEmpty() ? QString() : QStringLiteral(": ") + report.error) +
                  QLatin1Char('\n'));
}
} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("rovizez-cli"));
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    if (arguments.value(0) == QLatin1String("results"))
        return runResultsAction(arguments.mid(1));
    const CliParse parse = parseCliArguments(arguments);
    if (parse.kind == CliParse::Kind::Print) {
        print(stdout, parse.text);
        return 0;
    }
    if (parse.kind == CliParse::Kind::UsageError) {
        print(stderr,
              QStringLiteral("rovizez-cli: ") + parse.text + QStringLiteral("\n\n") + cliUsage());
        return kUsageStatus;
    }
    const CliArguments& a = parse.arguments;
    if (a.action == CliArguments::Action::Forward)
        return forwardAlone(a);

    CliOptions options(a);
    CliQuestions questions(a);
    UnitSession session(stationPortBackends(), options, questions);
    setBeforeProgramEnd([&session] { session.releasePort(); });
    LogPrinter printer(session.log());
    QObject::connect(&session, &UnitSession::runEnded, &session,
                     [&printer] { printer.endAction(); });
    // A stop ends the run under way as Stop Run does, and a question or command that is open.
    SignalStop stop([&session, &questions] {
        questions.cancelOpen();
        session.menuFileStopRun_Click();
    });

    if (a.records) {
        const QString server =
            a.database.isEmpty() ? QString() : serverUriWithoutPassword(a.database);
        session.setRecords(true, a.station.isEmpty() ? QSysInfo::machineHostName() : a.station,
                           a.recordsFolder, server);
    }
    struct ToKeep {
        StoredRun run;
        QString folder;
        QString server;
    };
    std::optional<ToKeep> toKeep;
    QObject::connect(&session, &UnitSession::runToKeep, &session,
                     [&toKeep](const StoredRun& run, const QString& folder, const QString& server) {
                         toKeep = ToKeep{run, folder, server};
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
    if (toKeep)
        keepRecord(a, toKeep->run, toKeep->folder, toKeep->server);

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
