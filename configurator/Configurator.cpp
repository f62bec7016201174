// The Modem Configurator: "Do It" with the chosen action, and the three simple actions.
#include "platform/MSComm.h"
#include "session/SessionQuestions.h"
#include "session/UnitSession.h"

void UnitSession::Cfg_DoIt(CfgAction action, qint16 channel, const QByteArray& config)
{
    if (!MSComm1->PortOpen()) {
        Questions.ask(QStringLiteral("Error: Ensure the correct Comm Port is open."),
                      kTitlePrefix + QStringLiteral("CommPort not open!"), MsgButtons::Ok);
        return;
    }
    if (!Records_AskUnit())
        return;
    DoButtons_SetBusy(true);
    run.clearErrors();
    switch (action) {
    case CfgAction::RestoreFactory:
        Cfg_RestoreFactory({});
        break;
    case CfgAction::SetChannel:
        Cfg_SetChannel(channel);
        break;
    case CfgAction::SetConfig:
        Cfg_SetConfig(config);
        break;
    case CfgAction::Query:
        Cfg_QueryConfig();
        break;
    }
    // A stopped run asks nothing more, whatever errors it had counted.
    if (run.ErrCount() != 0 && !run.RunStopped())
        Questions.ask(QStringLiteral("Error(s) occurred;  See the Message Window for details"),
                      kTitlePrefix + QStringLiteral("Error Configuring Modem"), MsgButtons::Ok);
    DoButtons_SetBusy(false);
}

void UnitSession::Cfg_QueryConfig()
{
    Test_RunScript(QStringLiteral("QueryConfig"), ScriptFlag::StayInCmdMode | ScriptFlag::NoSave,
                   QByteArrayLiteral("Noop"), 0, QByteArrayLiteral("?"));
}

void UnitSession::Cfg_SetChannel(qint16 channel)
{
    Test_RunScript(QStringLiteral("SetChannel"), ScriptFlag::StayInCmdMode,
                   QByteArrayLiteral("SetChannel"), QVariant::fromValue(channel), QByteArray());
}

void UnitSession::Cfg_SetConfig(const QByteArray& config)
{
    const QString text =
        QStringLiteral("WARNING:  You are about to over-write any user-defined settings in your "
                       "modem.\n\nProceed with over-write of user-settings, restoring modem to ") +
        QString::fromLatin1(config) + QStringLiteral("?");
    if (Questions.ask(text, kTitlePrefix + QStringLiteral("Over-write user-settings?"),
                      MsgButtons::OkCancel) != MsgAnswer::Ok)
        return;
    Test_RunScript(QStringLiteral("SetConfig"), ScriptFlag::StayInCmdMode | ScriptFlag::AskStation,
                   config, QString(), QByteArray());
}
