// Restoring the modem's factory defaults: power-cycle with RTS raised, RTS pulses, then the run.
#include "platform/MSComm.h"
#include "session/SessionQuestions.h"
#include "session/UnitSession.h"

void UnitSession::Cfg_RestoreFactory(ScriptFlags flags)
{
    MsgWin_Output(QStringLiteral("Restoring Factory Defaults"));
    if (!MSComm1->PortOpen()) {
        Questions.ask(QStringLiteral("Error: Ensure the correct Comm Port is open."),
                      kTitlePrefix + QStringLiteral("CommPort Not Open!"), MsgButtons::Ok);
        return;
    }
    SetCommBaud(9600);
    // RTS is raised before the user power-cycles the modem.
    CmdRTSCbox_Set(true);
    RTS_Set(true);
    if (!powerCycleModem(QStringLiteral("To restore factory defaults, the Modem must be "
                                        "power-cycled WHILE CONNECTED TO THE SERIAL CABLE.")))
        return;
    // From the "Do It" button the run ends by listing the restored settings.
    const QByteArray testId = flags.toInt() == 0 ? QByteArrayLiteral("?") : QByteArray();
    Test_RunScript(QStringLiteral("RestoreFactory"),
                   flags | ScriptFlag::StayInCmdMode | ScriptFlag::NoPowerCycle,
                   QByteArrayLiteral("RestoreFactory"), 0, testId);
}
