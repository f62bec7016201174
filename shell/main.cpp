// The program: one main window beside one serial port.
#include "shell/AppIcon.h"
#include "shell/MainWin.h"
#include "shell/ProgramPorts.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // The desktop matches the running window to its menu entry and icon by this id.
    QGuiApplication::setDesktopFileName(kDesktopId);
    // Every window, message boxes included, shows the program's icon.
    QApplication::setWindowIcon(appIcon());
    // "SIM" is the simulated modem, any other port name a port of the system.
    MainWin window(programPortBackends());
    window.show();
    return app.exec();
}
