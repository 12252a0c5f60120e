#include "list/filtercontrols.h"

#include <QFocusEvent>
#include <QKeyEvent>

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

} // namespace

FilterComboBox::FilterComboBox(QWidget *parent)
    : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(NoInsert);
    setCompleter(nullptr);
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
