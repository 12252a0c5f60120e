#include "catalogue/tkennblattliste.h"
#include "platform/apperror.h"

#include "testfiles.h"
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString badNumber = u"Nummer im falschen Format übergeben."_s;

void addNumber(TKennblattListe &list, QByteArrayView number)
{
    list.Add(number, "Marke", "Pulver", "HL", "ZS", "IG", 1);
}

} // namespace

class TestKennblattListe : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void numberText_data()
    {
        QTest::addColumn<qint32>("haupt");
        QTest::addColumn<qint32>("unter");
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("padded") << 1234 << 5 << QByteArray("01234.05");
        QTest::newRow("zeros") << 7 << 0 << QByteArray("00007.00");
        QTest::newRow("cut to five and two") << 123456 << 123 << QByteArray("23456.23");
        QTest::newRow("hundred thousand") << 100000 << 0 << QByteArray("00000.00");
        QTest::newRow("negative main") << -5 << 0 << QByteArray("000-5.00");
        QTest::newRow("negative sub") << 1 << -1 << QByteArray("00001.-1");
        QTest::newRow("minimum") << std::numeric_limits<qint32>::min()
                                 << std::numeric_limits<qint32>::min() << QByteArray("83648.48");
        QTest::newRow("maximum") << std::numeric_limits<qint32>::max() << 99
                                 << QByteArray("83647.99");
    }
    void numberText()
    {
        QFETCH(qint32, haupt);
        QFETCH(qint32, unter);
        QFETCH(QByteArray, text);
        TKennblatt k;
        k.SetHauptnummer(haupt);
        k.SetUnternummer(unter);
        QCOMPARE(k.GetNummer(), text);
    }

    void newRecordReadsZero() { QCOMPARE(TKennblatt().GetNummer(), QByteArray("00000.00")); }

    void setNummerAccepts_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<qint32>("haupt");
        QTest::addColumn<qint32>("unter");
        QTest::addColumn<QByteArray>("normalised");
        QTest::newRow("short") << QByteArray("1234.5") << 1234 << 5 << QByteArray("01234.05");
        QTest::newRow("normal form")
            << QByteArray("01234.05") << 1234 << 5 << QByteArray("01234.05");
        QTest::newRow("blanks before") << QByteArray("  12.3") << 12 << 3 << QByteArray("00012.03");
        QTest::newRow("blanks before sub")
            << QByteArray("12. 3") << 12 << 3 << QByteArray("00012.03");
        QTest::newRow("long sub") << QByteArray("1.234") << 1 << 234 << QByteArray("00001.34");
        QTest::newRow("signs") << QByteArray("+7.-0") << 7 << 0 << QByteArray("00007.00");
        QTest::newRow("32-bit limits")
            << QByteArray("-2147483648.2147483647") << std::numeric_limits<qint32>::min()
            << std::numeric_limits<qint32>::max() << QByteArray("83648.47");
    }
    void setNummerAccepts()
    {
        QFETCH(QByteArray, text);
        QFETCH(qint32, haupt);
        QFETCH(qint32, unter);
        QFETCH(QByteArray, normalised);
        TKennblatt k;
        k.SetNummer(text);
        QCOMPARE(k.Hauptnummer(), haupt);
        QCOMPARE(k.Unternummer(), unter);
        QCOMPARE(k.GetNummer(), normalised);
    }

    void setNummerRejects_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("no dot") << QByteArray("1234");
        QTest::newRow("dot at end") << QByteArray("1234.");
        QTest::newRow("dot first") << QByteArray(".5");
        QTest::newRow("letter after") << QByteArray("12.3a");
        QTest::newRow("comma") << QByteArray("12,3");
        QTest::newRow("two dots") << QByteArray("1.2.3");
        QTest::newRow("blank after") << QByteArray("12.3 ");
        QTest::newRow("tab before") << QByteArray("\t12.3");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("sign only") << QByteArray("-.5");
        QTest::newRow("hex with 0x") << QByteArray("0x10.05");
        QTest::newRow("hex with dollar") << QByteArray("$10.05");
        QTest::newRow("main overflow") << QByteArray("2147483648.1");
        QTest::newRow("sub overflow") << QByteArray("1.99999999999999999999999999");
        QTest::newRow("thousands of digits") << QByteArray(5000, '9') + ".1";
        QTest::newRow("NUL byte") << QByteArray("12\0.3", 5);
        QTest::newRow("umlaut") << QByteArray("1\xe4.3");
    }
    void setNummerRejects()
    {
        QFETCH(QByteArray, text);
        TKennblatt k;
        QCOMPARE(errorOf([&] { k.SetNummer(text); }), badNumber);
    }

    void failedSubKeepsMainPart()
    {
        TKennblatt k;
        QCOMPARE(errorOf([&] { k.SetNummer("42.x"); }), badNumber);
        QCOMPARE(k.Hauptnummer(), 42);
        QCOMPARE(k.Unternummer(), 0);
    }

    void getOnEmptyList()
    {
        TKennblattListe list;
        QCOMPARE(list.Count(), 0);
        QCOMPARE(errorOf([&] { list.Get(0); }), u"Index groesser Anzahl angegeben"_s);
        QCOMPARE(errorOf([&] { list.Get(5); }), u"Index groesser Anzahl angegeben"_s);
        QCOMPARE(errorOf([&] { list.Get(-1); }), u"Index kleiner 0 angegeben"_s);
    }

    void addStoresEveryField()
    {
        TKennblattListe list;
        list.Add("1234.5", "Fox \xd6l", "", "HL1", "Z1", "IG1", 2);
        QCOMPARE(list.Count(), 1);
        const TKennblatt &k = list.Get(0);
        QCOMPARE(k.Hauptnummer(), 1234);
        QCOMPARE(k.Unternummer(), 5);
        QCOMPARE(k.GetNummer(), QByteArray("01234.05"));
        QCOMPARE(k.Marke, QByteArray("Fox \xd6l"));
        QVERIFY(k.Pulvermarke.isEmpty());
        QCOMPARE(k.HerstLiefSchl, QByteArray("HL1"));
        QCOMPARE(k.ZusatzSchl, QByteArray("Z1"));
        QCOMPARE(k.InfoGeberSchl, QByteArray("IG1"));
        QCOMPARE(k.AenderungsFlag, quint8(2));
        QCOMPARE(errorOf([&] { list.Get(1); }), u"Index groesser Anzahl angegeben"_s);
    }

    void failedAddReusesItsSlot()
    {
        TKennblattListe list;
        addNumber(list, "1.1");
        QCOMPARE(errorOf([&] { addNumber(list, "12"); }), badNumber);
        QCOMPARE(list.Count(), 1);
        QCOMPARE(errorOf([&] { list.Get(1); }), u"Index groesser Anzahl angegeben"_s);
        addNumber(list, "2.2");
        QCOMPARE(list.Count(), 2);
        QCOMPARE(list.Get(0).GetNummer(), QByteArray("00001.01"));
        QCOMPARE(list.Get(1).GetNummer(), QByteArray("00002.02"));
        QVERIFY(&list.Get(0) != &list.Get(1));
    }

    void recordsKeepTheirAddressWhileTheListGrows()
    {
        TKennblattListe list;
        addNumber(list, "1.1");
        const TKennblatt *first = &list.Get(0);
        for (int i = 0; i < 40000; ++i)
            addNumber(list, "3.3");
        QCOMPARE(&list.Get(0), first);
        QCOMPARE(list.Count(), 40001);
    }

    // The list keeps the texts' bytes itself: they read back unchanged, and as C strings,
    // after the list has grown by more than one block of records and of texts.
    void textsReadBackAfterTheListGrows_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("one byte") << QByteArray("x");
        QTest::newRow("umlaut") << QByteArray("Fox \xd6l");
        QTest::newRow("200,000 bytes") << QByteArray(200'000, 'L');
        QTest::newRow("3 MiB") << QByteArray(3 << 20, 'M');
    }
    void textsReadBackAfterTheListGrows()
    {
        QFETCH(QByteArray, text);
        TKennblattListe list;
        list.Add("1.1", text, "P", "H", "Z", "I", 1);
        const QByteArray filler(60, 'f');
        for (int i = 0; i < 40000; ++i)
            list.Add("2.2", filler, filler, {}, {}, {}, 1);
        list.Add("3.3", text, {}, {}, {}, {}, 2);
        for (const qint32 index : {0, list.Count() - 1}) {
            const QByteArray &marke = list.Get(index).Marke;
            QCOMPARE(marke, text);
            QCOMPARE(qstrlen(marke.constData()), uint(text.size()));
        }
        QCOMPARE(list.Get(0).InfoGeberSchl, QByteArray("I"));
        QCOMPARE(list.Get(20000).Pulvermarke, filler);
    }

    void duplicateNumbersAreKept()
    {
        TKennblattListe list;
        addNumber(list, "7.1");
        addNumber(list, "7.1");
        QCOMPARE(list.Count(), 2);
    }
};

QTEST_GUILESS_MAIN(TestKennblattListe)
#include "tst_kennblattliste.moc"
