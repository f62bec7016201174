// Keyboard focus: the tab order follows the frames as the user sees them.
#include "shell/MainWin.h"

#include <QGroupBox>
#include <QList>

void MainWin::orderTabs()
{
    const bool consoleInView = TestConsoleFrame->y() < UsercfgFrame->y();
    const QList<QWidget*> frames = {GeneralFrame, consoleInView ? TestConsoleFrame : UsercfgFrame,
                                    TerminalFrame, consoleInView ? UsercfgFrame : TestConsoleFrame};
    // The controls each frame holds, in the order the present chain visits them. The text
    // field of an editable list follows its list, which moves it along.
    QList<QList<QWidget*>> controls(frames.size());
    for (QWidget* w = nextInFocusChain(); w != this; w = w->nextInFocusChain()) {
        if (!(w->focusPolicy() & Qt::TabFocus) || w->focusProxy())
            continue;
        for (qsizetype i = 0; i < frames.size(); ++i) {
            if (frames.at(i)->isAncestorOf(w)) {
                controls[i].append(w);
                break;
            }
        }
    }
    QWidget* previous = nullptr;
    for (const QList<QWidget*>& frame : controls) {
        for (QWidget* control : frame) {
            if (previous)
                setTabOrder(previous, control);
            previous = control;
        }
    }
    // Keys must not go on acting on a panel that has just left the view.
    QWidget* focused = focusWidget();
    if (focused && !isInView(focused) && !controls.at(1).isEmpty())
        controls.at(1).first()->setFocus(Qt::OtherFocusReason);
}

bool MainWin::isInView(const QWidget* control) const
{
    const QWidget* client = centralWidget();
    if (!client->isAncestorOf(control))
        return true;
    const QRect at(control->mapTo(client, QPoint(0, 0)), control->size());
    // The panel out of view is hidden: the grown window may reach past its place.
    return control->isVisibleTo(client) && client->rect().intersects(at);
}

bool MainWin::focusNextPrevChild(bool next)
{
    // The controls of the panel below the client area are passed one by one, until the focus is
    // on a control in view or back where it started. The bound is far above the number of
    // controls; it only keeps a broken chain from holding the window.
    QWidget* const start = focusWidget();
    for (int passed = 0; passed < 1000; ++passed) {
        if (!QMainWindow::focusNextPrevChild(next))
            return false;
        QWidget* now = focusWidget();
        if (!now || now == start || isInView(now))
            return true;
    }
    return true;
}
