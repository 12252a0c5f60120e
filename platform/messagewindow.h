#pragma once

#include "platform/windowclass.h"

#include <QPointer>

#include <functional>
#include <memory>

class QWidget;

// One window: the widget its class built, the class's procedure and, in front of it, the
// procedure of a subclass (CreateWindow with a subclassed class, SendMessage, CallWindowProc).
// A plain window has neither widget nor class procedure and answers every message with 0.
class MessageWindow final : public MessageTarget
{
public:
    using Procedure = std::function<qint32(MessageWindow &window, quint32 message, quintptr wParam,
                                           qintptr lParam)>;

    // A window of `windowClass`, its widget a child of `parent`. `subclass` sees every
    // message first, including those the widget sends while it is being built; it passes on
    // what it does not handle with callClassProcedure().
    [[nodiscard]] static std::unique_ptr<MessageWindow> create(const WindowClass &windowClass,
                                                               QWidget *parent, Procedure subclass);
    [[nodiscard]] static std::unique_ptr<MessageWindow> createPlain(Procedure subclass);

    // Destroys the widget.
    ~MessageWindow();
    MessageWindow(const MessageWindow &) = delete;
    MessageWindow &operator=(const MessageWindow &) = delete;

    QWidget *widget() const { return m_widget; }

    qint32 send(quint32 message, quintptr wParam, qintptr lParam) override;
    qint32 callClassProcedure(quint32 message, quintptr wParam, qintptr lParam);

private:
    explicit MessageWindow(Procedure subclass);

    Procedure m_subclass;
    WindowProcedure m_classProcedure = nullptr;
    QPointer<QWidget> m_widget;
};
