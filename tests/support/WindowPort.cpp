// Opening a port in the main window the way a user does.
#include "support/WindowPort.h"

#include "support/WindowDoor.h"

#include <QCheckBox>
#include <QComboBox>

bool openPortInWindow(MainWin& win, const QString& portText)
{
    WindowDoor door(win);
    door.CommPort()->setCurrentText(portText);
    door.CommOpenCbox()->setChecked(true);
    return door.MSComm1()->PortOpen();
}
