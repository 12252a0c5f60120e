// Numbers of data sheets in German: singular and plural, the dative plural after "von", and
// thousands grouped with a point.
#include "list/sheetcount.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestSheetCount : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void sheetCount_data()
    {
        QTest::addColumn<qsizetype>("count");
        QTest::addColumn<bool>("dative");
        QTest::addColumn<QString>("expected");
        QTest::newRow("none") << qsizetype(0) << false << u"0 Kennblätter"_s;
        QTest::newRow("one") << qsizetype(1) << false << u"1 Kennblatt"_s;
        QTest::newRow("one, dative") << qsizetype(1) << true << u"1 Kennblatt"_s;
        QTest::newRow("two") << qsizetype(2) << false << u"2 Kennblätter"_s;
        QTest::newRow("two, dative") << qsizetype(2) << true << u"2 Kennblättern"_s;
        QTest::newRow("thousands") << qsizetype(2500) << true << u"2.500 Kennblättern"_s;
        QTest::newRow("millions") << qsizetype(1234567) << false << u"1.234.567 Kennblätter"_s;
    }
    void sheetCount()
    {
        QFETCH(qsizetype, count);
        QFETCH(bool, dative);
        QFETCH(QString, expected);
        QCOMPARE(::sheetCount(count, dative ? GermanCase::Dative : GermanCase::Nominative),
                 expected);
    }
};

QTEST_GUILESS_MAIN(TestSheetCount)
#include "tst_sheetcount.moc"
