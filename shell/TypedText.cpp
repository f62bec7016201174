// Applying a typed text on Enter or on leaving the box, the same way as a pick from the list.
#include "shell/TypedText.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>

namespace
{

// Watches one box: keeps the text last applied, and sees the user's Enter and leaving the box
// before the box itself does (keys and focus changes reach the box, not its line edit).
class TypedTextWatcher : public QObject
{
public:
    TypedTextWatcher(QComboBox* box, std::function<void()> apply)
        : QObject(box), m_box(box), m_applied(box->currentText()), m_apply(std::move(apply))
    {
        // A pick from the list, or a change of entry made in code, applies its text already.
        connect(box, &QComboBox::currentIndexChanged, this,
                [this] { m_applied = m_box->currentText(); });
        box->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != m_box)
            return false;
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter)
                applyTyped();
        } else if (event->type() == QEvent::FocusOut) {
            // The window losing the focus (another program, a message box, the window closing)
            // or the box's own list opening is not the user leaving the box.
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
                applyTyped();
        }
        return false;
    }

private:
    void applyTyped()
    {
        const QString text = m_box->currentText();
        if (text == m_applied)
            return;
        // A text that is an entry of the list is that entry picked; the pick's handler runs.
        const int entry = m_box->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (entry >= 0 && entry != m_box->currentIndex()) {
            m_box->setCurrentIndex(entry);
            return;
        }
        m_applied = text;
        m_apply();
    }

    QComboBox* m_box;
    QString m_applied;
    std::function<void()> m_apply;
};

} // namespace

void connectTypedText(QComboBox* box, std::function<void()> apply)
{
    new TypedTextWatcher(box, std::move(apply));
}
