// The message window's font: a family whose characters all have one width, so that columns of
// logged bytes line up whatever fonts the machine has.
#pragma once

#include <QFont>

// True when "i", "M", "W" and the space advance by the same width in font.
bool hasEqualAdvances(const QFont& font);

// Courier where it is installed, else DejaVu Sans Mono, Liberation Mono or Noto Sans Mono, else
// the system's fixed font: the first of them whose advances are equal, at the system fixed font's
// size. The system's fixed font when none of them is.
QFont logFont();
