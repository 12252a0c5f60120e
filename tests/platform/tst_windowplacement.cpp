// Where a window goes so that it does not cover another.
#include "platform/windowplacement.h"

#include <QTest>

using namespace WindowPlacement;

Q_DECLARE_METATYPE(std::optional<SideBySide>)

class TestWindowPlacement : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void sideBySide_data()
    {
        QTest::addColumn<QRect>("other");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<std::optional<SideBySide>>("expected");
        // On a screen of 1280 x 1000 from 0, 0; the window is at least 400 wide.
        const QRect other(100, 50, 600, 700);
        QTest::newRow("right, at the other's top")
            << other << QSize(500, 400)
            << std::optional<SideBySide>({QRect(708, 50, 500, 400), other});
        const QRect onTheRight(640, 50, 600, 700);
        QTest::newRow("left when the right is too narrow")
            << onTheRight << QSize(500, 400)
            << std::optional<SideBySide>({QRect(132, 50, 500, 400), onTheRight});
        const QRect low(100, 800, 600, 150);
        QTest::newRow("kept on the screen's height")
            << low << QSize(500, 400)
            << std::optional<SideBySide>({QRect(708, 600, 500, 400), low});
        const QRect wide(200, 0, 900, 400);
        QTest::newRow("below when both sides are too narrow")
            << wide << QSize(800, 500)
            << std::optional<SideBySide>({QRect(200, 408, 800, 500), wide});
        const QRect centred(320, 170, 640, 680);
        QTest::newRow("narrowed to the room on the right")
            << QRect(200, 170, 640, 680) << QSize(860, 540)
            << std::optional<SideBySide>({QRect(848, 170, 432, 540), QRect(200, 170, 640, 680)});
        QTest::newRow("the other moved to the left edge")
            << centred << QSize(860, 540)
            << std::optional<SideBySide>({QRect(648, 170, 632, 540), QRect(0, 170, 640, 680)});
        QTest::newRow("no room for both")
            << QRect(100, 100, 1000, 800) << QSize(600, 600) << std::optional<SideBySide>();
    }
    void sideBySide()
    {
        QFETCH(QRect, other);
        QFETCH(QSize, size);
        QFETCH(std::optional<SideBySide>, expected);
        const std::optional<SideBySide> place =
            WindowPlacement::sideBySide(other, size, 400, {0, 0, 1280, 1000});
        QCOMPARE(place.has_value(), expected.has_value());
        if (!place)
            return;
        QCOMPARE(place->window, expected->window);
        QCOMPARE(place->other, expected->other);
        QVERIFY(!place->window.intersects(place->other));
    }
};

QTEST_GUILESS_MAIN(TestWindowPlacement)
#include "tst_windowplacement.moc"
