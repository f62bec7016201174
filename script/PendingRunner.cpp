// TEMPORARY: placeholders until this folder's procedures land.
#include "shell/MainWin.h"

void MainWin::Test_RunScript(const QString& name, ScriptFlags flags, const QByteArray& initId,
                             const QVariant& initArg, const QByteArray& testId)
{
}

void MainWin::Test_BeginStep(const QString& step) {}

void MainWin::Test_Log(const QString& text) {}

void MainWin::TestStateWin_Ready() {}

void MainWin::DoButtons_SetBusy(bool busy) {}

void MainWin::TestDoIt_Click() {}

void MainWin::Test_RunConfig() {}

void MainWin::Test_RunTest() {}

void MainWin::SetCommBaud(qint32 rate) {}

void MainWin::TestBaudswap_Click() {}

void MainWin::TestSetBaudTo_Click() {}

void MainWin::TestConsole_ShowBaudWarning() {}

