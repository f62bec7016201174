// The control inventory: the client area, the Comm. Settings strip, the Modem Configurator and
// the menus; the Terminal Window and the Test Console have files of their own.
#include "serial/BaudRates.h"
#include "shell/AppIcon.h"
#include "shell/ComboBoxAccessible.h"
#include "shell/ControlLayout.h"
#include "shell/ControlLayoutGrowth.h"
#include "shell/MainWin.h"
#include "shell/PortComboBox.h"

#include <QCheckBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>

using namespace layout;

void MainWin::buildControls()
{
    installComboBoxAccessible();
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("ClientArea"));
    // The designed size is the least and the first; the window may grow beyond it.
    client->setMinimumSize(kClientWidth, kClientHeight);
    client->resize(kClientWidth, kClientHeight);
    // The design's form font was an 8 pt sans serif; the captions are sized for it.
    client->setFont(sansFont(8, false));
    setCentralWidget(client);
    setWindowTitle(kDesignCaption);
    setWindowIcon(appIcon());

    // Controls are created in reading order. Widths follow the captions' natural sizes, so that
    // nothing is clipped in any font.
    buildCommSettings(client);
    buildConfigurator(client);
    buildTerminal(client);
    buildTestConsole(client);
    buildMenus();
    announceCaptions(this);
    Panels_Park();
    Growth = windowGrowth();
    client->installEventFilter(this);
    orderTabs();
    // Typing at start-up goes to the modem, not into the port name.
    CmdInputWin->setFocus();
}

void MainWin::buildCommSettings(QWidget* client)
{
    GeneralFrame = frame(client, QStringLiteral("GeneralFrame"), QStringLiteral("Comm. Settings"),
                         0, 0, 9015, 615);
    CommPort = editableCombo(new PortComboBox(GeneralFrame), QStringLiteral("CommPort"),
                             {QStringLiteral("COM1"), QStringLiteral("COM2"),
                              QStringLiteral("COM3"), QStringLiteral("COM4")},
                             QStringLiteral("CommPort"));
    for (int i = 0; i < 4; ++i)
        CommPort->setItemData(i, i + 1);
    CommOpenCbox = named(new QCheckBox(QStringLiteral("Open Comm Port?"), GeneralFrame),
                         QStringLiteral("CommOpenCbox"));
    CommFormat =
        editableCombo(new QComboBox(GeneralFrame), QStringLiteral("CommFormat"),
                      {QStringLiteral("N,8,1"), QStringLiteral("E,8,1")}, QStringLiteral("N,8,1"));
    CommBaud = dropDownList(GeneralFrame, QStringLiteral("CommBaud"), baudRates());
    int x = put(CommPort, 8, 15, 150);
    x = put(CommOpenCbox, x + 10, 15);
    x = put(CommFormat, x + 10, 15, 72);
    put(CommBaud, x + 8, 15, 84);
    announce(CommPort, QStringLiteral("Comm port"));
    announce(CommFormat, QStringLiteral("Data format"));
    announce(CommBaud, QStringLiteral("Baud rate"));
    Label3 = named(new QLabel(QStringLiteral("Tarvex"), GeneralFrame), QStringLiteral("Label3"));
    Label3->setFont(sansFont(24, true));
    Label3->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // The logo is taller than the strip's inner area; it sits over the frame's right end.
    const int logoWidth = Label3->sizeHint().width();
    Label3->setGeometry(GeneralFrame->width() - 6 - logoWidth, 1, logoWidth,
                        GeneralFrame->height() - 2);
}

void MainWin::buildConfigurator(QWidget* client)
{
    UsercfgFrame = frame(client, QStringLiteral("UsercfgFrame"),
                         QStringLiteral("Modem Configurator"), 0, 600, 9015, 2175);
    Label6 =
        named(new QLabel(QStringLiteral("I want to:"), UsercfgFrame), QStringLiteral("Label6"));
    put(Label6, 12, 18);
    CfgRestoreFactory =
        named(new QRadioButton(QStringLiteral("Restore Modem to Factory Defaults"), UsercfgFrame),
              QStringLiteral("CfgRestoreFactory"));
    put(CfgRestoreFactory, 24, 38);
    CfgChangeMode = named(new QRadioButton(QStringLiteral("Restore the Mode to:"), UsercfgFrame),
                          QStringLiteral("CfgChangeMode"));
    CfgNewDeviceConfig =
        dropDownList(UsercfgFrame, QStringLiteral("CfgNewDeviceConfig"),
                     {QStringLiteral("PBASIC"), QStringLiteral("Factory Defaults")});
    CfgChangeChannel =
        named(new QRadioButton(QStringLiteral("Change the Channel to:"), UsercfgFrame),
              QStringLiteral("CfgChangeChannel"));
    CfgNewChannel = dropDownList(UsercfgFrame, QStringLiteral("CfgNewChannel"),
                                 {QStringLiteral("4"), QStringLiteral("13"), QStringLiteral("22"),
                                  QStringLiteral("31"), QStringLiteral("40")});
    // The two lists line up after the longer of their options' captions.
    const int listX = 24 + widest({CfgChangeMode, CfgChangeChannel}) + 8;
    put(CfgChangeMode, 24, 62);
    put(CfgNewDeviceConfig, listX, 61, 130);
    put(CfgChangeChannel, 24, 88);
    put(CfgNewChannel, listX, 87, 60);
    announce(CfgNewDeviceConfig, QStringLiteral("Mode to restore"));
    announce(CfgNewChannel, QStringLiteral("Channel to set"));
    CfgQuery = named(
        new QRadioButton(QStringLiteral("Query my Modem's Current Configuration"), UsercfgFrame),
        QStringLiteral("CfgQuery"));
    put(CfgQuery, 24, 114);
    CfgDoIt =
        named(new QPushButton(QStringLiteral("Do It"), UsercfgFrame), QStringLiteral("CfgDoIt"));
    CfgDoIt->setFont(sansFont(12, true));
    put(CfgDoIt, 400, 28, 150, 42);
    Label7 = named(new QLabel(QStringLiteral("Note: Modem will be left in Command Mode after "
                                             "configuration; uncheck RTS/Cmd for data mode."),
                              UsercfgFrame),
                   QStringLiteral("Label7"));
    Label7->setWordWrap(true);
    Label7->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    put(Label7, 360, 82, 232, 56);
}

