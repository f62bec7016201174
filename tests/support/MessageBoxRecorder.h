// A message-box responder for tests: records every box and answers it from a queue.
#pragma once

#include "platform/MessageBox.h"

#include <QList>
#include <QString>
#include <functional>

struct RecordedBox {
    QString text;
    QString title;
    MsgButtons buttons = MsgButtons::Ok;

    friend bool operator==(const RecordedBox&, const RecordedBox&) = default;
};

// The box's title, buttons and text, for the message of a failed comparison of boxes.
char* toString(const RecordedBox& box);

// While it exists, every message box comes here instead of the screen. Each box is recorded,
// then answered with the next queued answer (Ok when the queue is empty). A queued answer may
// carry an action that runs before the box returns, as the user would act before clicking
// (e.g. power-cycling the simulated modem).
class MessageBoxRecorder
{
public:
    MessageBoxRecorder();
    ~MessageBoxRecorder();

    const QList<RecordedBox>& boxes() const { return m_boxes; }
    void clear() { m_boxes.clear(); }

    // Queues the answer to the next box not yet answered.
    void answer(MsgAnswer answer, std::function<void()> action = {});
    int pendingAnswers() const { return static_cast<int>(m_answers.size()); }

    // Called with each box after it is recorded and before it is answered.
    void setObserver(std::function<void(const RecordedBox&)> observer);

private:
    Q_DISABLE_COPY(MessageBoxRecorder)

    struct Answer {
        MsgAnswer answer;
        std::function<void()> action;
    };
    MsgAnswer respond(const QString& text, const QString& title, MsgButtons buttons);

    QList<RecordedBox> m_boxes;
    QList<Answer> m_answers;
    std::function<void(const RecordedBox&)> m_observer;
};
