// The "Simulated modem" tool window: LEDs, the unit's settings, power-cycle and simulation knobs.
#include "modemsim/SimToolWindow.h"

#include "modemsim/SimulatedModem.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

namespace
{

QPointer<SimToolWindow> g_window;

void destroyWindow()
{
    delete g_window.data();
}

QLabel* makeLed(QWidget* parent, const QString& name)
{
    auto* led = new QLabel(parent);
    led->setObjectName(name);
    led->setFixedSize(14, 14);
    return led;
}

// An LED is a filled circle: its colour when lit, dark grey when not. "lit" tells tests.
void setLed(QLabel* led, bool lit, const char* colour)
{
    led->setProperty("lit", lit);
    led->setStyleSheet(QStringLiteral("border-radius: 7px; border: 1px solid #444; background: %1;")
                           .arg(QLatin1String(lit ? colour : "#555")));
}

QLabel* makeValue(QWidget* parent, const QString& name)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    return label;
}

const qint32 kBaudRates[] = {1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200};

} // namespace

SimToolWindow::SimToolWindow(SimulatedModem& modem, QWidget* parent)
    : QWidget(parent, Qt::Window), m_modem(&modem)
{
    setObjectName(QStringLiteral("SimToolWindow"));
    setWindowTitle(QStringLiteral("Simulated modem"));
    // Appearing when "SIM" opens must not take the keyboard from the main window.
    setAttribute(Qt::WA_ShowWithoutActivating);

    auto* panel = new QGroupBox(QStringLiteral("Unit"), this);
    auto* leds = new QHBoxLayout;
    PowerLed = makeLed(panel, QStringLiteral("PowerLed"));
    CommandLed = makeLed(panel, QStringLiteral("CommandLed"));
    TransmitterLed = makeLed(panel, QStringLiteral("TransmitterLed"));
    const std::pair<QLabel*, const char*> ledCaptions[] = {
        {PowerLed, "Power/STATUS"}, {CommandLed, "Command mode"}, {TransmitterLed, "Transmitter"}};
    for (const auto& [led, caption] : ledCaptions) {
        leds->addWidget(led);
        leds->addWidget(new QLabel(QString::fromLatin1(caption), panel));
        leds->addSpacing(8);
    }
    leds->addStretch();
    auto* values = new QFormLayout;
    ChannelValue = makeValue(panel, QStringLiteral("ChannelValue"));
    StationValue = makeValue(panel, QStringLiteral("StationValue"));
    FirmwareValue = makeValue(panel, QStringLiteral("FirmwareValue"));
    SavedValue = makeValue(panel, QStringLiteral("SavedValue"));
    PacketsValue = makeValue(panel, QStringLiteral("PacketsValue"));
    values->addRow(QStringLiteral("Channel:"), ChannelValue);
    values->addRow(QStringLiteral("Station:"), StationValue);
    values->addRow(QStringLiteral("Firmware:"), FirmwareValue);
    values->addRow(QStringLiteral("Settings:"), SavedValue);
    values->addRow(QStringLiteral("Packets sent/echoed:"), PacketsValue);
    PowerCycleButton = new QPushButton(QStringLiteral("Power-cycle"), panel);
    PowerCycleButton->setObjectName(QStringLiteral("PowerCycleButton"));
    auto* panelLayout = new QVBoxLayout(panel);
    panelLayout->addLayout(leds);
    panelLayout->addLayout(values);
    panelLayout->addWidget(PowerCycleButton);

    auto* knobs = new QGroupBox(QStringLiteral("Simulation"), this);
    auto* form = new QFormLayout(knobs);
    FirmwareBox = new QComboBox(knobs);
    FirmwareBox->setObjectName(QStringLiteral("FirmwareBox"));
    FirmwareBox->setEditable(true);
    FirmwareBox->addItems({QStringLiteral("1.30"), QStringLiteral("1.23"), QStringLiteral("1.22"),
                           QStringLiteral("1.10")});
    StationBox = new QComboBox(knobs);
    StationBox->setObjectName(QStringLiteral("StationBox"));
    StationBox->addItems({QStringLiteral("Base"), QStringLiteral("Mobile")});
    BaudBox = new QComboBox(knobs);
    BaudBox->setObjectName(QStringLiteral("BaudBox"));
    for (const qint32 rate : kBaudRates)
        BaudBox->addItem(QString::number(rate), rate);
    PartnerBox = new QCheckBox(QStringLiteral("Partner present"), knobs);
    PartnerBox->setObjectName(QStringLiteral("PartnerBox"));
    LossBox = new QSpinBox(knobs);
    LossBox->setObjectName(QStringLiteral("LossBox"));
    LossBox->setRange(0, 100);
    LossBox->setSuffix(QStringLiteral(" %"));
    IgnoreBox = new QCheckBox(QStringLiteral("Ignore commands"), knobs);
    IgnoreBox->setObjectName(QStringLiteral("IgnoreBox"));
    form->addRow(QStringLiteral("Firmware version:"), FirmwareBox);
    form->addRow(QStringLiteral("Station type:"), StationBox);
    form->addRow(QStringLiteral("Modem baud rate:"), BaudBox);
    form->addRow(PartnerBox);
    form->addRow(QStringLiteral("Loss rate:"), LossBox);
    form->addRow(IgnoreBox);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(panel);
    layout->addWidget(knobs);

    connect(PowerCycleButton, &QPushButton::clicked, this, [this] {
        if (m_modem)
            m_modem->powerCycle();
    });
    connect(FirmwareBox, &QComboBox::editTextChanged, this, [this](const QString& text) {
        if (m_modem && !text.isEmpty())
            m_modem->setFirmwareVersion(text.toLatin1());
    });
    connect(StationBox, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (m_modem)
            m_modem->setStation(index == 1);
    });
    connect(BaudBox, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (m_modem && index >= 0)
            m_modem->setBaudRate(BaudBox->itemData(index).toInt());
    });
    connect(PartnerBox, &QCheckBox::toggled, this, [this](bool on) {
        if (m_modem)
            m_modem->setPartnerPresent(on);
    });
    connect(LossBox, &QSpinBox::valueChanged, this, [this](int percent) {
        if (m_modem)
            m_modem->setLossRate(percent / 100.0);
    });
    connect(IgnoreBox, &QCheckBox::toggled, this, [this](bool on) {
        if (m_modem)
            m_modem->setIgnoreCommands(on);
    });
    connect(&modem, &SimulatedModem::stateChanged, this, &SimToolWindow::refresh);
    refresh();
}