void MainWin::buildMenus()
{
    menuFile = named(menuBar()->addMenu(QStringLiteral("&File")), QStringLiteral("menuFile"));
    menuFileOpen =
        entry(menuFile, QStringLiteral("menuFileOpen"), QStringLiteral("&Open Config..."), false);
    menuFileSaveAs = entry(menuFile, QStringLiteral("menuFileSaveAs"),
                           QStringLiteral("&Save Config As..."), false);
    menuFile->addSeparator();
    // Ticked, and naming its folder, while records are kept.
    menuFileKeepRecords = entry(menuFile, QStringLiteral("menuFileKeepRecords"),
                                QStringLiteral("Keep &Records..."), true);
    menuFileKeepRecords->setCheckable(true);
    // Off at start: a lost port stays closed unless the user asks for it to be reopened.
    menuFileReconnect = entry(menuFile, QStringLiteral("menuFileReconnect"),
                              QStringLiteral("Reconnect &Automatically"), true);
    menuFileReconnect->setCheckable(true);
    // Greyed while no run is under way, so that Esc then keeps its meaning for the control that
    // has the focus.
    menuFileStopRun =
        entry(menuFile, QStringLiteral("menuFileStopRun"), QStringLiteral("Sto&p Run"), false);
    menuFileStopRun->setShortcut(QKeySequence(Qt::Key_Escape));
    menuFile->addSeparator();
    menuExit = entry(menuFile, QStringLiteral("menuExit"), QStringLiteral("&Exit"), true);
    menuLog = named(menuBar()->addMenu(QStringLiteral("&Log")), QStringLiteral("menuLog"));
    menuLogClear = entry(menuLog, QStringLiteral("menuLogClear"), QStringLiteral("Clea&r"), true);
    // Greyed until the user clears lines that can be brought back.
    menuLogUndoClear =
        entry(menuLog, QStringLiteral("menuLogUndoClear"), QStringLiteral("&Undo Clear"), false);
    menuLogCopy =
        entry(menuLog, QStringLiteral("menuLogCopy"), QStringLiteral("&Copy to Clipboard"), true);
    menuLogSave =
        entry(menuLog, QStringLiteral("menuLogSave"), QStringLiteral("&Save to File..."), true);
    menuLogSave->setShortcut(QKeySequence::Save);
    // Greyed until a run has cleared the window and its lines are kept.
    menuLogSavePrevious = entry(menuLog, QStringLiteral("menuLogSavePrevious"),
                                QStringLiteral("Save &Previous Run..."), false);
    menuLogShowTimes =
        entry(menuLog, QStringLiteral("menuLogShowTimes"), QStringLiteral("Show &Times"), true);
    menuLogShowTimes->setCheckable(true);
    menuFactory =
        named(menuBar()->addMenu(QStringLiteral("&Factory")), QStringLiteral("menuFactory"));
    menuOptionsShowHideShortcuts =
        entry(menuFactory, QStringLiteral("menuOptionsShowHideShortcuts"),
              QStringLiteral("Toggle Terminal &Shortcuts"), true);
    menuOptionsShowHideTestConsole =
        entry(menuFactory, QStringLiteral("menuOptionsShowHideTestConsole"),
              QStringLiteral("Toggle Modem &Configurator"), true);
    // Its handler does nothing, so the entry is shown greyed like the others without an action.
    menuViewChangeLog = entry(menuFactory, QStringLiteral("menuViewChangeLog"),
                              QStringLiteral("View Change &History"), false);
    menuFactory->addSeparator();
    menuFactoryResults = entry(menuFactory, QStringLiteral("menuFactoryResults"),
                               QStringLiteral("&Results..."), true);
    menuHelp = named(menuBar()->addMenu(QStringLiteral("&Help")), QStringLiteral("menuHelp"));
    menuHelpOnlineHelp = entry(menuHelp, QStringLiteral("menuHelpOnlineHelp"),
                               QStringLiteral("&Online Help"), false);
    menuHelpAbout =
        entry(menuHelp, QStringLiteral("menuHelpAbout"), QStringLiteral("&About..."), true);
}
