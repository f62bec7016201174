// Editable lists whose typed text is applied as a pick from the list is.
#pragma once

#include <functional>

class QComboBox;

// Runs apply when the user presses Enter in the box or leaves it and its text differs from the
// one last applied, whether or not the text is in the list. A pick from the list (or a change of
// entry made in code) counts as applied, so a typed text that the box itself completes to an
// entry of the list is not applied twice.
void connectTypedText(QComboBox* box, std::function<void()> apply);
