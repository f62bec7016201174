// The simulated modem seen from the main window, and its own "Simulated modem" window.
#include "modemsim/SimToolWindow.h"
#include "support/DataTable.h"
#include "support/EventLoop.h"
#include "support/SimModem.h"
#include "support/WindowFixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>

using EventLoop::runUntil;

class tst_modemsim_window : public QObject
{
    Q_OBJECT

    // Types a line into the terminal's command input and sends it with "Send Again", no
    // terminator.
    static void typeAndSend(WindowFixture& fx, const QString& text)
    {
        fx.control<QComboBox>("EOL")->setCurrentText(QStringLiteral("NONE"));
        fx.door().CmdInputWin()->setEditText(text);
        fx.control<QPushButton>("CmdSendAgainBtn")->click();
    }

    static bool logHas(const WindowFixture& fx, const QString& line)
    {
        return fx.logLines().contains(line);
    }

private slots:
    void init() { SimModem::reset(); }

    // Beside the main window: right, else left, else below, never over it while there is room.
    void toolWindowGoesBeside_data()
    {
        addColumns<QRect, QPoint>({"main", "expected"});
        QTest::newRow("room on the right") << QRect(100, 50, 600, 500) << QPoint(708, 50);
        QTest::newRow("main window at the right edge")
            << QRect(1000, 50, 600, 500) << QPoint(692, 50);
        QTest::newRow("maximised width, room below") << QRect(0, 0, 1600, 500) << QPoint(0, 508);
        QTest::newRow("low on the screen, slid up")
            << QRect(100, 900, 600, 100) << QPoint(708, 700);
        QTest::newRow("no room at all") << QRect(0, 0, 1600, 1000) << QPoint(1300, 0);
    }
    void toolWindowGoesBeside()
    {
        QFETCH(QRect, main);
        QFETCH(QPoint, expected);
        const QSize tool(300, 300);
        const QRect screen(0, 0, 1600, 1000);
        const QPoint at = besideWindow(main, tool, screen);
        QCOMPARE(at, expected);
        if (main.width() + tool.width() < screen.width() ||
            main.height() + tool.height() < screen.height())
            QVERIFY(!QRect(at, tool).intersects(main));
    }

    void typedCommandsAreAnswered()
    {
        WindowFixture fx;
        QVERIFY(SimModem::openInWindow(fx.win()));
        QVERIFY(logHas(fx, QStringLiteral("Open SIM for 9600,N,8,1")));
        SimulatedModem& modem = theSimulatedModem();
        QVERIFY(modem.hasPort());
        QVERIFY(runUntil([&] { return !modem.inCommandMode(); }, 100));

        fx.door().CmdRTSCbox()->setChecked(true);
        QVERIFY(runUntil([&] { return modem.inCommandMode(); }, 500));

        typeAndSend(fx, QStringLiteral(" "));
        QVERIFY2(runUntil([&] { return logHas(fx, QStringLiteral("ER")); }, 2000),
                 qPrintable(fx.logLines().join(QLatin1Char('|'))));
        typeAndSend(fx, QStringLiteral("V"));
        QVERIFY2(runUntil([&] { return logHas(fx, QStringLiteral("FW: 1.30  ")); }, 2000),
                 qPrintable(fx.logLines().join(QLatin1Char('|'))));
        QVERIFY(fx.boxes().isEmpty());

        fx.door().CommOpenCbox()->setChecked(false);
        QVERIFY(!modem.hasPort());
    }

    void toolWindowFollowsThePort()
    {
        SimulatedModem& modem = theSimulatedModem();
        modem.setToolWindowEnabled(true);
        WindowFixture fx;
        QVERIFY(SimModem::openInWindow(fx.win()));
        SimToolWindow* tool = simToolWindow();
        QVERIFY(tool);
        QVERIFY(tool->isVisible());
        QCOMPARE(tool->windowTitle(), QStringLiteral("Simulated modem"));
        // A window of its own, so that the main window's boxes leave it usable.
        QVERIFY(tool->isWindow());
        QVERIFY(!tool->parentWidget());
        fx.door().CommOpenCbox()->setChecked(false);
        QVERIFY(!tool->isVisible());
    }

    void toolWindowShowsAndDrivesTheUnit()
    {
        SimulatedModem& modem = theSimulatedModem();
        SimToolWindow tool(modem);
        QVERIFY(tool.PowerLed->property("lit").toBool());
        QCOMPARE(tool.FirmwareValue->text(), QStringLiteral("1.30"));
        QCOMPARE(tool.SavedValue->text(), QStringLiteral("saved"));

        ModemSettings changed = modem.settings();
        changed.channel = 22;
        changed.transmitterOn = false;
        modem.setSettings(changed);
        QTRY_COMPARE(tool.ChannelValue->text(), QStringLiteral("22 (F)"));
        QCOMPARE(tool.SavedValue->text(), QStringLiteral("unsaved"));
        QVERIFY(!tool.TransmitterLed->property("lit").toBool());

        tool.PowerCycleButton->click();
        QCOMPARE(modem.settings().channel, 1);
        QTRY_COMPARE(tool.ChannelValue->text(), QStringLiteral("1 (1)"));
        QVERIFY(tool.TransmitterLed->property("lit").toBool());

        tool.FirmwareBox->setCurrentText(QStringLiteral("1.22"));
        QCOMPARE(modem.firmwareVersion(), QByteArray("1.22"));
        tool.StationBox->setCurrentIndex(1);
        QVERIFY(modem.isMobile());
        QVERIFY(modem.savedSettings().mobile);
        tool.BaudBox->setCurrentText(QStringLiteral("19200"));
        QCOMPARE(modem.lineSettings().baud, 19200);
        tool.PartnerBox->setChecked(false);
        QVERIFY(!modem.partnerPresent());
        tool.LossBox->setValue(25);
        QCOMPARE(modem.lossRate(), 0.25);
        tool.IgnoreBox->setChecked(true);
        QVERIFY(modem.ignoresCommands());
        QVERIFY(!modem.answersCommands());

        // The window shows changes made elsewhere without sending them back.
        modem.resetToDefaults();
        QTRY_COMPARE(tool.BaudBox->currentText(), QStringLiteral("9600"));
        QCOMPARE(tool.StationBox->currentIndex(), 0);
        QVERIFY(tool.PartnerBox->isChecked());
        QCOMPARE(tool.LossBox->value(), 0);
        QVERIFY(!tool.IgnoreBox->isChecked());
        QCOMPARE(tool.FirmwareBox->currentText(), QStringLiteral("1.30"));
        QCOMPARE(modem.firmwareVersion(), QByteArray("1.30"));
    }
};

QTEST_MAIN(tst_modemsim_window)
#include "tst_modemsim_window.moc"
