// Small helpers that build the window's controls at their designed places and with their names.
#pragma once

#include <QAction>
#include <QComboBox>
#include <QFont>
#include <QGroupBox>
#include <QMenu>
#include <QStringList>
#include <initializer_list>

namespace layout
{
// The window was laid out in twips; at 15 twips a pixel its 9000 x 7650 client area is 600 x 510.
constexpr int kTwipsPerPixel = 15;
constexpr int kClientWidth = 600;
constexpr int kClientHeight = 510;

// Height of a row of buttons and lists inside the frames.
constexpr int kRowHeight = 22;
// Height at most of a check box or option button placed at its natural size.
constexpr int kOptionHeight = 19;

template <typename T> T* named(T* widget, const QString& name)
{
    widget->setObjectName(name);
    return widget;
}

// A frame at its designed place, given in twips.
QGroupBox* frame(QWidget* parent, const QString& name, const QString& caption, int left, int top,
                 int width, int height);
QFont sansFont(int pointSize, bool bold);
// A drop-down list with no selection until start-up makes one, so that the first one raises the
// change.
QComboBox* dropDownList(QWidget* parent, const QString& name, const QStringList& items);
// An editable list showing text, with no inline completion. The mouse wheel over it leaves its
// text alone while its list is closed.
QComboBox* editableCombo(QComboBox* combo, const QString& name, const QStringList& items,
                         const QString& text);
// Places the widget with its top left at x, y; a width or height of 0 takes its natural size
// (for check boxes and option buttons, at most kOptionHeight high).
// Returns the x just right of it.
int put(QWidget* widget, int x, int y, int width = 0, int height = 0);
// The widest natural width among the widgets.
int widest(std::initializer_list<QWidget*> widgets);
// Gives a control that has no caption the name screen readers announce; an editable list's text
// field carries the same name.
void announce(QWidget* widget, const QString& name);
// Names every frame, button and menu under root that has no name yet by its caption, without
// the mnemonic's ampersand. (A frame inside another would otherwise take the outer one's title.)
void announceCaptions(QWidget* root);
// A menu entry; one without an action is shown greyed.
QAction* entry(QMenu* menu, const QString& name, const QString& caption, bool hasAction);

} // namespace layout
