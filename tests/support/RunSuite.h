// The one set-up of the suites that start runs: a new window per case and the line it runs on.
#pragma once

#include "support/RecordedSimLine.h"
#include "support/ScriptedDevice.h"
#include "support/WindowFixture.h"

#include <QObject>
#include <memory>

// Each case gets a new window as start-up leaves it, under the recording message-box responder,
// with the simulated modem's tool window kept closed; the case then opens the line its runs talk
// to. A suite derives from RunSuite and says only what differs; a suite's own init() or
// cleanup() calls these first.
class RunSuite : public QObject
{
    Q_OBJECT
protected:
    // shown: each case's window is shown and exposed (a list's popup opens only then).
    explicit RunSuite(bool shown = false) : m_shown(shown) {}

    MainWin& win() const { return fx->win(); }
    WindowDoor door() const { return fx->door(); }
    // A scripted line installed as the window's device, not yet opened, in line.
    void installScripted();
    // A scripted line opened in the window, in line.
    void openScripted();
    // As openScripted, then the message window cleared, which also drops what the port received
    // on opening, and the line's record cleared again: the case starts from nothing.
    void openScriptedClean();
    // A clean simulated unit, "SIM" opened in the window as a user does.
    void openSim();
    // A clean simulated unit opened through a recording device, in simLine.
    void openRecordedSim();
    // Makes the window the active one, so that keys typed go to it.
    void activate();
    // A new window, shown and active, in place of the case's: for a case that types into it.
    void showActiveWindow();

    std::unique_ptr<WindowFixture> fx;
    std::shared_ptr<ScriptedLine> line;
    std::shared_ptr<RecordedSimLine> simLine;

protected slots:
    void initTestCase();
    void init();
    void cleanup();

private:
    bool m_shown;
};
