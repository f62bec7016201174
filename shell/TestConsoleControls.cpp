// The Test Console's controls: configuration and station, the Do Test options, baud settings,
// the after-test options, the state line with the radio test's progress and the statistics.
#include "script/RadioTestProgress.h"
#include "script/RadioTestTables.h"
#include "serial/BaudRates.h"
#include "shell/ControlLayout.h"
#include "shell/MainWin.h"
#include "shell/StateLine.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

using namespace layout;

void MainWin::buildTestConsole(QWidget* client)
{
    TestConsoleFrame = frame(client, QStringLiteral("TestConsoleFrame"),
                             QStringLiteral("Test Console"), 0, 7680, 9015, 2175);
    // Filled, so that a change of its background colour shows.
    TestConsoleFrame->setAutoFillBackground(true);
    TestDeviceConfig = dropDownList(TestConsoleFrame, QStringLiteral("TestDeviceConfig"), {});
    // Wide enough for the longest configuration name that start-up puts in the list.
    const int configWidth = qMax(150, TestDeviceConfig->fontMetrics().horizontalAdvance(
                                          QStringLiteral("Teamboard-MultiMode")) +
                                          36);
    put(TestDeviceConfig, 8, 16, configWidth);
    announce(TestDeviceConfig, QStringLiteral("Device configuration"));
    TestConfigurationFrame = frame(TestConsoleFrame, QStringLiteral("TestConfigurationFrame"),
                                   QStringLiteral("Modem Configuration"), 120, 720, 2055, 495);
    // The design's 137 x 33 frame cannot hold two option buttons under its caption.
    TestConfigurationFrame->setGeometry(8, 41, configWidth, 56);
    TestIsBase =
        named(new QRadioButton(QStringLiteral("BASE (chrome ant.)"), TestConfigurationFrame),
              QStringLiteral("TestIsBase"));
    TestIsMobile =
        named(new QRadioButton(QStringLiteral("MOBILE (rubber ant.)"), TestConfigurationFrame),
              QStringLiteral("TestIsMobile"));
    put(TestIsBase, 6, 16);
    put(TestIsMobile, 6, 35);

    TestConfigOnly = named(new QCheckBox(QStringLiteral("Cfg only?"), TestConsoleFrame),
                           QStringLiteral("TestConfigOnly"));
    TestTestOnly = named(new QCheckBox(QStringLiteral("Test only?"), TestConsoleFrame),
                         QStringLiteral("TestTestOnly"));
    TestDoIt = named(new QPushButton(QStringLiteral("Do Test"), TestConsoleFrame),
                     QStringLiteral("TestDoIt"));
    const int doX = 8 + configWidth + 8;
    const int doWidth = qMax(80, widest({TestConfigOnly, TestTestOnly}));
    put(TestConfigOnly, doX, 17);
    put(TestTestOnly, doX, 37);
    put(TestDoIt, doX, 62, doWidth, 30);

    const int baudX = doX + doWidth + 8;
    Label5 = named(new QLabel(QStringLiteral("Set Modem Baud To:"), TestConsoleFrame),
                   QStringLiteral("Label5"));
    TestSetBaudTo =
        dropDownList(TestConsoleFrame, QStringLiteral("TestSetBaudTo"),
                     {QStringLiteral("Standard"), QStringLiteral("DontSet"), QStringLiteral("2400"),
                      QStringLiteral("4800"), QStringLiteral("9600"), QStringLiteral("19200")});
    TestSaveTxPwrOnCbox =
        named(new QCheckBox(QStringLiteral("SAVE with Tx Pwr ON"), TestConsoleFrame),
              QStringLiteral("TestSaveTxPwrOnCbox"));
    TestBaudswap = named(new QPushButton(QStringLiteral("baudswap"), TestConsoleFrame),
                         QStringLiteral("TestBaudswap"));
    TestNewBaud = dropDownList(TestConsoleFrame, QStringLiteral("TestNewBaud"), baudRates());
    put(Label5, baudX, 16);
    put(TestSetBaudTo, baudX, 33, 84);
    put(TestSaveTxPwrOnCbox, baudX, 56);
    const int x =
        put(TestBaudswap, baudX, 76, qMax(70, TestBaudswap->sizeHint().width()), kRowHeight);
    put(TestNewBaud, x + 4, 76, 72, kRowHeight);
    announce(TestSetBaudTo, QStringLiteral("Set Modem Baud To"));
    // Screen readers take the list's label from its caption.
    Label5->setBuddy(TestSetBaudTo);
    announce(TestNewBaud, QStringLiteral("baudswap rate"));

    const int afterX = baudX + qMax(widest({Label5, TestSaveTxPwrOnCbox}), x + 4 + 72 - baudX) + 8;
    Label4 = named(new QLabel(QStringLiteral("After Test:"), TestConsoleFrame),
                   QStringLiteral("Label4"));
    TestLeaveInCmdModeCbox =
        named(new QCheckBox(QStringLiteral("...Leave RTS ON?"), TestConsoleFrame),
              QStringLiteral("TestLeaveInCmdModeCbox"));
    TestLeaveTxPwrOnCbox =
        named(new QCheckBox(QStringLiteral("...Leave Tx Pwr ON?"), TestConsoleFrame),
              QStringLiteral("TestLeaveTxPwrOnCbox"));
    TestLeaveTxPwrOnCbox->setChecked(true);
    TestSendInputWinAfterTestCbox =
        named(new QCheckBox(QStringLiteral("...Send InputWin as Cmd?"), TestConsoleFrame),
              QStringLiteral("TestSendInputWinAfterTestCbox"));
    put(Label4, afterX, 16);
    put(TestLeaveInCmdModeCbox, afterX, 34);
    put(TestLeaveTxPwrOnCbox, afterX, 54);
    put(TestSendInputWinAfterTestCbox, afterX, 74);

    // A verdict too long for the line is drawn smaller, never cut.
    TestStateWin = named(new StateLine(QStringLiteral("TestStateWin"), TestConsoleFrame),
                         QStringLiteral("TestStateWin"));
    TestStateWin->setFont(sansFont(24, false));
    announce(TestStateWin, QStringLiteral("Test state"));
    const int stateX = put(TestStateWin, 8, 98, 7695 / kTwipsPerPixel, 675 / kTwipsPerPixel);
    // The radio test's progress sits at the right end of the state line's box; while it is up the
    // state line's text ends before it, drawn smaller where it needs to (TestProgress_SetShown).
    TestProgress = named(new QProgressBar(TestStateWin), QStringLiteral("TestProgress"));
    TestProgress->setAccessibleName(QStringLiteral("Radio test progress"));
    TestProgress->setFont(sansFont(8, false));
    TestProgress->setRange(0, RadioTest::kRepetitions);
    TestProgress->setValue(0);
    TestProgress->setAlignment(Qt::AlignCenter);
    // Wide enough for the longest sentence it shows.
    const int progressWidth =
        TestProgress->fontMetrics().horizontalAdvance(RadioTest::progressText(40, 3, 3, 24, 24)) +
        24;
    TestProgress->setGeometry(TestStateWin->width() - progressWidth - 8, 8, progressWidth,
                              TestStateWin->height() - 16);
    TestProgress->hide();
    announce(TestProgress, QStringLiteral("Radio test progress"));
    // Runs that wait for the records folder are counted in the state line's lower left corner.
    RecordsWaiting = named(new QLabel(TestStateWin), QStringLiteral("RecordsWaiting"));
    RecordsWaiting->setFont(sansFont(7, false));
    RecordsWaiting->setGeometry(6, TestStateWin->height() - 15, TestStateWin->width() / 2, 13);
    RecordsWaiting->hide();
    announce(RecordsWaiting, QStringLiteral("Records waiting"));
    // What each statistics counter counts, by its index.
    const QMap<int, QString> counted = {{8, QStringLiteral("Overruns")},
                                        {9, QStringLiteral("Receive buffer overflows")},
                                        {10, QStringLiteral("Framing errors")}};
    for (int i = 8; i <= 10; ++i) {
        auto* view = named(new QLineEdit(QStringLiteral("0"), TestConsoleFrame),
                           QStringLiteral("StatsView_%1").arg(i));
        announce(view, counted.value(i));
        view->setToolTip(counted.value(i));
        view->setReadOnly(true);
        view->setAlignment(Qt::AlignRight);
        // Three counters stand beside the state line, a third of its height each; a small font
        // keeps their digits whole in that height whatever the desktop's font.
        view->setFrame(false);
        view->setFont(sansFont(7, false));
        put(view, stateX + 20, 98 + (i - 8) * 15, 615 / kTwipsPerPixel, 14);
        StatsView.insert(i, view);
    }
}

void MainWin::TestProgress_SetShown(bool shown)
{
    TestProgress->setVisible(shown);
    // The state line's text ends before the progress display, so neither covers the other.
    TestStateWin->setTextMargins(0, 0, shown ? TestStateWin->width() - TestProgress->x() : 0, 0);
}
