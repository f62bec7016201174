// The values one run of Test_Script works with, shared by its phases.
#pragma once

#include "script/CommandLists.h"
#include "script/FirmwareVersion.h"
#include "session/UnitSession.h"

struct UnitSession::ScriptRun {
    ScriptFlags flags;
    ScriptPreparation prep;
    int channel = 0;
    // The station type: the Mobile flag, or the modem's answer to "S?".
    bool mobile = false;
    FirmwareVersion version;
    ConfigurationList configuration;
    QList<QByteArray> radioPrelude;

    bool console() const { return flags.testFlag(ScriptFlag::Console); }
};
