// The Test Console: "Do Test", the baud-rate swap and the "Set Modem Baud To:" warning colour.
#include "platform/MSComm.h"
#include "shell/MainWin.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QRadioButton>

void MainWin::TestDoIt_Click()
{
    // The unit is asked for only where a run can start; a closed port is reported by the run.
    if (MSComm1->PortOpen() && !Records_AskUnit())
        return;
    if (TestConfigOnly->isChecked())
        Test_RunConfig();
    else
        Test_RunTest();
}

namespace
{

ScriptFlags consoleFlags(bool mobile)
{
    ScriptFlags flags = ScriptFlag::Console | ScriptFlag::NoPowerCycle;
    if (mobile)
        flags |= ScriptFlag::Mobile;
    return flags;
}

} // namespace

void MainWin::Test_RunConfig()
{
    Test_RunScript(QStringLiteral("Config"), consoleFlags(TestIsMobile->isChecked()),
                   TestDeviceConfig->currentText().toLatin1(), QString(), QByteArray());
}

void MainWin::Test_RunTest()
{
    Test_RunScript(QStringLiteral("Test"), consoleFlags(TestIsMobile->isChecked()),
                   TestDeviceConfig->currentText().toLatin1(), QString(),
                   QByteArrayLiteral("perf"));
}

// The rate is 32-bit wide so that 38400, 57600 and 115200 swap like the others.
void MainWin::SetCommBaud(qint32 rate)
{
    if (CommBaud->currentText().toInt() == rate)
        return;
    TestNewBaud->setCurrentText(CommBaud->currentText());
    // Selecting the rate in the baud list runs its change handler, which re-opens the port.
    CommBaud->setCurrentText(QString::number(rate));
}

void MainWin::TestBaudswap_Click()
{
    const QString rate = TestNewBaud->currentText();
    TestNewBaud->setCurrentText(CommBaud->currentText());
    SetCommBaud(rate.toInt());
}

void MainWin::TestSetBaudTo_Click()
{
    TestConsole_ShowBaudWarning();
}

void MainWin::TestConsole_ShowBaudWarning()
{
    // Any choice but "Standard" turns the console red as a warning.
    const QColor colour = TestSetBaudTo->currentText() != QStringLiteral("Standard")
                              ? QColor(Qt::red)
                              : TestConsoleBackColor;
    QPalette palette = TestConsoleFrame->palette();
    palette.setColor(TestConsoleFrame->backgroundRole(), colour);
    TestConsoleFrame->setPalette(palette);
    TestConsoleFrame->setAutoFillBackground(true);
}
