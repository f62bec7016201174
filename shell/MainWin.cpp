// The main window's life: construction in the order the form loads, and the end of the program.
#include "shell/MainWin.h"
#include "platform/ProgramEnd.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

MainWin::MainWin(QWidget* parent) : QMainWindow(parent)
{
    MSComm1 = new MSComm(this);
    buildControls();
    MsgWin_Attach();
    connectHandlers();
    // Whatever ends the program releases the port first, discarding anything not yet sent.
    setBeforeProgramEnd([this] {
        MSComm1->setOutBufferCount(0);
        MSComm1->setPortOpen(false);
    });
    Form_Load();
}

MainWin::~MainWin()
{
    setBeforeProgramEnd({});
}

void MainWin::closeEvent(QCloseEvent* event)
{
    // Closing the window ends the program as the exit command does.
    event->accept();
    endProgram();
}

bool MainWin::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == CmdInputWin->lineEdit() && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        qint16 keyascii = 0;
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            keyascii = 13;
        else if (key->key() == Qt::Key_Backspace)
            keyascii = 8;
        else if (!key->text().isEmpty())
            keyascii = static_cast<qint16>(key->text().at(0).unicode());
        // The handler sees the key before the box does; the key then takes its normal effect.
        if (keyascii != 0)
            CmdInputWin_Keypress(keyascii);
        return false;
    }
    if (watched == UpDownWin.value(3)) {
        if (event->type() == QEvent::FocusIn)
            UpDownWin_GotFocus(3);
        else if (event->type() == QEvent::FocusOut)
            UpDownWin_LostFocus(3);
    }
    return QMainWindow::eventFilter(watched, event);
}
