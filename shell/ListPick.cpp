// Connecting a list whose pick is also an action: the handler runs for a pick of the shown entry.
#include "shell/ListPick.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QEvent>

namespace
{
// A user's pick of another entry changes the selection and is then announced as activated, in
// that order and in one go; a pick of the shown entry is only announced as activated. A pick
// from the list's popup starts with the popup opening, and picks by keys or the wheel always
// change the selection, so "changed since the popup opened" tells the two kinds of pick apart.
class PickWatcher : public QObject
{
public:
    PickWatcher(QComboBox* list, std::function<void()> handler)
        : QObject(list), m_handler(std::move(handler))
    {
        list->view()->installEventFilter(this);
        connect(list, &QComboBox::currentIndexChanged, this, [this] {
            m_changed = true;
            m_handler();
        });
        connect(list, &QComboBox::activated, this, [this] {
            if (!m_changed)
                m_handler();
            m_changed = false;
        });
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show)
            m_changed = false;
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_handler;
    bool m_changed = false;
};
} // namespace

void connectPick(QComboBox* list, std::function<void()> handler)
{
    new PickWatcher(list, std::move(handler));
}
