#include "platform/qtdialogservice.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QWindow>

using namespace Qt::StringLiterals;

namespace {

QMessageBox::Icon toQt(MessageBoxSpec::Icon icon)
{
    switch (icon) {
    case MessageBoxSpec::Icon::Information:
        return QMessageBox::Information;
    case MessageBoxSpec::Icon::Question:
        return QMessageBox::Question;
    case MessageBoxSpec::Icon::Warning:
        return QMessageBox::Warning;
    case MessageBoxSpec::Icon::Error:
        return QMessageBox::Critical;
    case MessageBoxSpec::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

// The window a box belongs to. A box must never open behind a window that stays on top of
// the others (the splash window while the program starts), where the user would not see it.
QWidget *ownerOfBox()
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows) {
        if (window->isVisible() && window->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
            return window;
    }
    return QApplication::activeWindow();
}

} // namespace

DialogAnswer QtDialogService::show(const MessageBoxSpec &box)
{
    QWidget *owner = ownerOfBox();
    const bool onTop = owner && owner->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
    // A window that stays on top (the splash) may be closed and deleted by its timer while the
    // box is open; as the box's parent it would delete the box with it. So the box only lies
    // over it, as a window of its own.
    QMessageBox messageBox(toQt(box.icon), box.caption, box.text, QMessageBox::NoButton,
                           onTop ? nullptr : owner);
    if (onTop) {
        // Without a parent, exec() makes the box modal for the whole application.
        messageBox.setWindowFlag(Qt::WindowStaysOnTopHint);
        messageBox.winId();
        messageBox.windowHandle()->setTransientParent(owner->windowHandle());
    }
    if (box.buttons == MessageBoxSpec::Buttons::YesNo) {
        QPushButton *yes = messageBox.addButton(u"&Ja"_s, QMessageBox::YesRole);
        QPushButton *no = messageBox.addButton(u"&Nein"_s, QMessageBox::NoRole);
        messageBox.setDefaultButton(yes);
        messageBox.setEscapeButton(no);
        messageBox.exec();
        return messageBox.clickedButton() == yes ? DialogAnswer::Yes : DialogAnswer::No;
    }
    messageBox.addButton(u"OK"_s, QMessageBox::AcceptRole);
    messageBox.exec();
    return DialogAnswer::Ok;
}
