// The script routine every run executes: its phases in order, stopping at the first abort.
#include "script/ScriptRun.h"

void MainWin::Test_Script(ScriptFlags flags, const QByteArray& initId, const QVariant& initArg,
                          const QByteArray& testId)
{
    ScriptRun run;
    run.flags = flags;
    run.prep = prepareScript(flags, initId);
    run.mobile = flags.testFlag(ScriptFlag::Mobile);
    if (!run.prep.known)
        ReportInternalError(QStringLiteral("Invalid initId value in Test_Script."));
    if (run.prep.initId == "SetChannel") {
        bool ok = false;
        run.channel = initArg.toInt(&ok);
        // The channel goes out as one character; a value that has none is never sent.
        if (!ok || !channelCommand(run.channel))
            ReportInternalError(QStringLiteral("Invalid channel value (") + initArg.toString() +
                                QStringLiteral(") in Test_Script."));
    }

    // A phase that the user stopped ends the run as a failed one does.
    const auto abort = [this] { this->run.abort(); };
    if (!run.console() && !scriptBaudPrecondition(run))
        return abort();
    if (!scriptEstablish(run))
        return abort();
    scriptQueryVersion(run);
    if (this->run.RunStopped())
        return abort();
    if (run.console() && !scriptConsolePreamble(run))
        return abort();

    run.radioPrelude = radioPrelude(run.version);
    run.configuration = configurationList(run.prep, flags, run.version, run.channel);
    if (!scriptConfigure(run))
        return abort();
    if (!scriptSave(run))
        return abort();

    if (testId == "?") {
        runSettingsQuery();
        if (this->run.RunStopped())
            return abort();
    } else if (testId == "perf") {
        if (!runRadioTest(run))
            return abort();
    } else if (!testId.isEmpty()) {
        ReportInternalError(QStringLiteral("Invalid testId value (") + QString::fromLatin1(testId) +
                            QStringLiteral(") in Test_Script."));
    }
    scriptClose(run);
}
