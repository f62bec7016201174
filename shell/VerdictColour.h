// The test-state line's colours for each verdict of a run.
#pragma once

#include "script/RunVerdict.h"

#include <QColor>

class QLineEdit;

// Light backgrounds that dark text stays legible on, whatever the desktop theme.
QColor verdictBackground(RunVerdict verdict);

// Colours the line's background after the verdict, with dark text; None gives the line back the
// colours of the desktop theme.
void showVerdict(QLineEdit* line, RunVerdict verdict);
