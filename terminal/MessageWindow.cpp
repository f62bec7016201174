// The message window's output operations and the one-line test-state display.
#include "session/SessionOptions.h"
#include "session/UnitSession.h"

void UnitSession::MsgWin_Output(const QString& text)
{
    MsgLines->outputLine(text);
}

void UnitSession::MsgWin_OutputChar(quint8 byte)
{
    // The display mode is read on every byte, so a change shows from the next byte on.
    MsgLines->outputByte(byte, Options.hexDisplay());
}

void UnitSession::MsgWin_OutputCooked(const QByteArray& text)
{
    for (const char ch : text)
        MsgWin_OutputChar(static_cast<quint8>(ch));
}

void UnitSession::MsgWin_OutputVisible(const QString& text)
{
    MsgWin_Output(text);
}

void UnitSession::MsgWin_Clear()
{
    MsgLines->clear();
    // The window holds no run's lines any more; a run names itself after clearing.
    MsgWinRun = {};
    // Lines a user's clear removed are not brought back into a run's log; the run's start keeps
    // the log before it for "Save Previous Run..." instead.
    MsgWinCleared.forget();
    MsgWinClearedRun = {};
    emit undoClearChanged(undoClearOffered());
}

void UnitSession::MsgWin_ClearAside()
{
    // The run's name goes aside with its lines; clearing an empty log keeps the clear before.
    if (!MsgLines->isEmpty())
        MsgWinClearedRun = MsgWinRun;
    // What the window clears during a run stays in the run's record.
    if (RecordUnderWay && RecordsKeep) {
        MsgLog lines = detachedCopy(*MsgLines);
        if (RecordEarlierLines)
            RecordEarlierLines->append(lines);
        else
            RecordEarlierLines = std::move(lines);
    }
    MsgWinCleared.takeFrom(*MsgLines);
    MsgWinRun = {};
    emit undoClearChanged(undoClearOffered());
}

void UnitSession::MsgWin_UndoClear()
{
    // The entry is greyed during a run; a shortcut or a stale menu must not reach past that.
    if (RunDepth > 0)
        return;
    if (MsgWinCleared.isEmpty())
        return;
    MsgWinCleared.restoreInto(*MsgLines);
    // The lines come back with the name of the run they belong to.
    MsgWinRun = std::exchange(MsgWinClearedRun, RunLabel{});
    emit undoClearChanged(undoClearOffered());
}

void UnitSession::TestStateWin_Output(const QString& text)
{
    const bool logged = text.startsWith(QLatin1Char('#'));
    StateText = logged ? text.mid(1) : text;
    emit stateLineChanged(StateText);
    if (logged)
        MsgWin_Output(StateText);
}

void UnitSession::TestStateWin_SetVerdict(RunVerdict verdict)
{
    Verdict = verdict;
    emit verdictChanged(verdict);
}

void UnitSession::MsgWin_KeepPreviousRun()
{
    PreviousRunLog = KeptRunLog{MsgWinRun, detachedCopy(*MsgLines)};
    emit previousRunKept();
}
