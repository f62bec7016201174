// Editable lists whose typed text is applied as a pick from the list is.
#pragma once

#include <functional>

class QComboBox;

// Runs apply when the user presses Enter in the box or leaves it for another control of the
// window, and its text differs from the one last applied, whether or not the text is in the list.
// A text that is an entry of the list selects that entry, whose change handler then runs as for a
// pick; a pick from the list (or a change of entry made in code) counts as applied.
void connectTypedText(QComboBox* box, std::function<void()> apply);
