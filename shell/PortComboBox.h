// The port list: an editable combo box that says when its list is about to open.
#pragma once

#include <QComboBox>

class PortComboBox : public QComboBox
{
    Q_OBJECT
public:
    using QComboBox::QComboBox;

    // Announces the opening first, so that the list can be refreshed before it is shown.
    void showPopup() override
    {
        emit popupAboutToShow();
        QComboBox::showPopup();
    }

signals:
    void popupAboutToShow();
};
