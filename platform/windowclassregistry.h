#pragma once

#include "platform/windowclass.h"

#include <QByteArray>

#include <optional>

// The process-wide table of window classes by name (RegisterClass, GetClassInfo). Only the
// user-interface thread uses it.
namespace WindowClassRegistry {

// False when the class has no name or the name is taken already.
bool registerClass(const WindowClass &windowClass);
void unregisterClass(const QByteArray &name);
[[nodiscard]] std::optional<WindowClass> find(const QByteArray &name);

} // namespace WindowClassRegistry
