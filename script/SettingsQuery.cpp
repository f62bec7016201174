// The settings query: the modem's listing of its current settings, shown in the message window.
#include "script/ScriptRun.h"

void UnitSession::runSettingsQuery()
{
    MsgWin_Output(QString());
    MsgWin_Output(QStringLiteral("Current Modem Settings:"));
    MsgWin_Output(QString());
    // The listing's length varies, so the whole two seconds pass before it is taken as complete.
    const QByteArray settings = Modem_Transact(QByteArrayLiteral("?"), 0, 2000);
    if (run.RunStopped())
        return;
    MsgWin_OutputCooked(settings);
    MsgWin_Output(QString());
    // A listing cut short or refused counts as one error but does not stop the run.
    if (!settings.endsWith(ReplyOK))
        run.countError();
}
