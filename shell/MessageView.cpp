// The message window as a view of the session's log: the model over it and the follower.
#include "session/UnitSession.h"
#include "shell/MainWin.h"
#include "terminal/MsgLogModel.h"
#include "terminal/MsgLogView.h"

void MainWin::MsgWin_Attach()
{
    // The model shows the session's lines; the window deletes it before the session goes.
    auto* model = new MsgLogModel(Session->log(), this);
    MsgWin->setModel(model);
    new MsgLogFollower(MsgWin, model);
}
