// The message window's scroll bars: repainted only when they look different.
#pragma once

#include <QScrollBar>

// A scroll bar that repaints only when it looks different. The vertical bar's range grows with
// every batch of lines, which moves the slider by a pixel only now and then in a long log. It
// fills its own background, so that a repaint does not repaint the frames around it as well.
class QuietScrollBar : public QScrollBar
{
public:
    explicit QuietScrollBar(Qt::Orientation orientation);

protected:
    // Setting the range or the steps announces a change even when they stay the same, and the
    // range grows before the view follows the newest row. So the bar looks again once the
    // present event is handled, and repaints only if it would look different from its last
    // paint.
    void sliderChange(SliderChange change) override;
    void paintEvent(QPaintEvent* event) override;

private:
    struct Look {
        QRect slider;
        bool atStart = false;
        bool atEnd = false;
        // Whether the screen is known to show this look; a look not on screen differs from
        // every other.
        bool onScreen = true;
        bool operator==(const Look&) const = default;
    };

    // Whether the screen shows the last paint and the arrows would look as they did then.
    bool arrowsKept(const Look& now) const;
    // The slider's old and new place, with the line a style draws along its edges.
    QRect aroundSliders(const Look& a, const Look& b) const;
    Look look() const;

    Look m_painted{{}, false, false, false};
    bool m_lookPending = false;
};
