// Establishing communication: probing the modem and leading the user through its recovery.
#include "platform/MSComm.h"
#include "session/SessionQuestions.h"
#include "session/UnitSession.h"

namespace
{

// Up to this many probes make one series.
constexpr int kProbesPerSeries = 4;

const QString kPowerCycleIntro =
    QStringLiteral("To access the Modem's command mode, the Modem must be power-cycled WHILE "
                   "CONNECTED TO THE SERIAL CABLE.");
const QString kLastResortTitle = QStringLiteral("Failed to Communicate with Modem");
const QString kLastResortText = QStringLiteral(
    "Still can't communicate with Modem\n\nThe Modem may be set to ignore commands in which case "
    "you must RESTORE FACTORY DEFAULTS to access command mode.  WARNING:  This will overwrite "
    "your current Modem settings.\n\nIf power, serial cable and comm. settings appear "
    "correct,\npress OK to RESTORE FACTORY DEFAULTS.");

} // namespace

bool UnitSession::Modem_EstablishComm(ScriptFlags flags)
{
    // A probe is a single space; a modem in command mode answers it with its error reply. A
    // series is true at its first probe that gets that reply.
    const auto probeSeries = [this] {
        for (int i = 0; i < kProbesPerSeries && !run.RunStopped(); ++i) {
            Modem_Send(QByteArrayLiteral(" "), 4, 250);
            if (!Modem_Expect(ReplyER))
                return true;
        }
        return false;
    };

    if (probeSeries()) {
        run.clearErrors();
        return true;
    }
    // Asking for a power-cycle makes no sense once the port itself is gone or the user stopped.
    if (flags.testFlag(ScriptFlag::NoPowerCycle) || run.RunStopped() || !MSComm1->PortOpen())
        return false;

    if (!powerCycleModem(kPowerCycleIntro))
        return false;

    if (probeSeries()) {
        run.clearErrors();
        return true;
    }
    if (run.RunStopped() || !MSComm1->PortOpen())
        return false;

    // The user gave up, or the port went away while the box was open: the run is abandoned
    // without counting the probes as its errors.
    if (Questions.ask(kLastResortText, kTitlePrefix + kLastResortTitle, MsgButtons::OkCancel) !=
            MsgAnswer::Ok ||
        !MSComm1->PortOpen()) {
        run.abort();
        run.clearErrors();
        return false;
    }
    // The restore run clears the abort mark when it starts; if it never starts (the port went
    // away, or the user cancelled its power-cycle), the mark stays and this is a failure.
    run.abort();
    run.clearErrors();
    Cfg_RestoreFactory(ScriptFlag::NoSave);
    return run.ErrCount() == 0 && !run.RunAborted();
}
