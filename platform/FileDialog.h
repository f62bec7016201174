// Save dialogs: the one function every caller uses, and the responder tests install.
#pragma once

#include <QString>
#include <functional>

class QWidget;

// Asks where to save a file, in a window-modal save dialog over parent that starts in the folder
// of suggested with its file name filled in, adds the suggested name's suffix to a name typed
// without one, and asks before replacing a file. Returns the chosen path, or an empty text when
// the user cancels. While a responder is installed, it answers instead.
QString saveFileDialog(QWidget* parent, const QString& title, const QString& suggested,
                       const QString& filter);

using SaveFileResponder = std::function<QString(const QString& title, const QString& suggested)>;

// Installs (or, with an empty function, removes) the responder that answers every save dialog.
void setSaveFileResponder(SaveFileResponder responder);
