#include "list/filtercontrols.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QStyledItemDelegate>
#include <QWheelEvent>

using namespace Qt::StringLiterals;

namespace {

bool isEnter(const QKeyEvent *event)
{
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

// Opening a drop-down list or switching to another window does not leave the control.
bool leavesControl(const QFocusEvent *event)
{
    return event->reason() != Qt::PopupFocusReason &&
           event->reason() != Qt::ActiveWindowFocusReason;
}

// Entries of one fixed height.
class FixedHeightDelegate final : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        return {QStyledItemDelegate::sizeHint(option, index).width(), FilterItemHeight};
    }
};

// The wheel scrolls the window, not the value of a control the user is not working in.
bool wheelChangesValue(QWidget *control, QWheelEvent *event)
{
    if (control->hasFocus())
        return true;
    event->ignore();
    return false;
}

} // namespace

FilterComboBox::FilterComboBox(QWidget *parent)
    : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(NoInsert);
    setCompleter(nullptr);
    setItemDelegate(new FixedHeightDelegate(this));
}

void FilterComboBox::keyPressEvent(QKeyEvent *event)
{
    if (isEnter(event)) {
        event->accept();
        Q_EMIT enterPressed();
        return;
    }
    QComboBox::keyPressEvent(event);
}

void FilterComboBox::focusOutEvent(QFocusEvent *event)
{
    QComboBox::focusOutEvent(event);
    if (leavesControl(event))
        Q_EMIT focusLeft();
}

void FilterComboBox::wheelEvent(QWheelEvent *event)
{
    if (wheelChangesValue(this, event))
        QComboBox::wheelEvent(event);
}

void FilterLineEdit::keyPressEvent(QKeyEvent *event)
{
    if (isEnter(event)) {
        event->accept();
        Q_EMIT enterPressed();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void FilterLineEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    if (leavesControl(event))
        Q_EMIT focusLeft();
}

DropDownComboBox::DropDownComboBox(QWidget *parent)
    : QComboBox(parent)
{
    // Some styles open a non-editable list at full height over the control, ignoring
    // maxVisibleItems; the list style of popup honours it.
    setStyleSheet(u"QComboBox { combobox-popup: 0; }"_s);
    setItemDelegate(new FixedHeightDelegate(this));
}

void DropDownComboBox::showPopup()
{
    Q_EMIT droppedDown();
    QComboBox::showPopup();
}

void DropDownComboBox::keyPressEvent(QKeyEvent *event)
{
    if (!event->text().isEmpty())
        Q_EMIT keyTyped();
    QComboBox::keyPressEvent(event);
}

void DropDownComboBox::focusOutEvent(QFocusEvent *event)
{
    QComboBox::focusOutEvent(event);
    if (leavesControl(event))
        Q_EMIT focusLeft();
}

void DropDownComboBox::wheelEvent(QWheelEvent *event)
{
    if (wheelChangesValue(this, event))
        QComboBox::wheelEvent(event);
}
