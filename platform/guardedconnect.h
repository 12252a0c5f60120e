#pragma once

#include "platform/handlerguard.h"

#include <QObject>

// Connects a signal to an event handler that runs at the boundary of the event: an error it
// raises is shown by the application's error box and never unwinds through Qt's signal code.
// The handler takes the leading arguments of the signal, or none.
template<typename Sender, typename Signal, typename Receiver, typename... Args>
QMetaObject::Connection connectGuarded(DialogService &dialogs, const Sender *sender, Signal signal,
                                       Receiver *receiver, void (Receiver::*handler)(Args...))
{
    return QObject::connect(sender, signal, receiver, [&dialogs, receiver, handler](Args... args) {
        runHandler(dialogs, [&] { (receiver->*handler)(args...); });
    });
}

// The same for a handler without arguments given as a function object; `context` ends the
// connection when it is destroyed.
template<typename Sender, typename Signal, typename Handler>
QMetaObject::Connection connectGuarded(DialogService &dialogs, const Sender *sender, Signal signal,
                                       const QObject *context, Handler handler)
{
    return QObject::connect(sender, signal, context,
                            [&dialogs, handler] { runHandler(dialogs, handler); });
}
