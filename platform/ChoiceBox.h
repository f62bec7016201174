// A box that offers a choice of actions: the one function every caller uses, and the responder
// tests install.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

// Shows a window-modal box without icon over parent with one button per choice, the first the
// default and the last the one Escape presses. Returns the index of the button pressed.
// While a responder is installed, it answers instead.
int askChoice(QWidget* parent, const QString& text, const QString& title,
              const QStringList& choices);

using ChoiceResponder =
    std::function<int(const QString& text, const QString& title, const QStringList& choices)>;

// Installs (or, with an empty function, removes) the responder that answers every choice box.
void setChoiceResponder(ChoiceResponder responder);
