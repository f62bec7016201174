// The "Simulated modem" window: the unit's front panel and the knobs of the simulation.
#pragma once

#include <QPoint>
#include <QPointer>
#include <QRect>
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
// Where a window of size (frame included) goes beside the main window's frame within the room of
// the screen: to its right, else to its left, else below it, never over it while the screen has
// room for both; otherwise at the screen's right edge.
QPoint besideWindow(const QRect& main, QSize size, const QRect& room, int gap = 8);

void showSimToolWindow(SimulatedModem& modem);
void hideSimToolWindow();
// The tool window if it has been made, else null.
SimToolWindow* simToolWindow();
