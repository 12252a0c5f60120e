#pragma once

#include <QRect>

#include <optional>

class QWidget;

// Windows of one program that the user reads side by side (the document window and the search
// window) open beside each other, not one over the other.
namespace WindowPlacement {

// The gap between two windows placed side by side.
inline constexpr int Gap = 8;

// Frame rectangles of a window placed beside another, and of that other one.
struct SideBySide
{
    QRect window;
    QRect other;
    bool operator==(const SideBySide &) const = default;
};

// Where a window whose frame is `frameSize` (at least `minimumWidth` wide) goes so that it does
// not cover the frame `other`, inside `screen`. In this order: at its size right of the other,
// left of it, below, above (as near the other's top or left edge as the screen allows); right
// or left of it, narrowed to the room there; and, when the screen is wide enough for both,
// right of the other moved to the screen's left edge. None when the screen is too small.
std::optional<SideBySide> sideBySide(const QRect &other, QSize frameSize, int minimumWidth,
                                     const QRect &screen);

// Places the top-level `window` beside the visible `other` (moving that one only where the
// screen has no room otherwise), unless it is visible and does not cover it already.
void placeBeside(QWidget &window, QWidget &other);

} // namespace WindowPlacement
