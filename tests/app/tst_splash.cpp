#include "app/untfrmsplash.h"

#include <QLabel>
#include <QTest>

using namespace Qt::StringLiterals;

class TestSplash : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pictureHasItsSize()
    {
        TfrmSplash splash(nullptr);
        const QImage image = splash.findChild<QLabel *>(u"Image1"_s)->pixmap().toImage();
        QCOMPARE(image.size(), QSize(960, 519));
        // Not a flat placeholder: the picture has many colours.
        QSet<QRgb> colours;
        for (int y = 0; y < image.height(); y += 7)
            for (int x = 0; x < image.width(); x += 7)
                colours.insert(image.pixel(x, y));
        QVERIFY(colours.size() > 200);
    }

    void statusTextIsGreyOnThePicture()
    {
        TfrmSplash splash(nullptr);
        QCOMPARE(splash.size(), QSize(959, 520));
        splash.setStatus(u"Lade Daten"_s);
        QCOMPARE(splash.status(), u"Lade Daten"_s);
        const QImage image = splash.grab().toImage();
        int grey = 0;
        for (int y = 240; y < 321; ++y)
            for (int x = 241; x < 600; ++x)
                grey += image.pixelColor(x, y) == QColor(160, 160, 164) ? 1 : 0;
        QVERIFY2(grey > 50, qPrintable(QString::number(grey)));
    }
};

QTEST_MAIN(TestSplash)
#include "tst_splash.moc"
