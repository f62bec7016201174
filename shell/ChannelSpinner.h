// The channel selector's spinner: a vertical scroll bar that turns the way a spin box does.
#pragma once

#include <QScrollBar>

// A plain vertical scroll bar lowers its value with its upper arrow, the Up key and the wheel
// turned away from the user; as a spinner all three raise it. A click on an arrow or a turn of
// the wheel takes the keyboard focus before the step, so that a channel typed in the box beside
// it is applied (when the box loses the focus) and the spinner steps from it. Tab reaches it, and
// it shows a focus frame while it has the focus, which a plain scroll bar does not.
class ChannelSpinner : public QScrollBar
{
    Q_OBJECT
public:
    explicit ChannelSpinner(QWidget* parent = nullptr);

protected:
    void wheelEvent(QWheelEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // Wheel turn not yet amounting to a whole step; fine-grained wheels report parts of a notch.
    int m_pendingWheel = 0;
};
