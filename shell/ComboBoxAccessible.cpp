// How screen readers see the window's lists: the choice, and the label it belongs to.
#include "shell/ComboBoxAccessible.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

namespace
{
// The popup list selects the entry at row, as it does for the choice when it opens. Qt moves the
// popup's selection only then and on a pick, so a choice the program makes would leave screen
// readers reading the one before. The popup list announces its change of selection itself; its
// current entry is not one the pointer rests on, so the list does not report it as highlighted.
void selectInPopup(QComboBox* list, int row)
{
    QItemSelectionModel* selection = list->view()->selectionModel();
    if (!selection)
        return;
    const QSignalBlocker quiet(list);
    selection->setCurrentIndex(
        list->model()->index(row, list->modelColumn(), list->rootModelIndex()),
        QItemSelectionModel::ClearAndSelect);
}

// A combo box for assistive technology: its text as name and value, its caption or label, the
// popup list as its first child and, when it is editable, the text field as its second.
class ComboBoxAccessible : public QAccessibleWidget
{
public:
    // From now on the popup's selection follows every change of choice that the list announces.
    explicit ComboBoxAccessible(QComboBox* combo) : QAccessibleWidget(combo, QAccessible::ComboBox)
    {
        QObject::connect(combo, &QComboBox::currentIndexChanged, combo,
                         [combo](int index) { selectInPopup(combo, index); });
    }

    QString text(QAccessible::Text t) const override
    {
        // The bridge reads the choice from the name, and announces a change of choice as a
        // change of name.
        if (t == QAccessible::Name || t == QAccessible::Value)
            return combo()->currentText();
        // A list without a caption on screen carries its label as its description.
        if (t == QAccessible::Description && !caption() && !combo()->accessibleName().isEmpty())
            return combo()->accessibleName();
        return QAccessibleWidget::text(t);
    }

    // Labelled by its own caption only: Qt would add the title of the frame around it.
    QList<QPair<QAccessibleInterface*, QAccessible::Relation>>
    relations(QAccessible::Relation match) const override
    {
        auto found = QAccessibleWidget::relations(
            QAccessible::Relation(match & ~QAccessible::Relation(QAccessible::Label)));
        if (match & QAccessible::Label) {
            if (QLabel* label = caption())
                found.append({QAccessible::queryAccessibleInterface(label), QAccessible::Label});
        }
        return found;
    }

    int childCount() const override { return combo()->isEditable() ? 2 : 1; }

    QAccessibleInterface* child(int index) const override
    {
        if (index == 0)
            return QAccessible::queryAccessibleInterface(combo()->view());
        if (index == 1 && combo()->isEditable())
            return QAccessible::queryAccessibleInterface(combo()->lineEdit());
        return nullptr;
    }

    int indexOfChild(const QAccessibleInterface* child) const override
    {
        if (!child)
            return -1;
        if (child->object() == combo()->view())
            return 0;
        if (combo()->isEditable() && child->object() == combo()->lineEdit())
            return 1;
        return -1;
    }

    QAccessibleInterface* childAt(int x, int y) const override
    {
        if (!combo()->isEditable())
            return nullptr;
        const QLineEdit* edit = combo()->lineEdit();
        const QRect onScreen(edit->mapToGlobal(QPoint(0, 0)), edit->size());
        return onScreen.contains(x, y) ? child(1) : nullptr;
    }

    // The text field never has the focus itself (the combo box is its focus proxy), yet it is
    // where typing goes.
    QAccessibleInterface* focusChild() const override
    {
        return combo()->isEditable() ? child(1) : nullptr;
    }

    QStringList actionNames() const override
    {
        return QAccessibleWidget::actionNames() << showMenuAction() << pressAction();
    }

    void doAction(const QString& action) override
    {
        if (action != showMenuAction() && action != pressAction()) {
            QAccessibleWidget::doAction(action);
            return;
        }
        if (combo()->view()->isVisible())
            combo()->hidePopup();
        else
            combo()->showPopup();
    }

private:
    QComboBox* combo() const { return static_cast<QComboBox*>(widget()); }

    // The caption beside the list on screen: a label of the same container whose buddy it is.
    QLabel* caption() const
    {
        const QWidget* container = combo()->parentWidget();
        if (!container)
            return nullptr;
        for (QLabel* label : container->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
            if (label->buddy() == combo() && !label->isHidden() && !label->text().isEmpty())
                return label;
        }
        return nullptr;
    }
};

// The interface of a combo box may be made before the window names it, so every combo box gets
// this one and it reads the name when asked.
QAccessibleInterface* comboBoxFactory(const QString& className, QObject* object)
{
    if (className != QLatin1String("QComboBox"))
        return nullptr;
    auto* combo = qobject_cast<QComboBox*>(object);
    return combo ? new ComboBoxAccessible(combo) : nullptr;
}
} // namespace

void installComboBoxAccessible()
{
    static const bool installed = [] {
        QAccessible::installFactory(comboBoxFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

void setChoice(QComboBox* list, int index)
{
    if (index < 0 || index >= list->count())
        return;
    // As on a pick, the popup has selected the entry before Qt announces the new value (on the
    // desktop's bridge, a change of name and of selection).
    selectInPopup(list, index);
    list->setCurrentIndex(index);
}
