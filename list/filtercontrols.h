#pragma once

#include <QComboBox>
#include <QLineEdit>

// The kinds of filter control on the filter header. Each reports the events its filter
// reacts to as signals; leaving counts only when the focus goes to another control of the
// window, not to a drop-down list or another window. The mouse wheel changes a filter only
// while it has the focus, and every entry of a drop-down list is 12 pixels high.

// The height of an entry in the drop-down list of a filter.
inline constexpr int FilterItemHeight = 12;

// A free-text filter: an editable combo box whose drop-down list is its history. Enter is
// taken by the filter and not passed on.
class FilterComboBox final : public QComboBox
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FilterComboBox)

public:
    explicit FilterComboBox(QWidget *parent = nullptr);

Q_SIGNALS:
    void enterPressed();
    void focusLeft();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
};

// The edit of a lookup filter. Enter is taken by the filter and not passed on.
class FilterLineEdit final : public QLineEdit
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FilterLineEdit)

public:
    using QLineEdit::QLineEdit;

Q_SIGNALS:
    void enterPressed();
    void focusLeft();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
};

// A drop-down list. It announces that its list is about to open, so the owner can size the
// list, and every key that types a character, before the key acts. Its list shows at most
// maxVisibleItems() entries and scrolls beyond that.
class DropDownComboBox : public QComboBox
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DropDownComboBox)

public:
    explicit DropDownComboBox(QWidget *parent = nullptr);

    void showPopup() override;

Q_SIGNALS:
    void droppedDown();
    void keyTyped();
    void focusLeft();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
};
