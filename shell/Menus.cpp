// The menu commands: clearing, copying and saving the log, the two layout commands of the Factory
// menu, the About box.
#include "session/UnitSession.h"
#include "shell/MainWin.h"
#include "shell/frmAbout.h"
#include "terminal/MsgLog.h"
#include "terminal/MsgLogView.h"

#include <QAction>
#include <QClipboard>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMimeData>

void MainWin::menuLogClear_Click()
{
    Session->MsgWin_ClearAside();
}

void MainWin::menuLogUndoClear_Click()
{
    Session->MsgWin_UndoClear();
}

void MainWin::menuLogCopy_Click()
{
    // The log as shown, in UTF-8: the clipboard keeps this one copy and hands it to a pasting
    // program as it is, without building a wider copy first.
    auto* copied = new QMimeData;
    copied->setData(QStringLiteral("text/plain"),
                    Session->log().shownUtf8(menuLogShowTimes->isChecked()));
    QGuiApplication::clipboard()->setMimeData(copied);
}

void MainWin::menuLogShowTimes_Click()
{
    MsgWin->setTimesShown(menuLogShowTimes->isChecked());
}

void MainWin::menuLogSave_Click()
{
    MsgWin_SaveToFile(detachedCopy(Session->log()), Session->logRun(), QStringLiteral("Save Log"));
}

void MainWin::menuLogSavePrevious_Click()
{
    if (const auto& previous = Session->previousRunLog())
        MsgWin_SaveToFile(previous->lines, previous->label, QStringLiteral("Save Previous Run"));
}

void MainWin::menuOptionsShowHideShortcuts_Click()
{
    // The frame's own visibility flag, independent of whether the window is on screen yet.
    TerminalShortcutsFrame->setVisible(TerminalShortcutsFrame->isHidden());
}

void MainWin::menuOptionsShowHideTestConsole_Click()
{
    const double left = TestConsoleFrame->x();
    const auto top = static_cast<qint16>(TestConsoleFrame->y());
    TestConsoleFrame->move(UsercfgFrame->x(), TestConsoleFrame->y());
    TestConsoleFrame->move(TestConsoleFrame->x(), UsercfgFrame->y());
    UsercfgFrame->move(static_cast<int>(left), UsercfgFrame->y());
    UsercfgFrame->move(UsercfgFrame->x(), top);
    Panels_Park();
    orderTabs();
}

void MainWin::menuViewChangeLog_Click()
{
    // The program carries no change history to show.
}

void MainWin::menuHelpAbout_Click()
{
    if (!About)
        About = new frmAbout(this);
    About->lblVersion->setText(QStringLiteral("Version ") + kVersion);
    About->exec();
}

void MainWin::menuFactory_Toggle()
{
    QAction* shown = menuFactory->menuAction();
    shown->setVisible(!shown->isVisible());
}
