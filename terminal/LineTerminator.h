// The line terminators of the terminal and the escape text each one adds to a sent line.
#pragma once

#include <QByteArray>
#include <QString>

// "CR" -> "\0d", "LF" -> "\0a", "CRLF" -> "\0d\0a", "NONE" -> nothing (exact, case-sensitive);
// any other text, typed or picked, is itself the terminator.
QByteArray eolEscape(const QString& eolText);
