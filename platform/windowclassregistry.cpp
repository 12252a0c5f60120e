#include "platform/windowclassregistry.h"

#include <QHash>

namespace WindowClassRegistry {

namespace {

QHash<QByteArray, WindowClass> &classes()
{
    static QHash<QByteArray, WindowClass> table;
    return table;
}

} // namespace

bool registerClass(const WindowClass &windowClass)
{
    if (windowClass.name == nullptr || *windowClass.name == '\0')
        return false;
    const QByteArray name(windowClass.name);
    if (classes().contains(name))
        return false;
    classes().insert(name, windowClass);
    return true;
}

void unregisterClass(const QByteArray &name)
{
    classes().remove(name);
}

std::optional<WindowClass> find(const QByteArray &name)
{
    const auto it = classes().constFind(name);
    if (it == classes().constEnd())
        return std::nullopt;
    return *it;
}

} // namespace WindowClassRegistry
