// The main window's life: construction in the order the form loads, and the end of the program.
#include "shell/MainWin.h"
#include "platform/ProgramEnd.h"
#include "records/RecordStore.h"
#include "session/RecordKeeper.h"
#include "session/UnitSession.h"
#include "shell/ControlLayout.h"
#include "shell/ControlLayoutGrowth.h"
#include "shell/WindowOptions.h"
#include "terminal/MsgLogView.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>

MainWin::MainWin(PortBackends backends, QWidget* parent) : QMainWindow(parent)
{
    buildControls();
    Options = std::make_unique<WindowOptions>(WindowOptions::Controls{
        TestDeviceConfig, TestIsMobile, TestConfigOnly, TestTestOnly, TestSaveTxPwrOnCbox,
        TestLeaveInCmdModeCbox, TestLeaveTxPwrOnCbox, RxShowMode, menuLogShowTimes});
    Questions = std::make_unique<WindowQuestions>(this);
    // The session starts as start-up leaves the line; the window then shows it.
    Session = new UnitSession(std::move(backends), *Options, *Questions, this);
    Keeper = new RecordKeeper(RecordStore::defaultStorePath(), this);
    MsgWin_Attach();
    mirrorSession();
    connectHandlers();
    // Whatever ends the program releases the port first, discarding anything not yet sent.
    setBeforeProgramEnd([this] { Session->releasePort(); });
    Form_Load();
}

MainWin::~MainWin()
{
    setBeforeProgramEnd({});
    // The log's view goes before the session's log does.
    delete MsgWin->model();
    delete Session;
}

void MainWin::closeEvent(QCloseEvent* event)
{
    // Closing the window ends the program as the exit command does.
    event->accept();
    endProgram();
}

namespace
{
// The key code a key press gives the input box's key handler, 0 for none: Enter 13, Backspace 8,
// otherwise the first character the key types. Tab and Shift+Tab move the focus and type nothing;
// so does the copy key, which must find the user's selection where it is. Delete types nothing
// either, though the desktop gives it the character 127: it edits the text where the caret is.
qint16 keyAscii(const QKeyEvent& key)
{
    if (key.matches(QKeySequence::Copy))
        return 0;
    switch (key.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete:
        return 0;
    default:
        return key.text().isEmpty() ? 0 : static_cast<qint16>(key.text().at(0).unicode());
    }
}
} // namespace

void MainWin::Panels_Park()
{
    const auto inView = [](const QWidget* panel) { return panel->y() < layout::kClientHeight; };
    QGroupBox* shown = inView(TestConsoleFrame) ? TestConsoleFrame : UsercfgFrame;
    shown->setVisible(true);
    for (QGroupBox* panel : {UsercfgFrame, TestConsoleFrame}) {
        if (inView(panel))
            continue;
        // The focus leaves a panel that goes out of view for the one that comes into it.
        QWidget* focused = focusWidget();
        if (focused && panel->isAncestorOf(focused)) {
            for (QWidget* control : shown->findChildren<QWidget*>()) {
                if ((control->focusPolicy() & Qt::TabFocus) && control->isEnabled() &&
                    !control->focusProxy()) {
                    control->setFocus(Qt::OtherFocusReason);
                    break;
                }
            }
        }
        panel->setVisible(false);
    }
}

bool MainWin::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == centralWidget() && event->type() == QEvent::Resize && Growth)
        Growth->apply(centralWidget()->size() - QSize(layout::kClientWidth, layout::kClientHeight));
    // Keys typed into the command input arrive at the combo box, which hands them on to its text
    // field; the handler sees each key before the box does, and the key then takes its normal
    // effect.
    if (watched == CmdInputWin && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        // Up and Down recall the history; with Alt they open the list, as the box has it.
        if ((key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) &&
            !(key->modifiers() & Qt::AltModifier)) {
            CmdInputWin_KeyDown(key->key());
            return true;
        }
        const qint16 keyascii = keyAscii(*key);
        if (keyascii != 0)
            CmdInputWin_Keypress(keyascii);
        return false;
    }
    if (watched == UpDownWin.value(3)) {
        if (event->type() == QEvent::FocusIn) {
            UpDownWin_GotFocus(3);
        } else if (event->type() == QEvent::FocusOut) {
            UpDownWin_LostFocus(3);
        } else if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Up || key == Qt::Key_Down) {
                UpDownWin_KeyDown(3, key);
                return true;
            }
        }
    }
    // Qt's buttons pass the focus on with the arrow keys; from a Do button that is the next
    // list, whose next arrow key would change a setting. Arrow keys on them do nothing.
    if ((watched == CfgDoIt || watched == TestDoIt) && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_Left || key == Qt::Key_Right)
            return true;
    }
    // A double click anywhere in the message window clears it, below the last line as well as
    // on a line; the scroll bars are not part of it.
    if (watched == MsgWin->viewport() && event->type() == QEvent::MouseButtonDblClick &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        Session->MsgWin_ClearAside();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}
