#pragma once

#include "list/filtercontrols.h"

#include <functional>

// A drop-down list whose items, and the face of the closed control, are drawn by the owner.
class OwnerDrawComboBox final : public DropDownComboBox
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(OwnerDrawComboBox)

public:
    struct DrawItem
    {
        int index;
        QRect rect;
        bool selected;
        QPalette palette;
    };
    using DrawFunction =
        std::function<void(QComboBox &control, QPainter &painter, const DrawItem &)>;

    OwnerDrawComboBox(int itemHeight, QWidget *parent = nullptr);

    void setDrawFunction(DrawFunction draw) { m_draw = std::move(draw); }
    void drawItem(QPainter &painter, const DrawItem &item) { m_draw(*this, painter, item); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    DrawFunction m_draw;
};
