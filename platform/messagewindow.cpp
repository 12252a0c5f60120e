#include "platform/messagewindow.h"

#include <QWidget>

MessageWindow::MessageWindow(Procedure subclass)
    : m_subclass(std::move(subclass))
{
}

std::unique_ptr<MessageWindow> MessageWindow::create(const WindowClass &windowClass,
                                                     QWidget *parent, Procedure subclass)
{
    std::unique_ptr<MessageWindow> window(new MessageWindow(std::move(subclass)));
    window->m_classProcedure = windowClass.procedure;
    if (windowClass.create != nullptr)
        window->m_widget = windowClass.create(parent, window.get());
    window->send(MessageWindowCreated, 0, 0);
    return window;
}

std::unique_ptr<MessageWindow> MessageWindow::createPlain(Procedure subclass)
{
    return std::unique_ptr<MessageWindow>(new MessageWindow(std::move(subclass)));
}

MessageWindow::~MessageWindow()
{
    delete m_widget.data();
}

qint32 MessageWindow::send(quint32 message, quintptr wParam, qintptr lParam)
{
    if (m_subclass)
        return m_subclass(*this, message, wParam, lParam);
    return callClassProcedure(message, wParam, lParam);
}

qint32 MessageWindow::callClassProcedure(quint32 message, quintptr wParam, qintptr lParam)
{
    if (m_classProcedure == nullptr)
        return 0;
    return m_classProcedure(m_widget, message, wParam, lParam);
}
