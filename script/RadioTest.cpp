// The radio test: a remote loopback of the test pattern on three channels, with a summary.
#include "script/RadioTestTables.h"
#include "script/ScriptRun.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QScopeGuard>

bool MainWin::runRadioTest(const ScriptRun& run)
{
    TestProgress->setValue(0);
    TestProgress->show();
    const auto hideProgress = qScopeGuard([this] { TestProgress->hide(); });
    Test_BeginStep(QStringLiteral("Setting up for Radio Test"));

    for (const QByteArray& entry : run.radioPrelude) {
        if (!entry.isEmpty() && !sendAndCheck(entry))
            return false;
    }

    std::array<qint16, RadioTest::kCounterCount> errors{};
    const auto& channels = RadioTest::channelsFor(run.mobile);
    int done = 0;
    for (std::size_t p = 0; p < channels.size(); ++p) {
        const int ch = channels[p];
        Test_BeginStep(QStringLiteral("Remote Loopback Ch#") + QStringLiteral(" ") +
                       QString::number(ch));
        Modem_SetCmdMode();
        if (!sendAndCheck(*channelCommand(ch)))
            return false;
        Modem_SetDataMode();
        for (int k = 1; k <= RadioTest::kRepetitionsPerChannel; ++k) {
            // The state line counts the repetitions; the message window gets no line for them.
            TestStateWin->setText(QString::number(k));
            Modem_SendQuiet(RadioTest::kPattern, qint16(RadioTest::kPattern.size()),
                            RadioTest::kEchoWaitMs);
            // A lost, late, short or changed echo counts; it never stops the test.
            if (Modem_ExpectQuiet(RadioTest::kPattern))
                ++errors[p];
            TestProgress->setValue(++done);
        }
    }

    Test_Log(QStringLiteral("Performance Summary:"));
    for (std::size_t p = 0; p < channels.size(); ++p)
        Test_Log(QStringLiteral("  ch#") + QStringLiteral(" ") + QString::number(channels[p]) +
                 QStringLiteral(":") + QStringLiteral(" ") + QString::number(errors[p]) +
                 QStringLiteral(" errs"));

    if (TestLeaveTxPwrOnCbox->isChecked()) {
        Test_Log(QStringLiteral("NOTE: Tx Pwr left ON (but saved as OFF)"));
        return true;
    }
    Test_Log(QStringLiteral("NOTE: Tx Pwr left OFF"));
    Modem_SetCmdMode();
    return sendAndCheck(QByteArrayLiteral("Tf"));
}
