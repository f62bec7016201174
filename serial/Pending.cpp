// TEMPORARY: placeholders until this folder's procedures land.
#include "shell/MainWin.h"

void MainWin::CommPort_Apply() {}

void MainWin::CommPort_Reopen() {}

void MainWin::CommSettings_Enable() {}

void MainWin::CommOpenCbox_Click() {}

void MainWin::CommPort_Click() {}

void MainWin::CommBaud_Click() {}

void MainWin::CommFormat_Click() {}

void MainWin::CommPort_DropDown() {}

void MainWin::RTS_Set(bool on) {}

bool MainWin::RTS_Get()
{
    return false;
}

void MainWin::RTS_Toggle(qint16 count) {}

void MainWin::CmdRTSCbox_Click() {}

void MainWin::CmdBreakCbox_Click() {}

void MainWin::DelayMS(qint32 ms) {}

void MainWin::DelayJif(qint32 count) {}

void MainWin::DelayJif_Helper(qint32& out) {}

void MainWin::TimerDelay(qint16 ms) {}

void MainWin::TimerDelayUntilRx(qint16 ms, qint16 count) {}

void MainWin::WaitMS(qint16 ms) {}

void MainWin::MSComm1_OnComm() {}

void MainWin::MSComm1_OnLost(const QString& reason) {}

void MainWin::MSComm1_OnNotice(const QString& text) {}

void MainWin::Rx_Process(const QByteArray& bytes) {}

void MainWin::Rx_Reset() {}

void MainWin::Stat_Inc(qint16 index, qint16 amount) {}

void MainWin::Stat_Clear() {}
