// The power-cycle dialogue shared by establishing communication and the factory restore.
#include "platform/MSComm.h"
#include "session/SessionQuestions.h"
#include "session/UnitSession.h"

bool UnitSession::powerCycleModem(const QString& intro)
{
    // The user gave up, or the port went away while the box was open or the line settled (its
    // loss is in the log already): nothing more is sent, and nothing counts as an error.
    // A run the user stopped keeps the errors it had counted.
    const auto abandon = [this] {
        run.abandon();
        return false;
    };
    if (run.RunStopped())
        return abandon();
    if (Questions.ask(intro + QStringLiteral("\n\n") + PowerCycleMsg,
                      kTitlePrefix +
                          QStringLiteral("Power-cycle Modem While Connected to CommPort"),
                      MsgButtons::OkCancel) != MsgAnswer::Ok ||
        run.RunStopped() || !MSComm1->PortOpen())
        return abandon();
    MsgWin_Output(QStringLiteral("Toggling RTS 5 times..."));
    RTS_Toggle(5);
    if (run.RunStopped())
        return abandon();
    TimerDelay(1000);
    if (run.RunStopped() || !MSComm1->PortOpen())
        return abandon();
    return true;
}
