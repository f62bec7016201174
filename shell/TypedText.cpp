// Applying a typed text on Enter or on leaving the box, the same way as a pick from the list.
#include "shell/TypedText.h"

#include <QComboBox>
#include <QLineEdit>
#include <memory>

void connectTypedText(QComboBox* box, std::function<void()> apply)
{
    auto applied = std::make_shared<QString>(box->currentText());
    QObject::connect(box, &QComboBox::currentIndexChanged, box,
                     [box, applied] { *applied = box->currentText(); });
    // The box's own handling of the same signal runs first: it picks a list entry that matches
    // the text exactly, which records it above.
    QObject::connect(box->lineEdit(), &QLineEdit::editingFinished, box,
                     [box, applied, apply = std::move(apply)] {
                         if (box->currentText() == *applied)
                             return;
                         *applied = box->currentText();
                         apply();
                     });
}
