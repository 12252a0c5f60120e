#pragma once

#include <QComboBox>

// A combo box that announces when its drop-down list is about to open, so the owner can
// size the list.
class DropDownComboBox : public QComboBox
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DropDownComboBox)

public:
    using QComboBox::QComboBox;

    void showPopup() override
    {
        Q_EMIT droppedDown();
        QComboBox::showPopup();
    }

Q_SIGNALS:
    void droppedDown();
};
