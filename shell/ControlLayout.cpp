// Small helpers that build the window's controls at their designed places and with their names.
#include "shell/ControlLayout.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QEvent>
#include <QLineEdit>
#include <QRadioButton>

namespace layout
{
namespace
{
// Turning the wheel over a closed editable list would replace what the user typed there with a
// list entry. The turn is passed on to the frame around the list instead, which ignores it.
class KeepTextOnWheel : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Wheel)
            return QObject::eventFilter(watched, event);
        event->ignore();
        return true;
    }
};

// A caption as it is spoken: "&&" stands for an ampersand, a single "&" marks the mnemonic.
QString spoken(const QString& caption)
{
    QString text;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption.at(i) == QLatin1Char('&') && ++i == caption.size())
            break;
        text += caption.at(i);
    }
    return text;
}

// Labels are left out: a label is announced by its text as it stands, and some labels are
// rewritten while the program runs.
QString captionOf(const QWidget* widget)
{
    if (const auto* box = qobject_cast<const QGroupBox*>(widget))
        return box->title();
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
        return button->text();
    if (const auto* menu = qobject_cast<const QMenu*>(widget))
        return menu->title();
    return {};
}
} // namespace

QGroupBox* frame(QWidget* parent, const QString& name, const QString& caption, int left, int top,
                 int width, int height)
{
    auto* box = new QGroupBox(caption, parent);
    box->setObjectName(name);
    box->setGeometry(left / kTwipsPerPixel, top / kTwipsPerPixel, width / kTwipsPerPixel,
                     height / kTwipsPerPixel);
    return box;
}

QFont sansFont(int pointSize, bool bold)
{
    QFont font(QStringLiteral("Sans Serif"), pointSize, bold ? QFont::Bold : QFont::Normal);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

QComboBox* dropDownList(QWidget* parent, const QString& name, const QStringList& items)
{
    auto* combo = named(new QComboBox(parent), name);
    combo->addItems(items);
    combo->setCurrentIndex(-1);
    return combo;
}

QComboBox* editableCombo(QComboBox* combo, const QString& name, const QStringList& items,
                         const QString& text)
{
    combo->setObjectName(name);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    // No inline completion: in immediate mode every character typed must be what is sent.
    combo->setCompleter(nullptr);
    combo->addItems(items);
    combo->setCurrentIndex(-1);
    combo->setEditText(text);
    combo->installEventFilter(new KeepTextOnWheel(combo));
    return combo;
}

void announce(QWidget* widget, const QString& name)
{
    widget->setAccessibleName(name);
    if (auto* combo = qobject_cast<QComboBox*>(widget); combo && combo->lineEdit())
        combo->lineEdit()->setAccessibleName(name);
}

void announceCaptions(QWidget* root)
{
    for (QWidget* widget : root->findChildren<QWidget*>()) {
        const QString caption = captionOf(widget);
        if (!caption.isEmpty() && widget->accessibleName().isEmpty())
            widget->setAccessibleName(spoken(caption));
    }
}

int put(QWidget* widget, int x, int y, int width, int height)
{
    QSize natural = widget->sizeHint();
    // Check boxes and option buttons stand in rows 19 or 20 pixels apart; a desktop font with tall
    // line spacing (Noto Sans) makes the style ask for more, though the text fits in 19.
    if (qobject_cast<QCheckBox*>(widget) || qobject_cast<QRadioButton*>(widget))
        natural.setHeight(qMin(natural.height(), kOptionHeight));
    widget->setGeometry(x, y, width > 0 ? width : natural.width(),
                        height > 0 ? height : natural.height());
    return x + widget->width();
}

int widest(std::initializer_list<QWidget*> widgets)
{
    int width = 0;
    for (QWidget* w : widgets)
        width = qMax(width, w->sizeHint().width());
    return width;
}

QAction* entry(QMenu* menu, const QString& name, const QString& caption, bool hasAction)
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    action->setEnabled(hasAction);
    return action;
}

} // namespace layout
