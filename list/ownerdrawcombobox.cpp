#include "list/ownerdrawcombobox.h"

#include <QAbstractItemView>
#include <QStylePainter>
#include <QStyledItemDelegate>

namespace {

class OwnerDrawDelegate final : public QStyledItemDelegate
{
public:
    OwnerDrawDelegate(OwnerDrawComboBox *combo, int itemHeight)
        : QStyledItemDelegate(combo)
        , m_combo(combo)
        , m_itemHeight(itemHeight)
    {
    }

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override
    {
        m_combo->drawItem(*painter,
                          {index.row(), option.rect, option.state.testFlag(QStyle::State_Selected),
                           option.palette});
    }

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        return {QStyledItemDelegate::sizeHint(option, index).width(), m_itemHeight};
    }

private:
    OwnerDrawComboBox *m_combo;
    int m_itemHeight;
};

} // namespace

OwnerDrawComboBox::OwnerDrawComboBox(int itemHeight, QWidget *parent)
    : DropDownComboBox(parent)
{
    setItemDelegate(new OwnerDrawDelegate(this, itemHeight));
}

void OwnerDrawComboBox::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText.clear();
    option.currentIcon = {};
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    if (!m_draw || currentIndex() < 0)
        return;
    const QRect field =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    painter.setClipRect(field);
    drawItem(painter, {currentIndex(), field, hasFocus(), palette()});
}
