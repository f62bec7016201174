// Opening a port in the main window the way a user does.
#pragma once

#include <QString>

class MainWin;

// The port's text in the port list, then "Open Comm Port?" ticked. Returns whether the port is
// open.
bool openPortInWindow(MainWin& win, const QString& portText);
