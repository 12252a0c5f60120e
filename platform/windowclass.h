#pragma once

#include <QtGlobal>

class QWidget;

// The pieces of a window class, shared by the program and the libraries that register one
// (RegisterClass, CreateWindow and SendMessage stand here). Header only: a library that
// includes it needs no code of the program.
//
// A message is a number and two pointer-sized parameters; the second may carry the address of
// a text. The answer is a signed 32-bit number. Messages are sent on the user-interface thread
// only, synchronously: the sender waits for the answer.

// A window as its own class sees it: sending a message to itself goes through the window's
// current procedure, so that a subclass in front of the class's procedure sees it first.
class MessageTarget
{
public:
    virtual qint32 send(quint32 message, quintptr wParam, qintptr lParam) = 0;

protected:
    ~MessageTarget() = default;
};

// Builds the widget of a new window as a child of `parent`; `self` stays valid for the
// widget's lifetime and is how the widget sends messages to its own window.
using WindowFactory = QWidget *(*)(QWidget *parent, MessageTarget *self);

// Answers a message sent to a window of the class; `window` is the widget the factory built,
// null for messages the widget sends to itself while it is being built.
using WindowProcedure = qint32 (*)(QWidget *window, quint32 message, quintptr wParam,
                                   qintptr lParam);

struct WindowClass
{
    const char *name = nullptr;
    WindowFactory create = nullptr;
    WindowProcedure procedure = nullptr;
};

// Sent by the window machinery once the factory has returned, as the first message the
// window's procedure sees with its widget (WM_CREATE's number).
constexpr quint32 MessageWindowCreated = 0x0001;
