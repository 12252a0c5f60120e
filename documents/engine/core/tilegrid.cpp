#include "documents/engine/core/tilegrid.h"

#include "documents/engine/core/pagelayout.h"

TileGrid::TileGrid(QSizeF pagePoints, const RenderKey &key)
{
    const QSize logical = PageLayout::pixelSize(pagePoints, key.scale());
    pagePixels = QSize(qRound(logical.width() * key.devicePixelRatio()),
                       qRound(logical.height() * key.devicePixelRatio()));
    columns = (pagePixels.width() + TileSize - 1) / TileSize;
    rows = (pagePixels.height() + TileSize - 1) / TileSize;
}

QRect TileGrid::tile(int index) const
{
    const QRect cell((index % columns) * TileSize, (index / columns) * TileSize, TileSize,
                     TileSize);
    return cell.intersected(QRect(QPoint(0, 0), pagePixels));
}

QRectF TileGrid::target(int index, const QRect &pageRect) const
{
    const QRect piece = tile(index);
    const double sx = double(pageRect.width()) / pagePixels.width();
    const double sy = double(pageRect.height()) / pagePixels.height();
    return {pageRect.x() + piece.x() * sx, pageRect.y() + piece.y() * sy, piece.width() * sx,
            piece.height() * sy};
}
