// TEMPORARY: placeholders until this folder's procedures land.
#include "platform/ProgramEnd.h"
#include "shell/MainWin.h"

void MainWin::Form_Load() {}

void MainWin::InitControlDefaults() {}

void MainWin::StartKludgeTimer_Timer() {}

void MainWin::menuExit_Click() {}

void MainWin::ReportInternalError(const QString& text)
{
    endProgram();
}

void MainWin::menuLogClear_Click() {}

void MainWin::menuLogCopy_Click() {}

void MainWin::menuOptionsShowHideShortcuts_Click() {}

void MainWin::menuOptionsShowHideTestConsole_Click() {}

void MainWin::menuViewChangeLog_Click() {}

void MainWin::menuHelpAbout_Click() {}

void MainWin::menuFactory_Toggle() {}

MainWin::MainWin(QWidget* parent) : QMainWindow(parent) {}
MainWin::~MainWin() = default;
void MainWin::closeEvent(QCloseEvent* event)
{
    QMainWindow::closeEvent(event);
}
bool MainWin::eventFilter(QObject* watched, QEvent* event)
{
    return QMainWindow::eventFilter(watched, event);
}
void MainWin::buildControls() {}
void MainWin::connectHandlers() {}
