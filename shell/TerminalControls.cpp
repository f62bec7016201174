// The Terminal Window's controls: display mode, the Shortcuts with the channel selector, the
// message window, the control-line boxes and the command input.
#include "shell/ChannelSpinner.h"
#include "shell/ControlLayout.h"
#include "shell/MainWin.h"
#include "shell/WrapButton.h"
#include "terminal/LogFont.h"
#include "terminal/MsgLogView.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace layout;

void MainWin::buildTerminal(QWidget* client)
{
    TerminalFrame = frame(client, QStringLiteral("TerminalFrame"),
                          QStringLiteral("Terminal Window"), 0, 2760, 9015, 4815);
    RxShowMode = dropDownList(TerminalFrame, QStringLiteral("RxShowMode"),
                              {QStringLiteral("chars"), QStringLiteral("hex")});
    RxShowMode->setToolTip(QStringLiteral("Select how Terminal output shall be displayed."));
    put(RxShowMode, 6, 24, 68);
    announce(RxShowMode, QStringLiteral("Display mode"));

    TerminalShortcutsFrame = frame(TerminalFrame, QStringLiteral("TerminalShortcutsFrame"),
                                   QStringLiteral("Shortcuts"), 0, 1200, 1215, 3615);
    // The buttons top to bottom, with the channel selector after "Set Ch.".
    struct Shortcut {
        int index;
        const char* caption;
        const char* tip;
    };
    const Shortcut shortcuts[] = {
        {3, "Query", "Send '?' to query current modem settings."},
        {2, "Set Ch.", "Send command to set current channel."},
        {5, "Enb.Ext.Ch", nullptr},
        {0, "Tx Pwr On", "Send command to turn on Transmitter Power."},
        {1, "Tx Pwr Off", "Send command to turn off Transmitter Power."},
        {4, "Config", "Send command to turn off Transmitter Power."},
        {7, "Save Current Settings", "Send command to save current modem settings in EEPROM."},
    };
    int y = 16;
    for (const Shortcut& s : shortcuts) {
        const QString caption = QString::fromLatin1(s.caption);
        const bool twoLines = s.index == 7;
        QPushButton* button = twoLines ? new WrapButton(caption, TerminalShortcutsFrame)
                                       : new QPushButton(caption, TerminalShortcutsFrame);
        button->setObjectName(QStringLiteral("CmdMacroByIndexBtn_%1").arg(s.index));
        const int height = twoLines ? 40 : kRowHeight;
        put(button, 4, y, 73, height);
        if (s.tip)
            button->setToolTip(QString::fromLatin1(s.tip));
        // A click must take the focus, so that a channel typed in the box is applied first.
        button->setFocusPolicy(Qt::StrongFocus);
        CmdMacroByIndexBtn.insert(s.index, button);
        y += height + 2;
        if (s.index == 2) {
            auto* box = named(new QLineEdit(TerminalShortcutsFrame), QStringLiteral("UpDownWin_3"));
            put(box, 4, y + 6, 54, kRowHeight);
            announce(box, QStringLiteral("Channel"));
            UpDownWin.insert(3, box);
            auto* spinner =
                named(new ChannelSpinner(TerminalShortcutsFrame), QStringLiteral("UpDown_3"));
            spinner->setRange(1, 40);
            spinner->setSingleStep(1);
            spinner->setPageStep(1);
            spinner->setValue(1);
            put(spinner, 60, y, 17, 34);
            announce(spinner, QStringLiteral("Channel spinner"));
            UpDown.insert(3, spinner);
            y += 36;
        }
    }

    TerminalOutputFrame = frame(TerminalFrame, QStringLiteral("TerminalOutputFrame"),
                                QStringLiteral("Messages / Received Data"), 1200, 240, 7815, 4575);
    const int outputRight = TerminalOutputFrame->width() - 4;
    MsgWin = named(new MsgLogView(TerminalOutputFrame), QStringLiteral("MsgWin"));
    MsgWin->setFont(logFont());
    MsgWin->setEditTriggers(QAbstractItemView::NoEditTriggers);
    MsgWin->setSelectionMode(QAbstractItemView::SingleSelection);
    put(MsgWin, 4, 16, outputRight - 4, 3180 / kTwipsPerPixel);
    announce(MsgWin, QStringLiteral("Message window"));

    const int lines = 231;
    CmdRTSCbox = named(new QCheckBox(QStringLiteral("RTS/Cmd"), TerminalOutputFrame),
                       QStringLiteral("CmdRTSCbox"));
    CmdRTSCbox->setToolTip(
        QStringLiteral("Set or clear RTS to enable or disable Modem command mode."));
    CmdBreakCbox = named(new QCheckBox(QStringLiteral("Break"), TerminalOutputFrame),
                         QStringLiteral("CmdBreakCbox"));
    CmdBreakCbox->setToolTip(
        QStringLiteral("Send Break condition (NOTE: cleared when RTS is toggled)"));
    CmdSendTypingImmediately =
        named(new QCheckBox(QStringLiteral("Send chars immediately as typed"), TerminalOutputFrame),
              QStringLiteral("CmdSendTypingImmediately"));
    int x = put(CmdRTSCbox, 6, lines);
    x = put(CmdBreakCbox, x + 10, lines);
    put(CmdSendTypingImmediately, x + 10, lines);

    // The input line, then the terminator that "Send Again" adds and the button itself.
    const int input = lines + 23;
    CmdInputWin =
        editableCombo(new QComboBox(TerminalOutputFrame), QStringLiteral("CmdInputWin"), {}, {});
    CmdInputWin->setToolTip(QStringLiteral("Type here to send commands or data to Modem, or select "
                                           "a previously typed string to Send Again."));
    announce(CmdInputWin, QStringLiteral("Command input"));
    Label2 = named(new QLabel(QStringLiteral("Send line terminator:"), TerminalOutputFrame),
                   QStringLiteral("Label2"));
    EOL = editableCombo(new QComboBox(TerminalOutputFrame), QStringLiteral("EOL"),
                        {QStringLiteral("NONE"), QStringLiteral("CR"), QStringLiteral("LF"),
                         QStringLiteral("CRLF"), QStringLiteral("\\0d\\0a")},
                        QStringLiteral("EOL"));
    EOL->setToolTip(
        QStringLiteral("Select a line terminator to be sent when Send Again is pressed."));
    announce(EOL, QStringLiteral("Send line terminator"));
    // Screen readers take the list's label from its caption.
    Label2->setBuddy(EOL);
    CmdSendAgainBtn = named(new QPushButton(QStringLiteral("Send Again"), TerminalOutputFrame),
                            QStringLiteral("CmdSendAgainBtn"));
    const int againWidth = qMax(80, CmdSendAgainBtn->sizeHint().width());
    const int againX = outputRight - againWidth;
    const int eolWidth = qMax(64, EOL->sizeHint().width());
    const int eolX = againX - 6 - eolWidth;
    const int labelX = eolX - 4 - Label2->sizeHint().width();
    put(CmdInputWin, 6, input, labelX - 8 - 6);
    Label2->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    put(Label2, labelX, input, 0, kRowHeight);
    put(EOL, eolX, input, eolWidth);
    put(CmdSendAgainBtn, againX, input, againWidth, kRowHeight);
    Label1 = named(new QLabel(QStringLiteral("(Enter arbitrary bytes in hex as \"\\hh\", example: "
                                             "\"Hello\\0d\\0a\")"),
                              TerminalOutputFrame),
                   QStringLiteral("Label1"));
    put(Label1, 8, input + 25);
}
