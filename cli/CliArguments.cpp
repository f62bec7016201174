// Parsing the command line: ACTION --port NAME [options].
#include "cli/CliArguments.h"
#include "serial/BaudRates.h"
#include "session/ProgramVersion.h"

namespace
{
const QStringList kChannels = {QStringLiteral("4"), QStringLiteral("13"), QStringLiteral("22"),
                               QStringLiteral("31"), QStringLiteral("40")};
const QStringList kModes = {QStringLiteral("PBASIC"), QStringLiteral("Factory Defaults")};
const QStringList kFormats = {QStringLiteral("N,8,1"), QStringLiteral("E,8,1")};

// The Test Console's device configurations.
QStringList deviceConfigs()
{
    QStringList names;
    for (const char* name : {"FAST", "PBASIC", "RM2", "Teamboard"}) {
        names << QString::fromLatin1(name);
        names << QString::fromLatin1(name) + QStringLiteral("-MultiMode");
    }
    return names;
}

CliParse usageError(const QString& text)
{
    CliParse parse;
    parse.kind = CliParse::Kind::UsageError;
    parse.text = text;
    return parse;
}

CliParse printed(const QString& text)
{
    CliParse parse;
    parse.kind = CliParse::Kind::Print;
    parse.text = text;
    return parse;
}
} // namespace

QString actionRunName(CliArguments::Action action)
{
    switch (action) {
    case CliArguments::Action::Query:
        return QStringLiteral("QueryConfig");
    case CliArguments::Action::RestoreFactory:
        return QStringLiteral("RestoreFactory");
    case CliArguments::Action::SetChannel:
        return QStringLiteral("SetChannel");
    case CliArguments::Action::SetConfig:
        return QStringLiteral("SetConfig");
    case CliArguments::Action::Config:
        return QStringLiteral("Config");
    case CliArguments::Action::Test:
        return QStringLiteral("Test");
    case CliArguments::Action::Forward:
        break;
    }
    return {};
}

QString cliUsage()
{
    return QStringLiteral(
        "Usage: rovizez-cli ACTION --port NAME [options]\n"
        "ACTION: query | restore-factory | set-channel CHANNEL | set-mode CONFIG | config | test\n"
        "       rovizez-cli forward [--database URI]\n"
        "       rovizez-cli results [--since yyyy-MM-dd] [--until yyyy-MM-dd] [--station NAME]\n"
        "                           [--run NAME|all] [--database URI] [--json]\n"
        "  CHANNEL: 4, 13, 22, 31 or 40; CONFIG: \"PBASIC\" or \"Factory Defaults\"\n"
        "  --port NAME                 the modem's port (\"SIM\" is the simulated modem)\n"
        "  --baud RATE                 1200 ... 115200 (default 9600)\n"
        "  --format N,8,1|E,8,1        the line format (default N,8,1)\n"
        "  --test-only                 no configuring and no saving\n"
        "Records (each turns them on: the station's store, then the folder and the server):\n"
        "  --unit LABEL                the unit's label\n"
        "  --station NAME              the test station's name (default the host name)\n"
        "  --records-folder DIR        the log file and the day's table row go there\n"
        "  --database URI              postgresql://[user[:password]@][host][:port][/db][?k=v]\n"
        "  --records                   records into the station's store only\n"
        "config and test only:\n"
        "  --mobile                    the unit is a mobile station (default base)\n"
        "  --device-config NAME        FAST, PBASIC, RM2, Teamboard, each also -MultiMode\n"
        "                              (default FAST)\n"
        "  --save-tx-power-on          save with the transmitter on, for burn-in\n"
        "  --leave-rts-on              leave the modem in command mode\n"
        "  --tx-power-off              switch the transmitter off after the test\n"
        "Questions:\n"
        "  --yes                       answer OK to \"Over-write user-settings?\" and to the\n"
        "                              power-cycle boxes\n"
        "  --power-cycle-command CMD   run CMD through the shell to power-cycle the unit; the\n"
        "                              box is answered OK when CMD exits 0\n"
        "Output:\n"
        "  --json                      one JSON object with the run's outcome and lines\n"
        "  --help, --version\n"
        "Exit status: 0 completed with 0 errors, 1 completed with errors, 2 aborted, 3 stopped,\n"
        "4 the port did not open, 5 a question before the run was answered Cancel, 64 usage,\n"
        "70 internal error.\n");
}

