// The message window's scroll bars: repainted only when they look different.
#include "terminal/QuietScrollBar.h"

#include <QPaintEvent>
#include <QStyleOptionSlider>

QuietScrollBar::QuietScrollBar(Qt::Orientation orientation) : QScrollBar(orientation)
{
    setAutoFillBackground(true);
}

void QuietScrollBar::sliderChange(SliderChange change)
{
    if (change == SliderOrientationChange) {
        QScrollBar::sliderChange(change);
        return;
    }
    if (m_lookPending)
        return;
    m_lookPending = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_lookPending = false;
            const Look now = look();
            if (now == m_painted)
                return;
            // Following a growing log, only the slider moves or shrinks: the groove and the
            // arrows are repainted only where the slider was and is.
            if (arrowsKept(now))
                update(aroundSliders(now, m_painted));
            else
                update();
        },
        Qt::QueuedConnection);
}

void QuietScrollBar::paintEvent(QPaintEvent* event)
{
    QScrollBar::paintEvent(event);
    // After a paint of part of the bar the screen shows the present look if the arrows stayed
    // as they were and the slider either stayed or was painted where it was and is.
    const Look now = look();
    const auto covered = [event](const QRect& area) {
        return QRegion(area).subtracted(event->region()).isEmpty();
    };
    const bool whole = covered(rect()) ||
                       (arrowsKept(now) &&
                        (now.slider == m_painted.slider || covered(aroundSliders(now, m_painted))));
    m_painted = now;
    m_painted.onScreen = whole;
}

bool QuietScrollBar::arrowsKept(const Look& now) const
{
    return m_painted.onScreen && now.atStart == m_painted.atStart && now.atEnd == m_painted.atEnd;
}

QRect QuietScrollBar::aroundSliders(const Look& a, const Look& b) const
{
    constexpr int kEdge = 2;
    return a.slider.united(b.slider).adjusted(-kEdge, -kEdge, kEdge, kEdge) & rect();
}

QuietScrollBar::Look QuietScrollBar::look() const
{
    QStyleOptionSlider option;
    initStyleOption(&option);
    return {
        style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, this),
        value() == minimum(), value() == maximum()};
}
