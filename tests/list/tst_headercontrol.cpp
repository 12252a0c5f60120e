// The caption header: a caption that does not fit its section ends in "…" before the section's
// edge, with the room of the sort arrow taken off.
#include "list/headercontrol.h"
#include "platform/designfont.h"

#include <QIcon>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Columns of dark (text) pixels in the section, from its left edge, in logical pixels.
QList<int> darkColumns(HeaderControl &header, int section)
{
    const QImage image = header.grab().toImage();
    const qreal ratio = image.devicePixelRatio();
    QList<int> columns;
    const int left = header.sectionViewportPosition(section);
    for (int x = 0; x < header.sectionSize(section); ++x) {
        for (int y = 0; y < header.height(); ++y) {
            if (qGray(image.pixel(qRound((left + x) * ratio), qRound(y * ratio))) < 110) {
                columns.append(x);
                break;
            }
        }
    }
    return columns;
}

} // namespace

class TestHeaderControl : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void captionsFitOrEndInEllipsis_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("image");
        QTest::addColumn<int>("width");
        QTest::addColumn<bool>("cut");
        QTest::newRow("Herst./Lief. at its design width")
            << u"Herst./Lief."_s << true << 50 << true;
        QTest::newRow("Zusatz-Art at its design width") << u"Zusatz-Art"_s << true << 50 << true;
        QTest::newRow("TÜO fits") << u"TÜO"_s << true << 50 << false;
        QTest::newRow("Kennblatt-Nr. fits") << u"Kennblatt-Nr."_s << true << 150 << false;
        QTest::newRow("Änderung without image") << u"Änderung"_s << false << 50 << false;
        QTest::newRow("Änderung narrowed") << u"Änderung"_s << false << 40 << true;
        QTest::newRow("widened") << u"Herst./Lief."_s << true << 120 << false;
    }
    void captionsFitOrEndInEllipsis()
    {
        QFETCH(QString, caption);
        QFETCH(bool, image);
        QFETCH(int, width);
        QFETCH(bool, cut);
        HeaderControl header({{u"Davor"_s, 60, 0, true}, {caption, width, 0, image}});
        header.setFont(designFont(u"Verdana"_s, 11)); // the main window's
        header.setFixedHeight(17);
        header.resize(60 + width + 40, 17);
        header.show();
        QVERIFY(QTest::qWaitForWindowExposed(&header));
        const QString shown = header.shownCaption(1);
        if (cut) {
            QVERIFY2(shown.endsWith(u'…'), qPrintable(shown));
            QVERIFY(caption.startsWith(shown.chopped(1)));
        } else {
            QCOMPARE(shown, caption);
        }
        // What is painted ends before the section's edge, not cut off by it.
        const QList<int> dark = darkColumns(header, 1);
        QVERIFY(!dark.isEmpty());
        QVERIFY2(dark.last() < width - 3, qPrintable(QString::number(dark.last())));
        // ...and is painted whole: its ink is as wide as the text shown (the style clips what
        // does not fit its label's room).
        const int ink = dark.last() - dark.first() + 1;
        const int advance = header.fontMetrics().horizontalAdvance(shown);
        QVERIFY2(ink >= advance - 3, qPrintable(u"%1 %2"_s.arg(ink).arg(advance)));
        // With an arrow shown, the caption still fits beside it.
        if (image) {
            header.setSectionImage(1, SortArrow::Down);
            const QList<int> withArrow = darkColumns(header, 1);
            QVERIFY(withArrow.last() < width - 3);
            // The arrow itself is painted left of the caption, for the screen's own pixels.
            QVERIFY(withArrow.first() < dark.first());
            const qreal ratio = header.devicePixelRatio();
            const QIcon arrow =
                header.model()->headerData(1, Qt::Horizontal, Qt::DecorationRole).value<QIcon>();
            QCOMPARE(arrow.pixmap(QSize(SortArrowWidth, SortArrowHeight), ratio).size(),
                     QSize(SortArrowWidth, SortArrowHeight) * ratio);
        }
    }
};

QTEST_MAIN(TestHeaderControl)
#include "tst_headercontrol.moc"
