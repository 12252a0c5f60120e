#pragma once

#include <QtGlobal>
#include <qnamespace.h>

// Qt's keys as the key codes and shift states of the key notifications.
namespace VirtualKeys {

// 0 for a key the protocol has no code for.
quint16 fromQt(int key, Qt::KeyboardModifiers modifiers);
int shiftState(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons);

} // namespace VirtualKeys