CliParse parseCliArguments(const QStringList& arguments)
{
    CliParse parse;
    CliArguments& a = parse.arguments;
    QStringList args = arguments;
    bool consoleOption = false;
    bool haveAction = false;
    const auto take = [&args](const QString& option, QString* value) {
        if (args.isEmpty())
            return option + QStringLiteral(" needs a value");
        *value = args.takeFirst();
        return QString();
    };
    while (!args.isEmpty()) {
        const QString arg = args.takeFirst();
        QString value;
        QString error;
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h"))
            return printed(cliUsage());
        if (arg == QLatin1String("--version"))
            return printed(QStringLiteral("rovizez-cli ") + kProgramVersion + QLatin1Char('\n'));
        if (arg == QLatin1String("--port")) {
            error = take(arg, &a.port);
        } else if (arg == QLatin1String("--baud")) {
            error = take(arg, &a.baud);
            if (error.isEmpty() && !baudRates().contains(a.baud))
                error = QStringLiteral("--baud: no such rate: ") + a.baud;
        } else if (arg == QLatin1String("--format")) {
            error = take(arg, &a.format);
            if (error.isEmpty() && !kFormats.contains(a.format))
                error = QStringLiteral("--format: N,8,1 or E,8,1, not ") + a.format;
        } else if (arg == QLatin1String("--test-only")) {
            a.testOnly = true;
        } else if (arg == QLatin1String("--mobile")) {
            a.mobile = consoleOption = true;
        } else if (arg == QLatin1String("--device-config")) {
            error = take(arg, &a.deviceConfig);
            consoleOption = true;
            if (error.isEmpty() && !deviceConfigs().contains(a.deviceConfig))
                error = QStringLiteral("--device-config: no such configuration: ") + a.deviceConfig;
        } else if (arg == QLatin1String("--save-tx-power-on")) {
            a.saveTxPowerOn = consoleOption = true;
        } else if (arg == QLatin1String("--leave-rts-on")) {
            a.leaveRtsOn = consoleOption = true;
        } else if (arg == QLatin1String("--tx-power-off")) {
            a.leaveTxPowerOn = false;
            consoleOption = true;
        } else if (arg == QLatin1String("--yes")) {
            a.yes = true;
        } else if (arg == QLatin1String("--power-cycle-command")) {
            error = take(arg, &a.powerCycleCommand);
        } else if (arg == QLatin1String("--json")) {
            a.json = true;
        } else if (arg == QLatin1String("--unit")) {
            error = take(arg, &a.unit);
            a.records = true;
        } else if (arg == QLatin1String("--station")) {
            error = take(arg, &a.station);
            a.records = true;
        } else if (arg == QLatin1String("--records-folder")) {
            error = take(arg, &a.recordsFolder);
            a.records = true;
        } else if (arg == QLatin1String("--database")) {
            error = take(arg, &a.database);
            a.records = true;
        } else if (arg == QLatin1String("--records")) {
            a.records = true;
        } else if (arg.startsWith(QLatin1String("-"))) {
            error = QStringLiteral("unknown option ") + arg;
        } else if (haveAction) {
            error = QStringLiteral("unexpected argument ") + arg;
        } else {
            haveAction = true;
            if (arg == QLatin1String("query")) {
                a.action = CliArguments::Action::Query;
            } else if (arg == QLatin1String("restore-factory")) {
                a.action = CliArguments::Action::RestoreFactory;
            } else if (arg == QLatin1String("config")) {
                a.action = CliArguments::Action::Config;
            } else if (arg == QLatin1String("test")) {
                a.action = CliArguments::Action::Test;
            } else if (arg == QLatin1String("forward")) {
                a.action = CliArguments::Action::Forward;
            } else if (arg == QLatin1String("set-channel")) {
                a.action = CliArguments::Action::SetChannel;
                error = take(arg, &value);
                if (error.isEmpty() && !kChannels.contains(value))
                    error = QStringLiteral("set-channel: 4, 13, 22, 31 or 40, not ") + value;
                a.channel = static_cast<qint16>(value.toShort());
            } else if (arg == QLatin1String("set-mode")) {
                a.action = CliArguments::Action::SetConfig;
                error = take(arg, &a.configuration);
                if (error.isEmpty() && !kModes.contains(a.configuration))
                    error = QStringLiteral("set-mode: \"PBASIC\" or \"Factory Defaults\", not ") +
                            a.configuration;
            } else {
                error = QStringLiteral("unknown action ") + arg;
            }
        }
        if (!error.isEmpty())
            return usageError(error);
    }
    if (!haveAction)
        return usageError(QStringLiteral("no action given"));
    if (a.port.isEmpty() && a.isRun())
        return usageError(QStringLiteral("no port given (--port NAME)"));
    if (consoleOption && a.action != CliArguments::Action::Config &&
        a.action != CliArguments::Action::Test)
        return usageError(QStringLiteral("the Test Console's options go with config and test"));
    parse.kind = CliParse::Kind::Run;
    return parse;
}
