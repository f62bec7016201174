// Stopping a run: the user ends the run under way at whatever wait it is in.
#include "session/SessionQuestions.h"
#include "session/UnitSession.h"

#include <QTimer>

void UnitSession::menuFileStopRun_Click()
{
    if (RunDepth == 0 || run.RunStopped())
        return;
    // A stopped run is an aborted one. From here on every exchange, check and box of the run
    // returns at once without touching the modem, the log or ErrCount.
    run.stop();
    // The wait timer's end ends the wait under way, and with it every wait nested in it.
    StartKludgeTimer->stop();
    // A power-cycle box that is open is cancelled.
    Questions.cancelOpen();
}

void UnitSession::Test_ReportStop()
{
    if (!run.RunStopped() || StopLogged)
        return;
    StopLogged = true;
    MsgWin_Output(QStringLiteral("Stopped by the user"));
}
