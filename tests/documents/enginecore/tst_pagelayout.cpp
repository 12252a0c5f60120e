// Where the engine puts the pages: positions one below the other and two side by side, the
// scale that fits a page's width or the whole page, the zoom steps, the page at a height.
#include "documents/engine/core/pagelayout.h"

#include <QTest>

using namespace PageLayout;

namespace {

constexpr QSizeF A4(595.0, 842.0);
constexpr QSizeF A4Landscape(842.0, 595.0);

} // namespace

class TestPageLayout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pixelSize_data()
    {
        QTest::addColumn<QSizeF>("points");
        QTest::addColumn<double>("scale");
        QTest::addColumn<QSize>("pixels");
        QTest::newRow("A4 at 100 %") << A4 << PixelsPerPoint << QSize(793, 1123);
        QTest::newRow("A4 at 75 %") << A4 << 1.0 << QSize(595, 842);
        QTest::newRow("never below a pixel") << QSizeF(0.2, 0.2) << 1.0 << QSize(1, 1);
    }
    void pixelSize()
    {
        QFETCH(QSizeF, points);
        QFETCH(double, scale);
        QFETCH(QSize, pixels);
        QCOMPARE(PageLayout::pixelSize(points, scale), pixels);
    }

    void positions_data()
    {
        QTest::addColumn<QList<QSizeF>>("pages");
        QTest::addColumn<double>("scale");
        QTest::addColumn<bool>("twoUp");
        QTest::addColumn<QSize>("viewport");
        QTest::addColumn<QList<QRect>>("rects");
        QTest::addColumn<QSize>("size");
        // Centred in the wider viewport, a gap of 8 above, between and below.
        QTest::newRow("one below the other")
            << QList<QSizeF>{A4, A4} << PixelsPerPoint << false << QSize(1000, 600)
            << QList<QRect>{{103, 8, 793, 1123}, {103, 1139, 793, 1123}} << QSize(1000, 2270);
        // The row decides the width; the odd last page is centred alone.
        QTest::newRow("two side by side")
            << QList<QSizeF>{A4, A4, A4} << PixelsPerPoint << true << QSize(1000, 600)
            << QList<QRect>{{8, 8, 793, 1123}, {809, 8, 793, 1123}, {408, 1139, 793, 1123}}
            << QSize(1610, 2270);
        // A row is as high as its tallest page.
        QTest::newRow("portrait beside landscape")
            << QList<QSizeF>{A4, A4Landscape, A4} << 1.0 << true << QSize(800, 600)
            << QList<QRect>{{8, 8, 595, 842}, {611, 8, 842, 595}, {433, 858, 595, 842}}
            << QSize(1461, 1708);
        QTest::newRow("short document fills the viewport")
            << QList<QSizeF>{QSizeF(100, 100)} << 1.0 << false << QSize(400, 300)
            << QList<QRect>{{150, 8, 100, 100}} << QSize(400, 300);
        QTest::newRow("no pages") << QList<QSizeF>{} << 1.0 << false << QSize(400, 300)
                                  << QList<QRect>{} << QSize(400, 300);
    }
    void positions()
    {
        QFETCH(QList<QSizeF>, pages);
        QFETCH(double, scale);
        QFETCH(bool, twoUp);
        QFETCH(QSize, viewport);
        QFETCH(QList<QRect>, rects);
        QFETCH(QSize, size);
        const Layout result = layout(pages, scale, twoUp, viewport);
        QCOMPARE(result.pages, rects);
        QCOMPARE(result.size, size);
        QCOMPARE(result.scale, scale);
    }

    void fit_data()
    {
        QTest::addColumn<QList<QSizeF>>("pages");
        QTest::addColumn<int>("fit");
        QTest::addColumn<bool>("twoUp");
        QTest::addColumn<QSize>("viewport");
        QTest::addColumn<double>("scale");
        const QList<QSizeF> two = {A4, A4};
        const auto width = int(Fit::PageWidth);
        const auto whole = int(Fit::WholePage);
        QTest::newRow("page width: the page and two gaps fill the width")
            << two << width << false << QSize(1000, 600) << (1000.0 - 16) / 595;
        QTest::newRow("page width of two pages: three gaps")
            << two << width << true << QSize(1000, 600) << (1000.0 - 24) / 1190;
        QTest::newRow("page width: the widest page")
            << QList<QSizeF>{QSizeF(300, 400), A4Landscape} << width << false << QSize(1000, 600)
            << (1000.0 - 16) / 842;
        QTest::newRow("whole page: the height limits")
            << two << whole << false << QSize(1000, 600) << (600.0 - 16) / 842;
        QTest::newRow("whole page: the width limits")
            << two << whole << false << QSize(400, 2000) << (400.0 - 16) / 595;
        QTest::newRow("whole page: the tallest page")
            << QList<QSizeF>{QSizeF(300, 400), A4} << whole << false << QSize(1000, 600)
            << (600.0 - 16) / 842;
        QTest::newRow("not below 10 %")
            << two << width << false << QSize(50, 50) << scaleOf(MinZoom);
        QTest::newRow("not above 800 %")
            << two << width << false << QSize(20000, 600) << scaleOf(MaxZoom);
        QTest::newRow("no fit: 100 %")
            << two << int(Fit::None) << false << QSize(1000, 600) << PixelsPerPoint;
        QTest::newRow("no pages: 100 %")
            << QList<QSizeF>{} << width << false << QSize(1000, 600) << PixelsPerPoint;
    }
    void fit()
    {
        QFETCH(QList<QSizeF>, pages);
        QFETCH(int, fit);
        QFETCH(bool, twoUp);
        QFETCH(QSize, viewport);
        QFETCH(double, scale);
        QCOMPARE(fittingScale(pages, Fit(fit), twoUp, viewport), scale);
    }

    void zoomSteps_data()
    {
        QTest::addColumn<double>("zoom");
        QTest::addColumn<int>("direction");
        QTest::addColumn<double>("next");
        QTest::newRow("in from 100") << 100.0 << 1 << 125.0;
        QTest::newRow("out from 100") << 100.0 << -1 << 75.0;
        // Half a percent of slack: a zoom shown as 100 % counts as that step.
        QTest::newRow("in from just below 100") << 99.6 << 1 << 125.0;
        QTest::newRow("in from further below 100") << 99.4 << 1 << 100.0;
        QTest::newRow("out from just above 100") << 100.4 << -1 << 75.0;
        QTest::newRow("out from between steps") << 124.0 << -1 << 100.0;
        QTest::newRow("in at the top stays") << 800.0 << 1 << 800.0;
        QTest::newRow("out at the bottom stays") << 10.0 << -1 << 10.0;
        QTest::newRow("in to the top") << 600.0 << 1 << 800.0;
        QTest::newRow("out to the bottom") << 20.0 << -1 << 10.0;
    }
    void zoomSteps()
    {
        QFETCH(double, zoom);
        QFETCH(int, direction);
        QFETCH(double, next);
        QCOMPARE(nextZoom(zoom, direction), next);
    }

    void zoomAndScale()
    {
        QCOMPARE(zoomOf(PixelsPerPoint), 100.0);
        QCOMPARE(scaleOf(75.0), 1.0);
        QCOMPARE(zoomOf(scaleOf(133.0)), 133.0);
    }

    void pageAtHeight_data()
    {
        QTest::addColumn<int>("y");
        QTest::addColumn<int>("page");
        // Pages from 8 to 1130, 1139 to 2261, 2270 to 3392.
        QTest::newRow("above the first") << 0 << 0;
        QTest::newRow("last line of the first") << 1130 << 0;
        QTest::newRow("in the gap below it") << 1131 << 1;
        QTest::newRow("in the last") << 3000 << 2;
        QTest::newRow("below the last") << 100000 << 2;
    }
    void pageAtHeight()
    {
        QFETCH(int, y);
        QFETCH(int, page);
        const Layout pages = layout({A4, A4, A4}, PixelsPerPoint, false, QSize(1000, 600));
        QCOMPARE(pageAt(pages, y), page);
    }

    void noPageWithoutPages() { QCOMPARE(pageAt(layout({}, 1.0, false, {100, 100}), 0), -1); }
};

QTEST_GUILESS_MAIN(TestPageLayout)
#include "tst_pagelayout.moc"
