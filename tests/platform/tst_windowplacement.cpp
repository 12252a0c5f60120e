// Where a window goes so that it does not cover another.
#include "platform/windowplacement.h"

#include <QTest>

using namespace WindowPlacement;

class TestWindowPlacement : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void besideOf_data()
    {
        QTest::addColumn<QRect>("other");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QRect>("expected"); // null: no side has room
        // On a screen of 1280 x 1000 from 0, 0.
        QTest::newRow("right, at the other's top")
            << QRect(100, 50, 600, 700) << QSize(500, 400) << QRect(708, 50, 500, 400);
        QTest::newRow("left when the right is too narrow")
            << QRect(640, 50, 600, 700) << QSize(500, 400) << QRect(132, 50, 500, 400);
        QTest::newRow("kept on the screen's height")
            << QRect(100, 800, 600, 150) << QSize(500, 400) << QRect(708, 600, 500, 400);
        QTest::newRow("below when both sides are too narrow")
            << QRect(200, 0, 900, 400) << QSize(800, 500) << QRect(200, 408, 800, 500);
        QTest::newRow("above") << QRect(200, 500, 900, 500) << QSize(800, 400)
                               << QRect(200, 92, 800, 400);
        QTest::newRow("no room anywhere")
            << QRect(100, 100, 1000, 800) << QSize(600, 600) << QRect();
        QTest::newRow("larger than the screen")
            << QRect(0, 0, 10, 10) << QSize(1300, 100) << QRect();
    }
    void besideOf()
    {
        QFETCH(QRect, other);
        QFETCH(QSize, size);
        QFETCH(QRect, expected);
        const std::optional<QRect> place =
            WindowPlacement::besideOf(other, size, {0, 0, 1280, 1000});
        QCOMPARE(place.value_or(QRect()), expected);
        if (place)
            QVERIFY(!place->intersects(other));
    }
};

QTEST_GUILESS_MAIN(TestWindowPlacement)
#include "tst_windowplacement.moc"
