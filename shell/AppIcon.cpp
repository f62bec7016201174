// The program's icon, compiled into the core library from the pictures in dist/.
#include "shell/AppIcon.h"

QIcon appIcon()
{
    // The core library is static, so nothing would pull its resources into the program
    // unless they are registered by name here; registering twice is harmless.
    Q_INIT_RESOURCE(AppIcon);
    QIcon icon;
    icon.addFile(QStringLiteral(":/icons/48.png"), QSize(48, 48));
    icon.addFile(QStringLiteral(":/icons/256.png"), QSize(256, 256));
    return icon;
}
