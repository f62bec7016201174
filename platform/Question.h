// What a question to the user is: its buttons and answers, and the prefix of every box title.
#pragma once

#include <QString>

// Every box title starts with this, followed by the subject.
inline const QString kTitlePrefix = QStringLiteral("Modem Config - ");

enum class MsgButtons { Ok, OkCancel };
enum class MsgAnswer { Ok, Cancel };
