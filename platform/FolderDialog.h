// Folder choosers: the one function every caller uses, and the responder tests install.
#pragma once

#include <QString>
#include <functional>

class QWidget;

// Asks for an existing folder in a window-modal dialog over parent that starts in start.
// Returns the chosen folder, or an empty text when the user cancels. While a responder is
// installed, it answers instead.
QString chooseFolder(QWidget* parent, const QString& title, const QString& start);

using FolderResponder = std::function<QString(const QString& title, const QString& start)>;

// Installs (or, with an empty function, removes) the responder that answers every chooser.
void setFolderResponder(FolderResponder responder);
