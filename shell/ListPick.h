// Connecting a list whose pick is also an action: the handler runs for a pick of the shown entry.
#pragma once

#include <functional>

class QComboBox;

// Runs handler once for every change of the list's selection, whether the user or the program
// makes it, and once for a user's pick of the entry the list already shows, which changes no
// selection. One pick never runs the handler twice.
void connectPick(QComboBox* list, std::function<void()> handler);
