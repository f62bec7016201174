// The script routine every run executes: its phases in order, stopping at the first abort.
#include "script/ScriptRun.h"

void UnitSession::Test_Script(ScriptFlags flags, const QByteArray& initId, const QVariant& initArg,
                              const QByteArray& testId)
{
    ScriptRun script;
    script.flags = flags;
    script.prep = prepareScript(flags, initId);
    script.mobile = flags.testFlag(ScriptFlag::Mobile);
    if (!script.prep.known)
        ReportInternalError(QStringLiteral("Invalid initId value in Test_Script."));
    if (script.prep.initId == "SetChannel") {
        bool ok = false;
        script.channel = initArg.toInt(&ok);
        // The channel goes out as one character; a value that has none is never sent.
        if (!ok || !channelCommand(script.channel))
            ReportInternalError(QStringLiteral("Invalid channel value (") + initArg.toString() +
                                QStringLiteral(") in Test_Script."));
    }

    // A phase that the user stopped ends the run as a failed one does.
    const auto abort = [this] { run.abort(); };
    if (!script.console() && !scriptBaudPrecondition(script))
        return abort();
    if (!scriptEstablish(script))
        return abort();
    scriptQueryVersion(script);
    if (run.RunStopped())
        return abort();
    if (script.console() && !scriptConsolePreamble(script))
        return abort();

    script.radioPrelude = radioPrelude(script.version);
    script.configuration = configurationList(script.prep, flags, script.version, script.channel);
    if (!scriptConfigure(script))
        return abort();
    if (!scriptSave(script))
        return abort();

    if (testId == "?") {
        runSettingsQuery();
        if (run.RunStopped())
            return abort();
    } else if (testId == "perf") {
        if (!runRadioTest(script))
            return abort();
    } else if (!testId.isEmpty()) {
        ReportInternalError(QStringLiteral("Invalid testId value (") + QString::fromLatin1(testId) +
                            QStringLiteral(") in Test_Script."));
    }
    scriptClose(script);
}
