// Message boxes: the one function every caller uses, and the responder tests install.
#pragma once

#include "platform/Question.h"

#include <QString>
#include <functional>

class QWidget;

// Shows a window-modal box without icon over parent and returns the button pressed. Line feeds
// in the text are line breaks. While a responder is installed, it answers instead.
MsgAnswer messageBox(QWidget* parent, const QString& text, const QString& title,
                     MsgButtons buttons);

using MessageBoxResponder =
    std::function<MsgAnswer(const QString& text, const QString& title, MsgButtons buttons)>;

// Closes the box that is open, if any, as its Cancel (its only button when it has no Cancel).
void cancelOpenMessageBox();

// Installs (or, with an empty function, removes) the responder that answers every box.
void setMessageBoxResponder(MessageBoxResponder responder);
