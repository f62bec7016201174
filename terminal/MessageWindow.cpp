// The message window's output operations and the one-line test-state display.
#include "shell/MainWin.h"
#include "terminal/MsgLogModel.h"
#include "terminal/MsgLogView.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>

void MainWin::MsgWin_Attach()
{
    // The model owns the lines and lives as long as the window, after the serial component.
    auto* model = new MsgLogModel(this);
    MsgLines = &model->log();
    MsgWin->setModel(model);
    new MsgLogFollower(MsgWin, model);
}

void MainWin::MsgWin_Output(const QString& text)
{
    MsgLines->outputLine(text);
}

void MainWin::MsgWin_OutputChar(quint8 byte)
{
    // The display mode is read on every byte, so a change shows from the next byte on.
    MsgLines->outputByte(byte, RxShowMode->currentIndex() == 1);
}

void MainWin::MsgWin_OutputCooked(const QByteArray& text)
{
    for (const char ch : text)
        MsgWin_OutputChar(static_cast<quint8>(ch));
}

void MainWin::MsgWin_OutputVisible(const QString& text)
{
    MsgWin_Output(text);
}

void MainWin::MsgWin_Clear()
{
    MsgLines->clear();
    // The window holds no run's lines any more; a run names itself after clearing.
    MsgWinRun = {};
    // Lines a user's clear removed are not brought back into a run's log; the run's start keeps
    // the log before it for "Save Previous Run..." instead.
    MsgWinCleared.forget();
    MsgWin_UndoClearRefresh();
}

void MainWin::MsgWin_DblClick()
{
    MsgWin_ClearAside();
}

void MainWin::MsgWin_ClearAside()
{
    MsgWinCleared.takeFrom(*MsgLines);
    MsgWinRun = {};
    MsgWin_UndoClearRefresh();
}

void MainWin::MsgWin_UndoClearRefresh()
{
    menuLogUndoClear->setEnabled(RunDepth == 0 && !MsgWinCleared.isEmpty());
}

void MainWin::TestStateWin_Output(const QString& text)
{
    const bool logged = text.startsWith(QLatin1Char('#'));
    const QString shown = logged ? text.mid(1) : text;
    TestStateWin->setText(shown);
    // A long state line shows its beginning (the run's name), not its end.
    TestStateWin->setCursorPosition(0);
    if (logged)
        MsgWin_Output(shown);
}
