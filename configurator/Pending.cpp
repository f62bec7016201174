// TEMPORARY: placeholders until this folder's procedures land.
#include "shell/MainWin.h"

void MainWin::CfgDoIt_Click() {}

void MainWin::CfgNewDeviceConfig_Click() {}

void MainWin::CfgNewChannel_Click() {}

void MainWin::Cfg_RestoreFactory(ScriptFlags flags) {}

void MainWin::Cfg_SetChannel(qint16 channel) {}

void MainWin::Cfg_SetConfig(const QByteArray& config) {}

void MainWin::Cfg_QueryConfig() {}
