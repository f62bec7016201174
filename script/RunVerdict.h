// How a run ended, shown at a glance as the colour of the test-state line.
#pragma once

#include <QColor>

class QLineEdit;

enum class RunVerdict { None, Clean, WithErrors, Aborted };

RunVerdict runVerdict(bool aborted, qint16 errors);

// Light backgrounds that dark text stays legible on, whatever the desktop theme.
QColor verdictBackground(RunVerdict verdict);

// Colours the line's background after the verdict, with dark text; None gives the line back the
// colours of the desktop theme.
void showVerdict(QLineEdit* line, RunVerdict verdict);
