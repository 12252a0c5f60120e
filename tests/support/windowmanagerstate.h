#pragma once

#include <QList>
#include <QtGlobal>

// What the window manager of the X server says, read with xprop: the window ids of a property
// of the root window, such as _NET_CLIENT_LIST_STACKING (bottom to top) or _NET_ACTIVE_WINDOW.
QList<quint64> rootWindowIds(const char *property);
