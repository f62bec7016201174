// How a run ended, shown at a glance as the colour of the test-state line.
#pragma once

#include <QtGlobal>

enum class RunVerdict { None, Clean, WithErrors, Aborted };

RunVerdict runVerdict(bool aborted, qint16 errors);
