#pragma once

#include <QAbstractItemView>
#include <QComboBox>
#include <QTest>

// Drop-down gestures as a user makes them, and the lookups around them, for the suites that
// drive filter controls.
namespace ComboBoxGestures {

// A control of `window` by its object name; a warning names a control that is not there.
template<typename T>
T *findControl(const QWidget &window, const char *name)
{
    auto *widget = window.findChild<T *>(QLatin1StringView(name));
    if (!widget)
        qWarning("no control %s", name);
    return widget;
}

inline QStringList itemTexts(const QComboBox *combo)
{
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i)
        texts.append(combo->itemText(i));
    return texts;
}

inline void focus(QWidget *widget)
{
    widget->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(widget->hasFocus());
}

// Types into the focused control and presses Enter. QTest types ASCII only; umlauts go in as
// text.
inline void typeAndEnter(QComboBox *combo, const QString &text)
{
    focus(combo);
    combo->setEditText(text);
    QTest::keyClick(combo, Qt::Key_Return);
}

// Opens the list, moves to the item, presses Enter.
inline void choose(QComboBox *combo, int index)
{
    combo->showPopup();
    QAbstractItemView *view = combo->view();
    QTRY_VERIFY(view->isVisible());
    view->setCurrentIndex(view->model()->index(index, 0));
    QTest::keyClick(view, Qt::Key_Return);
    QTRY_VERIFY(!view->isVisible());
}

} // namespace ComboBoxGestures
