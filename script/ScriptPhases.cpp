// The phases of a run around its test: baud rate, establishing, version, preamble, configuring,
// saving and the closing mode.
#include "script/ScriptRun.h"
#include "session/SessionOptions.h"
#include "session/SessionQuestions.h"

namespace
{
// The initIds that put one of the device configurations into the modem.
bool isDeviceConfiguration(const QByteArray& initId)
{
    return initId != "Noop" && initId != "SetChannel" && initId != "RestoreFactory";
}
} // namespace

bool UnitSession::sendAndCheck(const QByteArray& command)
{
    Modem_SendSlow(command, 500);
    return !Modem_Expect(ReplyOK);
}

bool UnitSession::scriptBaudPrecondition(const ScriptRun& script)
{
    const qint32 rate = script.prep.requiredBaud;
    if (rate == 0 || BaudText.toInt() == rate)
        return true;
    const QString bps = QString::number(rate);
    Questions.ask(QStringLiteral("Before you can set this Config, you must set the modem and the "
                                 "CommPort to ") +
                      bps + QStringLiteral(" bps"),
                  kTitlePrefix + QStringLiteral("Must Change Baud-Rate"), MsgButtons::Ok);
    Test_Log(QStringLiteral("  Aborted: must change baud-rate to ") + bps);
    return false;
}

bool UnitSession::scriptEstablish(const ScriptRun& script)
{
    Test_BeginStep(QStringLiteral("Establishing Communication"));
    Modem_SetCmdMode();
    return Modem_EstablishComm(script.flags);
}

void UnitSession::scriptQueryVersion(ScriptRun& script)
{
    // The version text varies in length, so the whole wait is used.
    Modem_Send(QByteArrayLiteral("V"), 0, 500);
    if (run.RunStopped())
        return;
    Modem_ShowReply();
    script.version = parseFirmwareVersion(run.LastReply());
    // The reply keeps what follows its header once it has been read as a version reply.
    if (run.LastReply().endsWith(ReplyOK))
        run.keepReply(run.LastReply().mid(4));
    Test_Log(QStringLiteral("Modem Firmware Version = [") +
             QString::fromLatin1(script.version.text) + QStringLiteral("]"));
    if (RecordUnderWay)
        RecordUnderWay->firmware = QString::fromLatin1(script.version.text);
}

bool UnitSession::scriptConsolePreamble(const ScriptRun& script)
{
    Modem_Send(QByteArrayLiteral("**"), 4, 500);
    if (Modem_Expect(ReplyOK))
        return false;
    return sendAndCheck(QByteArrayLiteral("Fe")) && sendAndCheck(versionCommands(script.version).a);
}

bool UnitSession::scriptConfigure(ScriptRun& script)
{
    if (Options.testOnly() || script.configuration.commands.isEmpty())
        return true;
    Test_BeginStep(QStringLiteral("Configuring modem"));
    if (RecordUnderWay && isDeviceConfiguration(script.prep.initId))
        RecordUnderWay->configuration =
            QString::fromLatin1(script.prep.initId) +
            (script.prep.finalCommand == "Fe" ? QStringLiteral("-MultiMode") : QString());
    for (const QByteArray& entry : script.configuration.commands) {
        if (entry.isEmpty())
            continue;
        if (entry == "S?") {
            // Asks the station type; any answer but "Base" (none included) means mobile. The
            // answer's length varies ("Mobile" is longer), so the whole wait is used: ending it
            // at 4 bytes would leave the rest of a longer answer to spoil the next reply.
            script.mobile = Modem_Transact(entry, 0, 500) != "Base";
            if (run.RunStopped())
                return false;
            continue;
        }
        Modem_SendSlow(entry, 500);
        const bool failed = script.configuration.eitherReply || entry == "Fx"
                                ? Modem_ExpectEither(ReplyOK, ReplyER)
                                : Modem_Expect(ReplyOK);
        if (failed)
            return false;
        if (RecordUnderWay && (entry == "Sb" || entry == "Sm"))
            RecordUnderWay->station =
                entry == "Sm" ? QStringLiteral("mobile") : QStringLiteral("base");
    }
    return true;
}

bool UnitSession::scriptSave(const ScriptRun& script)
{
    if (Options.testOnly() || script.flags.testFlag(ScriptFlag::NoSave))
        return true;
    Test_BeginStep(QStringLiteral("Saving to EEPROM"));
    if (script.console() && Options.saveTxPowerOn()) {
        Test_Log(QStringLiteral("WARNING: SAVING with TX POWER ON for BURN-IN"));
        if (!sendAndCheck(QByteArrayLiteral("Tn")))
            return false;
    }
    if (!sendAndCheck(QByteArrayLiteral("Ds")))
        return false;
    return !script.console() || sendAndCheck(QByteArrayLiteral("Df"));
}

void UnitSession::scriptClose(const ScriptRun& script)
{
    if (!Options.leaveInCmdMode() && !script.flags.testFlag(ScriptFlag::StayInCmdMode)) {
        Modem_SetDataMode();
        // Whatever the modem said on leaving command mode.
        Modem_ShowReply();
    } else if (!CmdRTSBox) {
        Modem_SetCmdMode();
    }
}
