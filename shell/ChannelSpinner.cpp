// The channel selector's spinner: a vertical scroll bar that turns the way a spin box does.
#include "shell/ChannelSpinner.h"

#include <QStyleOptionFocusRect>
#include <QStylePainter>
#include <QWheelEvent>

namespace
{
// One notch of an ordinary mouse wheel.
constexpr int kNotch = 120;
} // namespace

ChannelSpinner::ChannelSpinner(QWidget* parent) : QScrollBar(Qt::Vertical, parent)
{
    setFocusPolicy(Qt::StrongFocus);
    // Each step is turned around before the value changes: the upper arrow and the Up key are
    // the scroll bar's "step back" actions, and here they raise the value.
    connect(this, &QAbstractSlider::actionTriggered, this, [this](int action) {
        const int step = singleStep();
        if (action == SliderSingleStepAdd || action == SliderPageStepAdd)
            setSliderPosition(value() - step);
        else if (action == SliderSingleStepSub || action == SliderPageStepSub)
            setSliderPosition(value() + step);
    });
}

void ChannelSpinner::wheelEvent(QWheelEvent* event)
{
    // The wheel takes the focus first, as a click does, and then acts as the arrows do: away
    // from the user as the upper arrow, towards the user as the lower one, a step a notch.
    if (!hasFocus())
        setFocus(Qt::MouseFocusReason);
    int turn = event->angleDelta().y();
    if (event->inverted())
        turn = -turn;
    m_pendingWheel += turn;
    while (m_pendingWheel >= kNotch) {
        triggerAction(SliderSingleStepSub);
        m_pendingWheel -= kNotch;
    }
    while (m_pendingWheel <= -kNotch) {
        triggerAction(SliderSingleStepAdd);
        m_pendingWheel += kNotch;
    }
    event->accept();
}

void ChannelSpinner::paintEvent(QPaintEvent* event)
{
    QScrollBar::paintEvent(event);
    if (!hasFocus())
        return;
    QStylePainter painter(this);
    QStyleOptionFocusRect frame;
    frame.initFrom(this);
    frame.backgroundColor = palette().color(QPalette::Window);
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, frame);
}
