#pragma once

#include <QHashFunctions>
#include <QRect>
#include <QRectF>
#include <QSize>
#include <QSizeF>

// One rendered piece of a page. Large pages are cut into tiles so that a high zoom renders
// only what is seen.
struct RenderKey
{
    int page = 0;
    int zoom = 0;     // logical pixels per point, times 10,000
    int rotation = 0; // degrees; pages are shown with their own rotation only
    int dpr = 100;    // device pixel ratio, times 100
    int tile = 0;

    bool operator==(const RenderKey &) const = default;
    double scale() const { return zoom / 10000.0; }
    double devicePixelRatio() const { return dpr / 100.0; }
};

inline size_t qHash(const RenderKey &key, size_t seed = 0)
{
    return qHashMulti(seed, key.page, key.zoom, key.rotation, key.dpr, key.tile);
}

// How a page of a given size is cut into tiles at the scale of a key: rows of square tiles
// from the top left, the last column and row cut to the page.
struct TileGrid
{
    static constexpr int TileSize = 2048; // device pixels

    TileGrid(QSizeF pagePoints, const RenderKey &key);
    int count() const { return columns * rows; }
    QRect tile(int index) const; // in the page's device pixels
    // Where a tile lands on the page drawn into `pageRect` (logical pixels, any size).
    QRectF target(int index, const QRect &pageRect) const;

    QSize pagePixels;
    int columns = 1;
    int rows = 1;
};
