#include "documents/engine/core/pagelayout.h"

#include <algorithm>
#include <array>

namespace PageLayout {

namespace {

constexpr std::array<double, 14> ZoomSteps = {10,  25,  33,  50,  67,  75,  100,
                                              125, 150, 200, 300, 400, 600, 800};

// The rows of pages: one page each, or two with `twoUp`.
template<typename Visit>
void forEachRow(qsizetype count, bool twoUp, Visit visit)
{
    const qsizetype step = twoUp ? 2 : 1;
    for (qsizetype first = 0; first < count; first += step)
        visit(first, std::min(first + step, count));
}

double clampScale(double scale)
{
    return std::clamp(scale, scaleOf(MinZoom), scaleOf(MaxZoom));
}

} // namespace

QSize pixelSize(QSizeF points, double scale)
{
    return {std::max(1, qRound(points.width() * scale)),
            std::max(1, qRound(points.height() * scale))};
}

double fittingScale(const QList<QSizeF> &pages, Fit fit, bool twoUp, QSize viewport)
{
    double rowWidth = 0.0;
    double tallest = 0.0;
    int gapsInRow = 2;
    forEachRow(pages.size(), twoUp, [&](qsizetype first, qsizetype end) {
        double width = 0.0;
        for (qsizetype i = first; i < end; ++i) {
            width += pages[i].width();
            tallest = std::max(tallest, pages[i].height());
        }
        rowWidth = std::max(rowWidth, width);
        gapsInRow = std::max(gapsInRow, int(end - first) + 1);
    });
    if (rowWidth <= 0.0 || fit == Fit::None)
        return PixelsPerPoint;
    double scale = (viewport.width() - gapsInRow * Gap) / rowWidth;
    if (fit == Fit::WholePage)
        scale = std::min(scale, (viewport.height() - 2 * Gap) / tallest);
    return clampScale(scale);
}

Layout layout(const QList<QSizeF> &pages, double scale, bool twoUp, QSize viewport)
{
    Layout result;
    result.scale = scale;
    result.pages.resize(pages.size());
    int widest = 0;
    forEachRow(pages.size(), twoUp, [&](qsizetype first, qsizetype end) {
        int width = Gap;
        for (qsizetype i = first; i < end; ++i)
            width += pixelSize(pages[i], scale).width() + Gap;
        widest = std::max(widest, width);
    });
    const int documentWidth = std::max(widest, viewport.width());
    int y = Gap;
    forEachRow(pages.size(), twoUp, [&](qsizetype first, qsizetype end) {
        int rowWidth = Gap;
        int rowHeight = 0;
        for (qsizetype i = first; i < end; ++i) {
            const QSize size = pixelSize(pages[i], scale);
            rowWidth += size.width() + Gap;
            rowHeight = std::max(rowHeight, size.height());
        }
        int x = (documentWidth - rowWidth) / 2 + Gap;
        for (qsizetype i = first; i < end; ++i) {
            const QSize size = pixelSize(pages[i], scale);
            result.pages[i] = QRect(QPoint(x, y), size);
            x += size.width() + Gap;
        }
        y += rowHeight + Gap;
    });
    result.size = QSize(documentWidth, std::max(y, viewport.height()));
    return result;
}

int pageAt(const Layout &layout, int y)
{
    const auto it = std::find_if(layout.pages.cbegin(), layout.pages.cend(),
                                 [y](const QRect &page) { return page.bottom() >= y; });
    if (it == layout.pages.cend())
        return int(layout.pages.size()) - 1;
    return int(it - layout.pages.cbegin());
}

double nextZoom(double zoom, int direction)
{
    // Half a percent of slack, so that a zoom shown as 100 % counts as that step.
    if (direction > 0) {
        const auto it = std::find_if(ZoomSteps.cbegin(), ZoomSteps.cend(),
                                     [zoom](double step) { return step > zoom + 0.5; });
        return it == ZoomSteps.cend() ? MaxZoom : *it;
    }
    const auto it = std::find_if(ZoomSteps.crbegin(), ZoomSteps.crend(),
                                 [zoom](double step) { return step < zoom - 0.5; });
    return it == ZoomSteps.crend() ? MinZoom : *it;
}

} // namespace PageLayout
