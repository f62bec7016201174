// The main window as start-up leaves it, with a recording message-box responder, for tests.
#pragma once

#include "platform/MSComm.h"
#include "shell/MainWin.h"
#include "support/MessageBoxRecorder.h"
#include "support/WindowDoor.h"

#include <QStringList>
#include <memory>

// The responder is installed before the window is built, so boxes of start-up are recorded too.
// Never close() the window in a test: closing it ends the program, as it does for the user;
// the fixture deletes the window instead.
class WindowFixture
{
public:
    // Creates the window; with show, also shows it and waits until it is exposed.
    explicit WindowFixture(bool show = true);
    ~WindowFixture();
    WindowFixture(const WindowFixture&) = delete;
    WindowFixture& operator=(const WindowFixture&) = delete;

    MainWin& win() const { return *m_win; }
    // The window's private state and procedures, by name.
    WindowDoor door() const { return WindowDoor(*m_win); }
    // The control, timer, action or menu of that objectName ("CmdMacroByIndexBtn_4"), or null.
    template <typename T> T* control(const QString& name) const
    {
        return m_win->findChild<T*>(name);
    }

    MessageBoxRecorder& recorder() { return m_recorder; }
    const QList<RecordedBox>& boxes() const { return m_recorder.boxes(); }
    // The message window's lines, the open last line included.
    QStringList logLines() const;

private:
    MessageBoxRecorder m_recorder;
    std::unique_ptr<MainWin> m_win;
};
