#include "platform/windowplacement.h"

#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace WindowPlacement {

namespace {

// The start of a window of `length` along an edge from `low` to `high`, near `wanted`.
int within(int wanted, int length, int low, int high)
{
    return std::max(low, std::min(wanted, high - length + 1));
}

} // namespace

std::optional<QRect> besideOf(const QRect &other, QSize frameSize, const QRect &screen)
{
    const int width = frameSize.width();
    const int height = frameSize.height();
    if (width > screen.width() || height > screen.height())
        return std::nullopt;
    const int top = within(other.top(), height, screen.top(), screen.bottom());
    const int left = within(other.left(), width, screen.left(), screen.right());
    const QRect candidates[] = {
        {QPoint(other.right() + 1 + Gap, top), frameSize},
        {QPoint(other.left() - Gap - width, top), frameSize},
        {QPoint(left, other.bottom() + 1 + Gap), frameSize},
        {QPoint(left, other.top() - Gap - height), frameSize},
    };
    for (const QRect &candidate : candidates) {
        if (screen.contains(candidate))
            return candidate;
    }
    return std::nullopt;
}

void placeBeside(QWidget &window, const QWidget &other)
{
    if (!other.isVisible())
        return;
    // Before the window manager framed the window, its frame is taken to be as the other's.
    QMargins frame(window.geometry().left() - window.frameGeometry().left(),
                   window.geometry().top() - window.frameGeometry().top(),
                   window.frameGeometry().right() - window.geometry().right(),
                   window.frameGeometry().bottom() - window.geometry().bottom());
    if (frame.isNull()) {
        frame = QMargins(other.geometry().left() - other.frameGeometry().left(),
                         other.geometry().top() - other.frameGeometry().top(),
                         other.frameGeometry().right() - other.geometry().right(),
                         other.frameGeometry().bottom() - other.geometry().bottom());
    }
    const QRect current = window.geometry().marginsAdded(frame);
    if (window.isVisible() && !current.intersects(other.frameGeometry()))
        return;
    const QScreen *screen = other.screen();
    if (screen == nullptr)
        return;
    if (const std::optional<QRect> place =
            besideOf(other.frameGeometry(), current.size(), screen->availableGeometry()))
        window.move(place->topLeft());
}

} // namespace WindowPlacement
