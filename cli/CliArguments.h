// The command line's arguments: the action, the port and the options, checked before any port
// is touched.
#pragma once

#include <QString>
#include <QStringList>

struct CliArguments {
    enum class Action { Query, RestoreFactory, SetChannel, SetConfig, Config, Test, Forward };

    Action action = Action::Query;
    qint16 channel = 0;    // set-channel
    QString configuration; // set-mode: "PBASIC" or "Factory Defaults"
    QString port;
    // The window's start-up state, unless an option says otherwise.
    QString baud = QStringLiteral("9600");
    QString format = QStringLiteral("N,8,1");
    bool testOnly = false;
    bool mobile = false;
    QString deviceConfig = QStringLiteral("FAST");
    bool saveTxPowerOn = false;
    bool leaveRtsOn = false;
    bool leaveTxPowerOn = true;
    bool yes = false;
    QString powerCycleCommand;
    bool json = false;
    QString unit;
    // Records: any of these turns them on for the run.
    bool records = false;
    QString recordsFolder;
    QString database;
    QString station;

    bool isRun() const { return action != Action::Forward; }
};

// What parsing the arguments came to: a run to make, text to print and leave (help, version),
// or a usage error.
struct CliParse {
    enum class Kind { Run, Print, UsageError };
    Kind kind = Kind::UsageError;
    CliArguments arguments;
    QString text; // the help or version text, or the error
};

CliParse parseCliArguments(const QStringList& arguments);

// The usage text, for --help and after a usage error.
QString cliUsage();

// The run name of an action, as the window names it.
QString actionRunName(CliArguments::Action action);
