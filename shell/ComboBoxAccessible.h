// How screen readers see the window's lists: by the name the window gives them.
#pragma once

// Qt announces a combo box on Unix desktops by its current text, and lets the frame around it
// stand in for a label, so that a list without a caption of its own is known only by its value
// or by its frame's title. Once this is installed, a combo box that has an accessible name is
// announced by that name, with its text as its value; one without a name is announced by its
// text, as before. Combo boxes made before the installation keep Qt's own announcement.
// Installing it again does nothing.
void installComboBoxAccessible();
