// The recording message-box responder.
#include "support/MessageBoxRecorder.h"

#include <QtTest>

MessageBoxRecorder::MessageBoxRecorder()
{
    setMessageBoxResponder([this](const QString& text, const QString& title, MsgButtons buttons) {
        return respond(text, title, buttons);
    });
}

MessageBoxRecorder::~MessageBoxRecorder()
{
    setMessageBoxResponder({});
}

void MessageBoxRecorder::answer(MsgAnswer answer, std::function<void()> action)
{
    m_answers.append({answer, std::move(action)});
}

void MessageBoxRecorder::setObserver(std::function<void(const RecordedBox&)> observer)
{
    m_observer = std::move(observer);
}

MsgAnswer MessageBoxRecorder::respond(const QString& text, const QString& title, MsgButtons buttons)
{
    m_boxes.append({text, title, buttons});
    if (m_observer)
        m_observer(m_boxes.last());
    if (m_answers.isEmpty())
        return MsgAnswer::Ok;
    const Answer next = m_answers.takeFirst();
    if (next.action)
        next.action();
    return next.answer;
}

char* toString(const RecordedBox& box)
{
    const char* buttons = box.buttons == MsgButtons::Ok ? "Ok" : "OkCancel";
    return QTest::toString(QStringLiteral("[%1] %2: %3").arg(box.title, buttons, box.text));
}
