#include "list/sortarrows.h"

#include <array>

namespace {

// A triangle head above a dotted shaft, drawn for the up arrow; the down arrow is its mirror.
constexpr std::array<const char *, SortArrowHeight> upArrow = {
    "..##..", //
    ".####.", //
    "######", //
    "..##..", //
    "......", //
    "..##..", //
    "......", //
    "..##..", //
    "......", //
    "..##..", //
    "......", //
    "..##..",
};

} // namespace

QImage sortArrowImage(SortArrow arrow)
{
    QImage image(SortArrowWidth, SortArrowHeight, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    if (arrow == SortArrow::Blank)
        return image;
    for (int y = 0; y < SortArrowHeight; ++y) {
        const char *line = upArrow[std::size_t(arrow == SortArrow::Up ? y : 11 - y)];
        for (int x = 0; x < SortArrowWidth; ++x) {
            if (line[x] == '#')
                image.setPixel(x, y, qRgb(0, 0, 0));
        }
    }
    return image;
}
