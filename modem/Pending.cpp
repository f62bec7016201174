// TEMPORARY: placeholders until this folder's procedures land.
#include "shell/MainWin.h"

QByteArray MainWin::Modem_Transact(const QByteArray& command, qint16 minBytes, qint16 timeoutMs)
{
    return {};
}

void MainWin::Modem_Send(const QByteArray& command, qint16 minBytes, qint16 timeoutMs) {}

void MainWin::Modem_SendQuiet(const QByteArray& command, qint16 minBytes, qint16 timeoutMs) {}

void MainWin::Modem_SendSlow(const QByteArray& command, qint16 timeoutMs) {}

bool MainWin::Modem_Expect(const QByteArray& expected)
{
    return false;
}

bool MainWin::Modem_ExpectEither(const QByteArray& a, const QByteArray& b)
{
    return false;
}

bool MainWin::Modem_ExpectQuiet(const QByteArray& expected)
{
    return false;
}

void MainWin::Modem_ShowReply() {}

void MainWin::Modem_SetCmdMode() {}

void MainWin::Modem_SetDataMode() {}

bool MainWin::Modem_EstablishComm(ScriptFlags flags)
{
    return false;
}
