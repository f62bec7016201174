// The "Simulated modem" window: the unit's front panel and the knobs of the simulation.
#pragma once

#include <QPointer>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;
class SimulatedModem;

// A top-level window of its own, so that the main window's window-modal boxes leave it usable:
// the user can power-cycle the unit while the program asks for it. Object names of the controls
// are those of the members.
class SimToolWindow : public QWidget
{
    Q_OBJECT
public:
    explicit SimToolWindow(SimulatedModem& modem, QWidget* parent = nullptr);

    // Shows the modem's state in every control.
    void refresh();

    QLabel* PowerLed = nullptr;
    QLabel* CommandLed = nullptr;
    QLabel* TransmitterLed = nullptr;
    QLabel* ChannelValue = nullptr;
    QLabel* StationValue = nullptr;
    QLabel* FirmwareValue = nullptr;
    QLabel* SavedValue = nullptr;
    QLabel* PacketsValue = nullptr;
    QPushButton* PowerCycleButton = nullptr;
    QComboBox* FirmwareBox = nullptr;
    QComboBox* StationBox = nullptr;
    QComboBox* BaudBox = nullptr;
    QCheckBox* PartnerBox = nullptr;
    QSpinBox* LossBox = nullptr;
    QCheckBox* IgnoreBox = nullptr;

private:
    QPointer<SimulatedModem> m_modem;
};

// Shows the process's tool window for the modem (made on first use; only in a widget
// application).
void showSimToolWindow(SimulatedModem& modem);
void hideSimToolWindow();
// The tool window if it has been made, else null.
SimToolWindow* simToolWindow();
