// The one set-up of the suites that start runs.
#include "support/RunSuite.h"
#include "support/SimModem.h"

#include <QtTest>

void RunSuite::installScripted()
{
    line = ScriptedLine::install(win());
}

void RunSuite::openScripted()
{
    line = ScriptedLine::openIn(win());
    QVERIFY(line->isOpen());
}

void RunSuite::openScriptedClean()
{
    openScripted();
    win().session().MsgWin_Clear();
    line->clearRecord();
}

void RunSuite::openSim()
{
    SimModem::reset();
    QVERIFY(SimModem::openInWindow(win()));
}

void RunSuite::openRecordedSim()
{
    simLine = RecordedSimLine::openIn(win());
    QVERIFY(door().MSComm1()->PortOpen());
}

void RunSuite::activate()
{
    win().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&win()));
}

void RunSuite::showActiveWindow()
{
    fx = std::make_unique<WindowFixture>(true);
    activate();
}

void RunSuite::initTestCase()
{
    theSimulatedModem().setToolWindowEnabled(false);
}

void RunSuite::init()
{
    fx = std::make_unique<WindowFixture>(m_shown);
}

void RunSuite::cleanup()
{
    fx.reset();
    line.reset();
    simLine.reset();
}
