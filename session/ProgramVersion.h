// The program's version, as the window's title, the About box and the command line show it.
#pragma once

#include <QString>

inline const QString kProgramVersion = QStringLiteral("1.05.1");
