// How a page is cut into tiles: their number and places in the page's device pixels, and where
// each lands on the page as drawn.
#include "documents/engine/core/pagelayout.h"
#include "documents/engine/core/tilegrid.h"

#include <QTest>

namespace {

constexpr QSizeF A4(595.0, 842.0);

RenderKey keyAt(double scale, double devicePixelRatio = 1.0)
{
    return {0, qRound(scale * 10000.0), 0, qRound(devicePixelRatio * 100.0), 0};
}

} // namespace

class TestTileGrid : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cuts_data()
    {
        QTest::addColumn<QSizeF>("points");
        QTest::addColumn<double>("scale");
        QTest::addColumn<double>("ratio");
        QTest::addColumn<QSize>("pagePixels");
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QList<QRect>>("tiles");
        QTest::newRow("A4 at 100 % in one tile")
            << A4 << PageLayout::PixelsPerPoint << 1.0 << QSize(793, 1123) << 1 << 1
            << QList<QRect>{{0, 0, 793, 1123}};
        QTest::newRow("twice the device pixels")
            << A4 << PageLayout::PixelsPerPoint << 2.0 << QSize(1586, 2246) << 1 << 2
            << QList<QRect>{{0, 0, 1586, 2048}, {0, 2048, 1586, 198}};
        // Row by row; the last column and row cut to the page.
        QTest::newRow("A4 at 400 %")
            << A4 << PageLayout::scaleOf(400) << 1.0 << QSize(3173, 4491) << 2 << 3
            << QList<QRect>{{0, 0, 2048, 2048},    {2048, 0, 1125, 2048},
                            {0, 2048, 2048, 2048}, {2048, 2048, 1125, 2048},
                            {0, 4096, 2048, 395},  {2048, 4096, 1125, 395}};
        QTest::newRow("exactly one tile wide, a pixel more high")
            << QSizeF(2048, 2049) << 1.0 << 1.0 << QSize(2048, 2049) << 1 << 2
            << QList<QRect>{{0, 0, 2048, 2048}, {0, 2048, 2048, 1}};
    }
    void cuts()
    {
        QFETCH(QSizeF, points);
        QFETCH(double, scale);
        QFETCH(double, ratio);
        QFETCH(QSize, pagePixels);
        QFETCH(int, columns);
        QFETCH(int, rows);
        QFETCH(QList<QRect>, tiles);
        const TileGrid grid(points, keyAt(scale, ratio));
        QCOMPARE(grid.pagePixels, pagePixels);
        QCOMPARE(grid.columns, columns);
        QCOMPARE(grid.rows, rows);
        QCOMPARE(grid.count(), tiles.size());
        for (int index = 0; index < grid.count(); ++index)
            QCOMPARE(grid.tile(index), tiles.at(index));
    }

    // The tiles drawn into a page rectangle of another size cover it edge to edge.
    void targetsCoverThePage()
    {
        const TileGrid grid(A4, keyAt(PageLayout::scaleOf(400), 2.0));
        QCOMPARE(grid.count(), 20);
        const QRect page(10, 20, 1600, 2264);
        QCOMPARE(grid.target(0, page).topLeft(), QPointF(10, 20));
        QCOMPARE(grid.target(grid.count() - 1, page).bottomRight(), QPointF(1610, 2284));
        for (int index = 0; index < grid.count(); ++index) {
            const QRectF target = grid.target(index, page);
            if (index % grid.columns != 0)
                QCOMPARE(target.left(), grid.target(index - 1, page).right());
            if (index >= grid.columns)
                QCOMPARE(target.top(), grid.target(index - grid.columns, page).bottom());
        }
        const double sx = 1600.0 / grid.pagePixels.width();
        const double sy = 2264.0 / grid.pagePixels.height();
        QCOMPARE(grid.target(4, page), QRectF(10, 20 + 2048 * sy, 2048 * sx, 2048 * sy));
    }
};

QTEST_GUILESS_MAIN(TestTileGrid)
#include "tst_tilegrid.moc"
