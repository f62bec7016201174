// The flag word of a run: which variant of the script it is.
#pragma once

#include <QFlags>

enum class ScriptFlag : int {
    Mobile = 1,        // the unit is a mobile station ("Sm", mobile test channels)
    Console = 2,       // a factory Test Console run
    StayInCmdMode = 4, // leave the modem in command mode at the end
    AskStation = 8,    // ask the modem whether it is base or mobile ("S?")
    NoPowerCycle = 16, // establishing communication opens no dialogs
    NoSave = 32,       // nothing is saved to EEPROM
};
Q_DECLARE_FLAGS(ScriptFlags, ScriptFlag)
Q_DECLARE_OPERATORS_FOR_FLAGS(ScriptFlags)
