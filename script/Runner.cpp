// The script runner: starts one run, announces it, resets the run state and reports the outcome.
#include "platform/MSComm.h"
#include "script/RunVerdict.h"
#include "session/SessionQuestions.h"
#include "session/UnitSession.h"

#include <QDateTime>

void UnitSession::Test_RunScript(const QString& name, ScriptFlags flags, const QByteArray& initId,
                                 const QVariant& initArg, const QByteArray& testId)
{
    if (!MSComm1->PortOpen()) {
        Questions.ask(QStringLiteral("Error: Ensure the correct CommPort is open."),
                      kTitlePrefix + QStringLiteral("CommPort Not Open"), MsgButtons::Ok);
        return;
    }
    DoButtons_SetBusy(true);
    const bool outermost = Records_RunStarting();
    // The lines the run clears stay at hand for "Save Previous Run...".
    MsgWin_KeepPreviousRun();
    MsgWin_Clear();
    MsgWinRun = {name, QDateTime::currentDateTime()};
    RunShown = true;
    TestStateWin_SetVerdict(RunVerdict::None);
    if (outermost)
        emit runStarted(name);
    TestStateWin_Output(QStringLiteral("#") + name + QStringLiteral(" Started."));
    run.start();
    Test_Script(flags, initId, initArg, testId);
    Test_ReportStop();
    if (run.RunAborted())
        TestStateWin_Output(QStringLiteral("#") + name + QStringLiteral(" Aborted in ") +
                            run.ScriptStep());
    else
        TestStateWin_Output(QStringLiteral("#") + name + QStringLiteral(" Completed,") +
                            QStringLiteral(" ") + QString::number(run.ErrCount()) +
                            QStringLiteral(" errors."));
    TestStateWin_SetVerdict(runVerdict(run.RunAborted(), run.ErrCount()));
    if (outermost)
        Records_RunEnded(name);
    // A port lost during the run has no line to show: the box is cleared, so that the next open
    // starts in data mode.
    CmdRTSCbox_Set(MSComm1->PortOpen() && RTS_Get());
    DoButtons_SetBusy(false);
    if (outermost)
        emit runEnded(name);
}

void UnitSession::Test_BeginStep(const QString& step)
{
    // A run that goes on after a nested one has ended shows its steps without that run's verdict.
    TestStateWin_SetVerdict(RunVerdict::None);
    TestStateWin_Output(QStringLiteral("#") + step);
    run.beginStep(step);
}

void UnitSession::Test_Log(const QString& text)
{
    MsgWin_Output(text);
}

void UnitSession::TestStateWin_Ready()
{
    TestStateWin_Output(QStringLiteral("<= Press to begin Test."));
}

// Runs nest (a factory restore inside a run, every run inside "Do It"), so each lock is counted
// and the buttons come back only when the outermost holder lets go.
void UnitSession::DoButtons_SetBusy(bool busy)
{
    if (busy) {
        // The outermost run starts: nothing of an earlier stop carries over.
        if (RunDepth++ == 0) {
            run.clearStop();
            StopLogged = false;
            RunShown = false;
        }
    } else if (RunDepth > 0) {
        // A stop that came before any run announced itself is logged as the outermost run ends;
        // the state line then says so in the verdict's red, not the previous run's verdict.
        if (RunDepth == 1) {
            Test_ReportStop();
            if (run.RunStopped() && !RunShown) {
                TestStateWin_Output(QStringLiteral("Stopped by the user"));
                TestStateWin_SetVerdict(RunVerdict::Aborted);
            }
        }
        --RunDepth;
    }
    emit busyChanged(RunDepth > 0);
    emit undoClearChanged(undoClearOffered());
}
