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

// Right of `other`, then left of it, as wide as the room there allows (not below `minimum`).
std::optional<QRect> narrowedBeside(const QRect &other, QSize size, int minimum,
                                    const QRect &screen)
{
    const int top = within(other.top(), size.height(), screen.top(), screen.bottom());
    const int right = screen.right() - other.right() - Gap;
    if (right >= minimum)
        return QRect(other.right() + 1 + Gap, top, std::min(size.width(), right), size.height());
    const int left = other.left() - screen.left() - Gap;
    if (left >= minimum) {
        const int width = std::min(size.width(), left);
        return QRect(other.left() - Gap - width, top, width, size.height());
    }
    return std::nullopt;
}

QMargins frameOf(const QWidget &window)
{
    const QRect outer = window.frameGeometry();
    const QRect inner = window.geometry();
    return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom()};
}

} // namespace

std::optional<SideBySide> sideBySide(const QRect &other, QSize frameSize, int minimumWidth,
                                     const QRect &screen)
{
    const QSize size(frameSize.width(), std::min(frameSize.height(), screen.height()));
    if (minimumWidth > screen.width())
        return std::nullopt;
    const int top = within(other.top(), size.height(), screen.top(), screen.bottom());
    const int left = within(other.left(), size.width(), screen.left(), screen.right());
    const QRect atItsSize[] = {
        {QPoint(other.right() + 1 + Gap, top), size},
        {QPoint(other.left() - Gap - size.width(), top), size},
        {QPoint(left, other.bottom() + 1 + Gap), size},
        {QPoint(left, other.top() - Gap - size.height()), size},
    };
    for (const QRect &candidate : atItsSize) {
        if (screen.contains(candidate))
            return SideBySide{candidate, other};
    }
    if (const std::optional<QRect> narrowed = narrowedBeside(other, size, minimumWidth, screen))
        return SideBySide{*narrowed, other};
    const QRect moved = other.translated(screen.left() - other.left(), 0);
    if (const std::optional<QRect> narrowed = narrowedBeside(moved, size, minimumWidth, screen))
        return SideBySide{*narrowed, moved};
    return std::nullopt;
}

void placeBeside(QWidget &window, QWidget &other)
{
    if (!other.isVisible())
        return;
    // Before the window manager framed the window, its frame is taken to be as the other's.
    QMargins frame = frameOf(window);
    if (frame.isNull())
        frame = frameOf(other);
    const QRect current = window.geometry().marginsAdded(frame);
    if (window.isVisible() && !current.intersects(other.frameGeometry()))
        return;
    const QScreen *screen = other.screen();
    if (screen == nullptr)
        return;
    const int minimumWidth = window.minimumWidth() + frame.left() + frame.right();
    const std::optional<SideBySide> place = sideBySide(other.frameGeometry(), current.size(),
                                                       minimumWidth, screen->availableGeometry());
    if (!place)
        return;
    if (place->other.topLeft() != other.frameGeometry().topLeft())
        other.move(place->other.topLeft());
    window.resize(place->window.size().shrunkBy(frame));
    window.move(place->window.topLeft());
}

} // namespace WindowPlacement
