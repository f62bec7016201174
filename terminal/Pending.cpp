// TEMPORARY: placeholders until this folder's procedures land.
#include "shell/MainWin.h"

void MainWin::MsgWin_Output(const QString& text) {}

void MainWin::MsgWin_OutputChar(quint8 byte) {}

void MainWin::MsgWin_OutputCooked(const QByteArray& text) {}

void MainWin::MsgWin_OutputVisible(const QString& text) {}

void MainWin::MsgWin_Clear() {}

void MainWin::MsgWin_DblClick() {}

void MainWin::TestStateWin_Output(const QString& text) {}

void MainWin::CmdInputWin_Change() {}

void MainWin::CmdInputWin_Keypress(qint16 keyascii) {}

void MainWin::CmdSendTypingImmediately_Click() {}

void MainWin::CmdSendAgainBtn_Click() {}

QByteArray MainWin::GetEolEscape()
{
    return {};
}

void MainWin::SendEscaped(const QByteArray& text) {}

void MainWin::SendRaw(const QByteArray& text) {}

QByteArray MainWin::SendCommandAutoRTS(const QByteArray& cmd)
{
    return {};
}

void MainWin::CmdReplyTimer_Timer() {}

void MainWin::CmdMacroByIndexBtn_Click(qint16 index) {}

void MainWin::UpDown_Change(qint16 index) {}

void MainWin::UpDownWin_GotFocus(qint16 index) {}

void MainWin::UpDownWin_LostFocus(qint16 index) {}

void MainWin::UpDownWin_Refresh(qint16 index) {}

qint16 AccumHexDigit(char, qint16&)
{
    return -1;
}
void EscapeDecoder::decode(const QByteArray&, const Sender&) {}

void MainWin::MsgWin_Attach() {}
