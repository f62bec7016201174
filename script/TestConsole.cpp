// The Test Console: "Do Test" and the baud-rate swap.
#include "platform/MSComm.h"
#include "serial/BaudRates.h"
#include "session/SessionOptions.h"
#include "session/UnitSession.h"

void UnitSession::TestDoIt_Click()
{
    // The unit is asked for only where a run can start; a closed port is reported by the run.
    if (MSComm1->PortOpen() && !Records_AskUnit())
        return;
    if (Options.configOnly())
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

void UnitSession::Test_RunConfig()
{
    Test_RunScript(QStringLiteral("Config"), consoleFlags(Options.mobile()),
                   Options.deviceConfig().toLatin1(), QString(), QByteArray());
}

void UnitSession::Test_RunTest()
{
    Test_RunScript(QStringLiteral("Test"), consoleFlags(Options.mobile()),
                   Options.deviceConfig().toLatin1(), QString(), QByteArrayLiteral("perf"));
}

// The rate is 32-bit wide so that 38400, 57600 and 115200 swap like the others.
void UnitSession::SetCommBaud(qint32 rate)
{
    if (BaudText.toInt() == rate)
        return;
    TestNewBaud_Set(BaudText);
    // Selecting the rate in the baud list runs its change handler, which re-opens the port.
    CommBaud_Set(QString::number(rate));
}

void UnitSession::TestBaudswap_Click()
{
    const QString rate = TestNewBaud;
    TestNewBaud_Set(BaudText);
    SetCommBaud(rate.toInt());
}

// The modem's next rate is one of the list's rates; another text chooses nothing.
void UnitSession::TestNewBaud_Set(const QString& text)
{
    if (text == TestNewBaud || !baudRates().contains(text))
        return;
    TestNewBaud = text;
    emit testNewBaudChanged(text);
}
