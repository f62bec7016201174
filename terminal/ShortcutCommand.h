// The modem commands of the shortcut buttons.
#pragma once

#include <QByteArray>

// The command of shortcut button index (0..7) with the channel selector at channel; empty for
// an index without a button (6, or outside 0..7).
QByteArray shortcutCommand(int index, int channel);
