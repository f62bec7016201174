// A user's mouse, wheel and keyboard: input delivered through the window, as the platform does.
#pragma once

#include <QPoint>
#include <QString>
#include <Qt>

class QComboBox;
class QWidget;

// Each event goes to the window under the pointer or to the window that has the keyboard focus,
// and from there to the widget the toolkit picks: the widget under the pointer, the focus
// widget. So focus changes on click, focus proxies, event filters, shortcuts and the passing
// on of ignored events all happen as they do for a user. Positions are in the coordinates of
// the widget named, which need not be the one that receives the event (a list's viewport, say).
namespace UserInput
{

// A point that stands for "the centre of the widget".
inline constexpr QPoint kCentre{-1, -1};

// Left-button click or double click at pos in widget.
void click(QWidget* widget, QPoint pos = kCentre);
void doubleClick(QWidget* widget, QPoint pos = kCentre);

// Turns the mouse wheel at pos in widget by whole notches; positive turns it away from the user.
void wheel(QWidget* widget, int notches, QPoint pos = kCentre);

// A key, or the characters of text one key each, pressed in the window with the keyboard focus.
void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
void type(const QString& text);

// Picks the entry in row: opens the list's popup with a click on its arrow, moves to the entry
// and clicks it. Returns whether the popup opened and closed again on the click.
bool pick(QComboBox* list, int row);

} // namespace UserInput
