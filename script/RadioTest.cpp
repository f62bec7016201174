// The radio test: a remote loopback of the test pattern on three channels, with a summary.
#include "script/RadioTestProgress.h"
#include "script/RadioTestTables.h"
#include "script/ScriptRun.h"
#include "session/SessionOptions.h"

#include <QScopeGuard>

bool UnitSession::runRadioTest(const ScriptRun& script)
{
    const auto& channels = RadioTest::channelsFor(script.mobile);
    std::array<qint16, RadioTest::kCounterCount> errors{};
    // The progress display names the channel under way, the repetition and its errors so far.
    // The record of the run keeps each channel's errors as they are counted.
    const auto noteChannel = [&](std::size_t p) {
        if (!RecordUnderWay)
            return;
        auto& noted = RecordUnderWay->channels;
        noted.resize(qMax(noted.size(), qsizetype(p) + 1));
        noted[qsizetype(p)] = {channels[p], errors[p]};
    };
    int done = 0;
    const auto showProgress = [&](std::size_t p, int repetition) {
        emit progressChanged(done,
                             RadioTest::progressText(channels[p], int(p) + 1, int(channels.size()),
                                                     repetition, errors[p]));
    };
    showProgress(0, 0);
    emit progressShown(true);
    const auto hideProgress = qScopeGuard([this] { emit progressShown(false); });
    Test_BeginStep(QStringLiteral("Setting up for Radio Test"));

    for (const QByteArray& entry : script.radioPrelude) {
        if (!entry.isEmpty() && !sendAndCheck(entry))
            return false;
    }

    for (std::size_t p = 0; p < channels.size(); ++p) {
        const int ch = channels[p];
        Test_BeginStep(QStringLiteral("Remote Loopback Ch#") + QStringLiteral(" ") +
                       QString::number(ch));
        showProgress(p, 0);
        noteChannel(p);
        Modem_SetCmdMode();
        if (!sendAndCheck(*channelCommand(ch)))
            return false;
        Modem_SetDataMode();
        for (int k = 1; k <= RadioTest::kRepetitionsPerChannel; ++k) {
            showProgress(p, k);
            // The state line counts the repetitions; the message window gets no line for them.
            StateText = QString::number(k);
            emit stateLineChanged(StateText);
            Modem_SendQuiet(RadioTest::kPattern, qint16(RadioTest::kPattern.size()),
                            RadioTest::kEchoWaitMs);
            // A lost, late, short or changed echo counts; it never stops the test. The user does.
            const bool failed = Modem_ExpectQuiet(RadioTest::kPattern);
            if (run.RunStopped())
                return false;
            if (failed) {
                ++errors[p];
                showProgress(p, k);
                noteChannel(p);
            }
            ++done;
            showProgress(p, k);
        }
    }

    Test_Log(QStringLiteral("Performance Summary:"));
    for (std::size_t p = 0; p < channels.size(); ++p)
        Test_Log(QStringLiteral("  ch#") + QStringLiteral(" ") + QString::number(channels[p]) +
                 QStringLiteral(":") + QStringLiteral(" ") + QString::number(errors[p]) +
                 QStringLiteral(" errs"));

    if (Options.leaveTxPowerOn()) {
        Test_Log(QStringLiteral("NOTE: Tx Pwr left ON (but saved as OFF)"));
        return true;
    }
    Test_Log(QStringLiteral("NOTE: Tx Pwr left OFF"));
    Modem_SetCmdMode();
    return sendAndCheck(QByteArrayLiteral("Tf"));
}
