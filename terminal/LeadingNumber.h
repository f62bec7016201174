// Reading the decimal number a text begins with: a typed channel, a firmware version.
#pragma once

#include <QByteArrayView>

// The decimal number a text begins with: blanks (spaces, tabs), a sign, then digits with at most
// one decimal point ("1.25" gives 1.25, "1.3b" gives 1.3, " -.5" gives -0.5, "1.2.3" gives 1.2).
// The value is the nearest double to the digits; a number too large for a double gives the
// largest double of its sign. A text that does not begin with a number gives 0.
double leadingNumber(QByteArrayView text);