void SimToolWindow::refresh()
{
    if (!m_modem)
        return;
    const SimulatedModem& m = *m_modem;
    const ModemSettings s = m.settings();
    setLed(PowerLed, m.isPowered(), "#3c3");
    setLed(CommandLed, m.inCommandMode(), "#fc3");
    setLed(TransmitterLed, m.isPowered() && s.transmitterOn, "#f33");
    ChannelValue->setText(
        QStringLiteral("%1 (%2)").arg(s.channel).arg(QLatin1Char(channelCharacter(s.channel))));
    StationValue->setText(s.mobile ? QStringLiteral("Mobile") : QStringLiteral("Base"));
    FirmwareValue->setText(QString::fromLatin1(m.firmwareVersion()));
    SavedValue->setText(m.settingsSaved() ? QStringLiteral("saved") : QStringLiteral("unsaved"));
    PacketsValue->setText(QStringLiteral("%1 / %2").arg(m.packetsSent()).arg(m.packetsEchoed()));

    // Showing the state is not a change made by the user: the knobs' handlers stay quiet.
    const QSignalBlocker b1(FirmwareBox), b2(StationBox), b3(BaudBox), b4(PartnerBox), b5(LossBox),
        b6(IgnoreBox);
    const QString firmware = QString::fromLatin1(m.firmwareVersion());
    if (FirmwareBox->currentText() != firmware)
        FirmwareBox->setEditText(firmware);
    StationBox->setCurrentIndex(s.mobile ? 1 : 0);
    // A rate outside the list (set through the API) shows as no selection.
    BaudBox->setCurrentIndex(BaudBox->findData(m.lineSettings().baud));
    PartnerBox->setChecked(m.partnerPresent());
    LossBox->setValue(qRound(m.lossRate() * 100));
    IgnoreBox->setChecked(m.ignoresCommands());
}

namespace
{
// The first time it opens, the tool window goes beside the program's window rather than on top
// of it. Under Wayland the compositor alone places windows.
void placeBesideMainWindow(QWidget* tool)
{
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        return;
    const QWidget* main = nullptr;
    for (const QWidget* w : QApplication::topLevelWidgets())
        if (w != tool && w->isVisible() && qobject_cast<const QMainWindow*>(w))
            main = w;
    if (!main || !main->screen())
        return;
    tool->adjustSize();
    // The tool's frame is not known before it shows; the main window's stands in for it.
    const QSize decoration = main->frameGeometry().size() - main->size();
    const QPoint frameAt = besideWindow(main->frameGeometry(), tool->size() + decoration,
                                        main->screen()->availableGeometry());
    tool->move(frameAt);
}
} // namespace

QPoint besideWindow(const QRect& main, QSize size, const QRect& room, int gap)
{
    const QRect right(QPoint(main.right() + 1 + gap, main.top()), size);
    const QRect left(QPoint(main.left() - gap - size.width(), main.top()), size);
    const QRect below(QPoint(main.left(), main.bottom() + 1 + gap), size);
    const QRect sides[] = {right, left, below};
    for (int side = 0; side < 3; ++side) {
        QRect at = sides[side];
        // Slid along its side into the screen where the room ends before it does.
        if (side < 2)
            at.moveTop(qMax(room.top(), qMin(at.top(), room.bottom() + 1 - at.height())));
        else
            at.moveLeft(qMax(room.left(), qMin(at.left(), room.right() + 1 - at.width())));
        if (room.contains(at) && !at.intersects(main))
            return at.topLeft();
    }
    // No room for both: as far right as the screen allows.
    return {qMax(room.left(), room.right() + 1 - size.width()), qMax(room.top(), main.top())};
}

void showSimToolWindow(SimulatedModem& modem)
{
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return;
    const bool first = !g_window;
    if (first) {
        g_window = new SimToolWindow(modem);
        // Widgets must be gone before the application object.
        qAddPostRoutine(destroyWindow);
    }
    g_window->refresh();
    if (first)
        placeBesideMainWindow(g_window);
    g_window->show();
}

void hideSimToolWindow()
{
    if (g_window)
        g_window->hide();
}

SimToolWindow* simToolWindow()
{
    return g_window.data();
}
