// How the controls follow the window when it is made larger than its designed size.
#include "shell/ControlLayoutGrowth.h"
#include "shell/MainWin.h"
#include "terminal/MsgLogView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

#include <algorithm>

namespace layout
{
QRect grown(const QRect& designed, Follows how, QSize extra, int cap)
{
    const int dx = std::clamp(extra.width(), 0, cap);
    const int dy = std::max(extra.height(), 0);
    QRect at = designed;
    if (how.testFlag(Follow::Right))
        at.translate(dx, 0);
    if (how.testFlag(Follow::Down))
        at.translate(0, dy);
    if (how.testFlag(Follow::Wider))
        at.setWidth(designed.width() + dx);
    if (how.testFlag(Follow::Taller))
        at.setHeight(designed.height() + dy);
    return at;
}

void Growth::add(QWidget* widget, Follows how, int cap)
{
    m_rules.append({widget, widget->geometry(), how, cap});
}

void Growth::apply(QSize extra) const
{
    for (const Rule& rule : m_rules) {
        if (!rule.widget)
            continue;
        const QRect at = grown(rule.designed, rule.how, extra, rule.cap);
        if (rule.how & (Follow::Right | Follow::Down))
            rule.widget->setGeometry(at);
        else
            rule.widget->resize(at.size());
    }
}
} // namespace layout

// The window's controls and how each follows the growth: the message window takes the extra
// height and width, the state line, the command input and the port box extra width; the controls
// after them move along, and the rest keep their designed places and sizes.
std::unique_ptr<layout::Growth> MainWin::windowGrowth()
{
    using layout::Follow;
    // A port name from /dev/serial/by-id is long; the port box takes this much of the extra width.
    constexpr int kPortGrowth = 240;
    auto growth = std::make_unique<layout::Growth>();
    growth->add(GeneralFrame, Follow::Wider);
    growth->add(CommPort, Follow::Wider, kPortGrowth);
    for (QWidget* after : {static_cast<QWidget*>(CommOpenCbox), static_cast<QWidget*>(CommFormat),
                           static_cast<QWidget*>(CommBaud)})
        growth->add(after, Follow::Right, kPortGrowth);
    growth->add(Label3, Follow::Right);
    // The two panels swap places, so they only widen.
    growth->add(UsercfgFrame, Follow::Wider);
    growth->add(TestConsoleFrame, Follow::Wider);
    growth->add(TestStateWin, Follow::Wider);
    growth->add(TestProgress, Follow::Right);
    for (QLineEdit* view : std::as_const(StatsView))
        growth->add(view, Follow::Right);
    for (QWidget* grows :
         {static_cast<QWidget*>(TerminalFrame), static_cast<QWidget*>(TerminalOutputFrame),
          static_cast<QWidget*>(MsgWin)})
        growth->add(grows, Follow::Wider | Follow::Taller);
    for (QWidget* below :
         {static_cast<QWidget*>(CmdRTSCbox), static_cast<QWidget*>(CmdBreakCbox),
          static_cast<QWidget*>(CmdSendTypingImmediately), static_cast<QWidget*>(Label1)})
        growth->add(below, Follow::Down);
    growth->add(CmdInputWin, Follow::Down | Follow::Wider);
    for (QWidget* after : {static_cast<QWidget*>(Label2), static_cast<QWidget*>(EOL),
                           static_cast<QWidget*>(CmdSendAgainBtn)})
        growth->add(after, Follow::Down | Follow::Right);
    return growth;
}
