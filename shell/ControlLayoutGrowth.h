// How the controls follow the window when it is made larger than its designed size.
#pragma once

#include <QFlags>
#include <QList>
#include <QPointer>
#include <QRect>
#include <QWidget>
#include <climits>
#include <memory>

namespace layout
{
enum class Follow {
    Right = 1,  // moves right with the extra width
    Down = 2,   // moves down with the extra height
    Wider = 4,  // takes the extra width
    Taller = 8, // takes the extra height
};
Q_DECLARE_FLAGS(Follows, Follow)
Q_DECLARE_OPERATORS_FOR_FLAGS(Follows)

// The place of a control designed at designed, in a client area extra larger than designed.
// At most cap of the extra width applies to it.
QRect grown(const QRect& designed, Follows how, QSize extra, int cap = INT_MAX);

// The controls that follow the growth, each with its designed place.
class Growth
{
public:
    // Records the control's present geometry as its designed one. A control that only grows
    // keeps its position, which other code may change (the two panels swap places).
    void add(QWidget* widget, Follows how, int cap = INT_MAX);
    void apply(QSize extra) const;

private:
    struct Rule {
        QPointer<QWidget> widget;
        QRect designed;
        Follows how;
        int cap;
    };
    QList<Rule> m_rules;
};
} // namespace layout
