// Opening a port in the main window the way a user does.
#include "support/WindowPort.h"

#include "shell/MainWin.h"

#include <QCheckBox>
#include <QComboBox>

bool openPortInWindow(MainWin& win, const QString& portText)
{
    win.CommPort->setCurrentText(portText);
    win.CommOpenCbox->setChecked(true);
    return win.MSComm1->PortOpen();
}
