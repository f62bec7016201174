// The one way a session asks the user something or tells them: the window shows its boxes, the
// command line writes to standard error and answers from its options or the terminal.
#pragma once

#include "platform/Question.h"

#include <QString>
#include <optional>

class SessionQuestions
{
public:
    virtual ~SessionQuestions() = default;

    // A box with that text and title; a box with only OK informs.
    virtual MsgAnswer ask(const QString& text, const QString& title, MsgButtons buttons) = 0;
    // One line of text (the unit's label), prefilled; nothing when the user cancels.
    virtual std::optional<QString> askText(const QString& title, const QString& label,
                                           const QString& prefill) = 0;
    // Cancels the question that is open, if any (a stop during a power-cycle box).
    virtual void cancelOpen() = 0;
};
