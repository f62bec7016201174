// TEMPORARY: placeholders until this folder's procedures land.
#include "shell/MainWin.h"

void MainWin::Test_Script(ScriptFlags flags, const QByteArray& initId, const QVariant& initArg,
                          const QByteArray& testId)
{
}
