#pragma once

#include <QImage>

// The three 6 x 12 images of the column header: 0 blank, 1 up arrow (ascending),
// 2 down arrow (descending); transparent background.
enum class SortArrow { Blank = 0, Up = 1, Down = 2 };
inline constexpr int SortArrowWidth = 6;
inline constexpr int SortArrowHeight = 12;

QImage sortArrowImage(SortArrow arrow);
