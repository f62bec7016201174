// Keyboard focus: the tab order follows the frames as the user sees them.
#include "shell/MainWin.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QList>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

namespace
{
// The chosen option of the group w belongs to, when w is an option not chosen: the group is one
// Tab stop, its chosen option, and the arrow keys move between the options. Null otherwise.
QRadioButton* chosenInsteadOf(const QWidget* w)
{
    const auto* option = qobject_cast<const QRadioButton*>(w);
    if (!option || option->isChecked() || !option->autoExclusive())
        return nullptr;
    const QList<QRadioButton*> group =
        option->parentWidget()->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly);
    const auto chosen = std::find_if(group.cbegin(), group.cend(), [](const QRadioButton* other) {
        return other->autoExclusive() && other->isChecked();
    });
    return chosen == group.cend() ? nullptr : *chosen;
}

// Puts the controls of leading first, in that order, ahead of the frame's others.
void leadWith(QList<QWidget*>& controls, const QList<QWidget*>& leading)
{
    QList<QWidget*> ordered;
    for (QWidget* w : leading)
        if (controls.contains(w))
            ordered.append(w);
    for (QWidget* w : controls)
        if (!ordered.contains(w))
            ordered.append(w);
    controls = ordered;
}
} // namespace

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
    // Inside each panel the choice comes before the button that acts on it: the options, the
    // lists beside them, then the button.
    const qsizetype configurator = frames.indexOf(UsercfgFrame);
    const qsizetype console = frames.indexOf(TestConsoleFrame);
    leadWith(controls[configurator], {CfgRestoreFactory, CfgChangeMode, CfgChangeChannel, CfgQuery,
                                      CfgNewDeviceConfig, CfgNewChannel, CfgDoIt});
    leadWith(controls[console],
             {TestIsBase, TestIsMobile, TestDeviceConfig, TestConfigOnly, TestTestOnly, TestDoIt});
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
    // on a control in view or back where it started; an option not chosen stands for its group. The
    // bound is far above the number of controls; it only keeps a broken chain from holding the
    // window.
    QWidget* const start = focusWidget();
    for (int passed = 0; passed < 1000; ++passed) {
        if (!QMainWindow::focusNextPrevChild(next))
            return false;
        // Qt passes over the rest of a group once one of its options has the focus, so the chosen
        // one is given the focus at once.
        if (QRadioButton* chosen = chosenInsteadOf(focusWidget()))
            chosen->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
        QWidget* now = focusWidget();
        if (!now || now == start || isInView(now))
            return true;
    }
    return true;
}
