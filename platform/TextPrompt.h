// A small box that asks for one line of text: the one function every caller uses, and the
// responder tests install.
#pragma once

#include <QString>
#include <functional>
#include <optional>

class QWidget;

// Shows a window-modal box over parent with a labelled input line holding prefill, selected, so
// that typing or a scanner replaces it and Enter accepts it. Returns the text, or nothing when
// the user cancels. While a responder is installed, it answers instead.
std::optional<QString> askText(QWidget* parent, const QString& title, const QString& label,
                               const QString& prefill);

using TextPromptResponder = std::function<std::optional<QString>(
    const QString& title, const QString& label, const QString& prefill)>;

// Installs (or, with an empty function, removes) the responder that answers every text prompt.
void setTextPromptResponder(TextPromptResponder responder);
