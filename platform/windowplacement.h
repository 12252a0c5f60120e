#pragma once

#include <QRect>

#include <optional>

class QWidget;

// Windows of one program that the user reads side by side (the document window and the search
// window) open beside each other, not one over the other.
namespace WindowPlacement {

// The gap between two windows placed side by side.
inline constexpr int Gap = 8;

// Where a window whose frame is `frameSize` goes so that it does not cover the frame `other`,
// inside `screen`: right of it, else left, else below, else above, as near the other's top
// (or left) edge as the screen allows. None when no side has room.
std::optional<QRect> besideOf(const QRect &other, QSize frameSize, const QRect &screen);

// Moves the top-level `window` beside the visible `other` if it would cover it and the screen
// has room; leaves it where it is otherwise.
void placeBeside(QWidget &window, const QWidget &other);

} // namespace WindowPlacement
