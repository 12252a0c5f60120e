#include "catalogue/lookuplist.h"

#include <QTest>

class TestLookupList : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void lookup_data()
    {
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<QByteArray>("name");
        QTest::newRow("exact") << QByteArray("BOE") << QByteArray("B\xf6hler Schwei\xdftechnik");
        QTest::newRow("other case")
            << QByteArray("boe") << QByteArray("B\xf6hler Schwei\xdftechnik");
        QTest::newRow("last duplicate wins") << QByteArray("TUV") << QByteArray("T\xdcV Nord");
        QTest::newRow("duplicate in other case") << QByteArray("tuv") << QByteArray("T\xdcV Nord");
        QTest::newRow("umlaut key, other case") << QByteArray("\xe4g") << QByteArray("\xc4gypten");
        QTest::newRow("missing key") << QByteArray("XYZ") << QByteArray();
        QTest::newRow("Alle is no key") << QByteArray("Alle") << QByteArray();
        QTest::newRow("prefix of a key") << QByteArray("BO") << QByteArray();
        QTest::newRow("name keeps its equals sign") << QByteArray("EQ") << QByteArray("a=b");
        QTest::newRow("empty key") << QByteArray() << QByteArray("leer");
    }
    void lookup()
    {
        QFETCH(QByteArray, key);
        QFETCH(QByteArray, name);
        LookupList list;
        list.Add("BOE", "B\xf6hler Schwei\xdftechnik");
        list.Add("TUV", "T\xdcV S\xfc"
                        "d");
        list.Add("\xc4G", "\xc4gypten");
        list.Add("EQ", "a=b");
        list.Add("", "leer");
        list.Add("Tuv", "T\xdcV Nord");
        QCOMPARE(list.NameOf(key), name);
    }

    void linesKeepTableOrder()
    {
        LookupList list;
        list.Add("B", "zwei");
        list.Add("A", "eins");
        QCOMPARE(list.Count(), 2);
        QCOMPARE(list.lines(), (QList<QByteArray>{"B=zwei", "A=eins"}));
    }
};

QTEST_GUILESS_MAIN(TestLookupList)
#include "tst_lookuplist.moc"
