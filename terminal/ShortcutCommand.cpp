// The shortcut buttons' commands.
#include "terminal/ShortcutCommand.h"
#include "terminal/ChannelText.h"

QByteArray shortcutCommand(int index, int channel)
{
    switch (index) {
    case 0:
        return QByteArrayLiteral("Tn");
    case 1:
        return QByteArrayLiteral("Tf");
    case 2:
        return QByteArrayLiteral("C") + channelChar(channel);
    case 3:
        return QByteArrayLiteral("?");
    case 4:
        // The configuration prefix and its command go out as one write.
        return QByteArrayLiteral("**") + QByteArrayLiteral("Fe");
    case 5:
        return QByteArrayLiteral("Eq5vn");
    case 7:
        return QByteArrayLiteral("Ds");
    default:
        return {};
    }
}
