#pragma once

#include <QList>
#include <QRect>
#include <QSize>
#include <QSizeF>

// Where the pages of a document go in the view: pages one below the other (or two side by
// side), centred, with a gap around each. Plain arithmetic, kept apart from the widget.
namespace PageLayout {

// At 100 % a point is 1/72 inch on a screen of 96 logical dots per inch.
constexpr double PixelsPerPoint = 96.0 / 72.0;
constexpr int Gap = 8;
constexpr double MinZoom = 10.0;
constexpr double MaxZoom = 800.0;

enum class Fit { None, PageWidth, WholePage };

struct Layout
{
    double scale = PixelsPerPoint; // logical pixels per point
    QList<QRect> pages;            // in document coordinates, logical pixels
    QSize size;                    // of the whole document, at least the viewport's
};

inline double zoomOf(double scale)
{
    return scale / PixelsPerPoint * 100.0;
}
inline double scaleOf(double zoom)
{
    return zoom / 100.0 * PixelsPerPoint;
}

// The size a page of `points` takes at `scale`; layout and rendering both use it.
QSize pixelSize(QSizeF points, double scale);

// The scale that fits the pages into `viewport` (page width: the widest row fills the width;
// whole page: the largest page fits completely), within MinZoom and MaxZoom.
double fittingScale(const QList<QSizeF> &pages, Fit fit, bool twoUp, QSize viewport);

// Lays the pages out at `scale`; with `twoUp` pages 1 and 2, 3 and 4, ... share a row.
Layout layout(const QList<QSizeF> &pages, double scale, bool twoUp, QSize viewport);

// The first page whose lower edge lies below `y`; -1 for no pages.
int pageAt(const Layout &layout, int y);

// The next zoom step above (direction > 0) or below `zoom`, within the limits.
double nextZoom(double zoom, int direction);

} // namespace PageLayout
