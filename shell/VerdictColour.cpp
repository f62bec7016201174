// The verdict colours of the test-state line: green for a clean run, amber for one with errors,
// red for an aborted one.
#include "shell/VerdictColour.h"

#include <QLineEdit>
#include <QPalette>

namespace
{
const QColor kVerdictText(0x1A, 0x1A, 0x1A);
} // namespace

QColor verdictBackground(RunVerdict verdict)
{
    switch (verdict) {
    case RunVerdict::Clean:
        return QColor(0xA5, 0xE8, 0xA0);
    case RunVerdict::WithErrors:
        return QColor(0xFF, 0xD2, 0x6E);
    case RunVerdict::Aborted:
        return QColor(0xFF, 0x9E, 0x9E);
    case RunVerdict::None:
        break;
    }
    return {};
}

void showVerdict(QLineEdit* line, RunVerdict verdict)
{
    if (verdict == RunVerdict::None) {
        // An empty palette drops the line's own colours; it takes the theme's again.
        if (line->testAttribute(Qt::WA_SetPalette))
            line->setPalette(QPalette());
        return;
    }
    // Only these roles are set, so the rest still follows the theme and the console frame.
    QPalette palette;
    palette.setColor(QPalette::Base, verdictBackground(verdict));
    palette.setColor(QPalette::Text, kVerdictText);
    line->setPalette(palette);
}
