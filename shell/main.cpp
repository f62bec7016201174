// The program: one main window beside one serial port.
#include "shell/MainWin.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    MainWin window;
    window.show();
    return app.exec();
}
