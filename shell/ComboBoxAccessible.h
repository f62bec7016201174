// How screen readers see the window's lists: the choice, and the label it belongs to.
#pragma once

class QComboBox;

// Qt's bridge to the desktop's screen readers reads a combo box's current choice from its
// accessible name, and otherwise takes the label of a list without a caption from the frame
// around it. Once this is installed, a combo box is announced by its choice (its text), which
// is also its value; its label is the caption whose buddy it is ("labelled by"), never a frame's
// title, or, for a list without a caption on screen, the accessible name the window gave the
// widget, as the accessible description. Combo boxes made before the installation keep Qt's own
// announcement. Installing it again does nothing.
void installComboBoxAccessible();

// Makes the entry at index the list's choice, as the program's, whether or not the list's signals
// are blocked, and lets screen readers hear it as they hear a pick: the popup list, whose
// selection screen readers read as the list's, selects the entry first, and then the new choice
// is announced. An index outside the list chooses nothing.
void setChoice(QComboBox* list, int index);
