// Building the command lists of the initialisation scripts from a run's flags and firmware.
#include "script/CommandLists.h"

#include <array>

namespace
{

const QByteArray kMultiMode = QByteArrayLiteral("-MultiMode");

struct KnownScript {
    const char* initId;
    qint32 requiredBaud;
};

constexpr std::array<KnownScript, 9> kScripts{{
    {"Noop", 0},
    {"SetChannel", 0},
    {"Factory Defaults", 0},
    {"RestoreFactory", 0},
    {"NORMAL", 9600},
    {"FAST", 9600},
    {"PBASIC", 9600},
    {"RM2", 19200},
    {"Teamboard", 9600},
}};

} // namespace

ScriptPreparation prepareScript(ScriptFlags flags, const QByteArray& initId)
{
    ScriptPreparation prep;
    prep.initId = initId;
    prep.finalCommand = QByteArrayLiteral("Fx");
    const qsizetype cut = initId.indexOf(kMultiMode);
    if (cut >= 0) {
        prep.initId = initId.left(cut);
        prep.finalCommand = QByteArrayLiteral("Fe");
    }
    prep.stationCommand =
        flags.testFlag(ScriptFlag::Mobile) ? QByteArrayLiteral("Sm") : QByteArrayLiteral("Sb");
    if (flags.testFlag(ScriptFlag::AskStation))
        prep.stationCommand = QByteArrayLiteral("S?");
    for (const KnownScript& script : kScripts) {
        if (prep.initId == script.initId) {
            prep.known = true;
            prep.requiredBaud = script.requiredBaud;
        }
    }
    return prep;
}

VersionCommands versionCommands(const FirmwareVersion& version)
{
    if (version.hasNewCommands())
        return {"Ya", "Yl", "Rn", "Rf", "P0", QByteArrayLiteral("W") + char(112)};
    return {"Ra", "Rl", "", "", "PN", QByteArrayLiteral("W") + char(48)};
}

std::optional<QByteArray> channelCommand(int channel)
{
    const int code = 48 + channel;
    if (code < 0 || code > 255)
        return std::nullopt;
    return QByteArrayLiteral("C") + char(code);
}

ConfigurationList configurationList(const ScriptPreparation& prep, ScriptFlags flags,
                                    const FirmwareVersion& version, int channel)
{
    const VersionCommands v = versionCommands(version);
    const QByteArray& s = prep.stationCommand;
    const QByteArray& x = prep.finalCommand;
    const QByteArray& id = prep.initId;
    ConfigurationList list;
    if (id == "SetChannel") {
        if (const auto command = channelCommand(channel))
            list.commands = {*command};
    } else if (id == "Factory Defaults" || id == "RestoreFactory") {
        list.commands = {"Dr"};
    } else if (id == "NORMAL" || id == "FAST") {
        // "W" and a NUL: two characters, the second code 0.
        list.commands = {s, "CF", v.l, "Mn", QByteArray("W\0", 2), "PO", "Tn", "An", v.f, x};
    } else if (id == "PBASIC") {
        if (flags.testFlag(ScriptFlag::Console)) {
            list.commands = {s, "CF", v.l, "Mb", v.pbasicW, v.pbasicPower, "Tn", "Af", v.n, x};
        } else {
            list.commands = {"CF", "Mb", v.pbasicW, v.pbasicPower, "Tn", "Af", v.n};
            list.eitherReply = true;
        }
    } else if (id == "RM2") {
        list.commands = {s, "CF", "Mr", "PH", "Tf", "An", v.f, x};
    } else if (id == "Teamboard") {
        list.commands = {s, "CF", v.l, "Mc", "W0", "PL", "Tn", "Af", v.f, x};
    }
    return list;
}

QList<QByteArray> radioPrelude(const FirmwareVersion& version)
{
    const VersionCommands v = versionCommands(version);
    return {"Fe", v.a, "Mr", "Eq5vn", "PH", "Tn", "An", v.f};
}
