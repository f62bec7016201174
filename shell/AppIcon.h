// The program's identity on the desktop: the id of its menu entry and the icon its windows show.
#pragma once

#include <QIcon>
#include <QString>

// The reverse-DNS id of the installed desktop entry; the installed icon carries the same name.
inline const QString kDesktopId = QStringLiteral("com.tarvexbrannoc.RadioModemConfigurator");

// The program's icon, from the same pictures that are installed for the desktop (48 and 256 px).
QIcon appIcon();
