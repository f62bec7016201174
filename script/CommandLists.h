// The command lists of the initialisation scripts: what a run sends to configure the modem.
#pragma once

#include "script/FirmwareVersion.h"
#include "script/ScriptFlags.h"

#include <QByteArray>
#include <QList>
#include <optional>

// What a run knows before it talks to the modem, from its flags and initId alone.
struct ScriptPreparation {
    bool known = false;        // the initId is one of the scripts
    QByteArray initId;         // without its "-MultiMode" suffix
    QByteArray finalCommand;   // "Fx", or "Fe" for a "-MultiMode" configuration
    QByteArray stationCommand; // "Sm", "Sb", or "S?" when the run asks the modem
    qint32 requiredBaud = 0;   // the port rate the configuration needs; 0 for any rate
};

ScriptPreparation prepareScript(ScriptFlags flags, const QByteArray& initId);

// The version-dependent commands.
struct VersionCommands {
    QByteArray a;           // "Ya" / "Ra"
    QByteArray l;           // "Yl" / "Rl"
    QByteArray n;           // "Rn" / none
    QByteArray f;           // "Rf" / none
    QByteArray pbasicPower; // "P0" / "PN"
    QByteArray pbasicW;     // "W" + p / "W0"
};

VersionCommands versionCommands(const FirmwareVersion& version);

// The radio channel as the modem takes it: "C" and the character of code 48 + channel. A channel
// whose character would not fit in one byte has no command.
std::optional<QByteArray> channelCommand(int channel);

// The configuration list of a run and how its replies are checked. An empty entry stands for a
// command the firmware does not have; nothing is sent for it.
struct ConfigurationList {
    QList<QByteArray> commands;
    // Every entry passes on "ER" + CR LF as well as on "OK" + CR LF.
    bool eitherReply = false;
};

// The list of a known initId; channel is read by "SetChannel" only. Empty when the channel has
// no command.
ConfigurationList configurationList(const ScriptPreparation& prep, ScriptFlags flags,
                                    const FirmwareVersion& version, int channel);

// The commands that prepare the modem for the radio test (empty entries as above).
QList<QByteArray> radioPrelude(const FirmwareVersion& version);
