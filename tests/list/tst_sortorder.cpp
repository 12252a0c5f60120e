#include "catalogue/tkennblatt.h"
#include "catalogue/tkennblattliste.h"
#include "list/sortorder.h"
#include "list/sortranking.h"

#include <QRandomGenerator>
#include <QTest>

#include <algorithm>
#include <numeric>

namespace {

TKennblatt row(QByteArrayView nummer, QByteArray marke, QByteArray hersteller, quint8 flag)
{
    TKennblatt k;
    k.SetNummer(nummer);
    k.Marke = std::move(marke);
    k.HerstLiefSchl = std::move(hersteller);
    k.AenderungsFlag = flag;
    return k;
}

} // namespace

class TestSortOrder : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void rowLayout()
    {
        TKennblatt k = row("815.0", "Fox", "HL", 2);
        k.Pulvermarke = "P";
        k.ZusatzSchl = "Z";
        k.InfoGeberSchl = "T";
        const QByteArray expected[] = {"00815.00", "Fox", "P", "HL", "Z", "T", "**", ""};
        for (int column = 0; column < ListColumnCount; ++column)
            QCOMPARE(rowText(k, column).toByteArray(), expected[column]);
        k.AenderungsFlag = 1;
        QVERIFY(rowText(k, int(ListColumn::Aenderung)).isEmpty());
    }

    void compare_data()
    {
        QTest::addColumn<qint32>("sortOrder");
        QTest::addColumn<QByteArray>("nr1");
        QTest::addColumn<QByteArray>("marke1");
        QTest::addColumn<QByteArray>("nr2");
        QTest::addColumn<QByteArray>("marke2");
        QTest::addColumn<int>("result");
        QTest::newRow("number ascending")
            << 1 << QByteArray("9.0") << QByteArray() << QByteArray("10.0") << QByteArray() << -1;
        QTest::newRow("number descending")
            << -1 << QByteArray("9.0") << QByteArray() << QByteArray("10.0") << QByteArray() << 1;
        QTest::newRow("zero sorts by number")
            << 0 << QByteArray("2.0") << QByteArray() << QByteArray("1.0") << QByteArray() << 1;
        QTest::newRow("brand ignores ASCII case") << 2 << QByteArray("1.0") << QByteArray("fox")
                                                  << QByteArray("2.0") << QByteArray("FOX") << 0;
        QTest::newRow("brand descending equal") << -2 << QByteArray("1.0") << QByteArray("fox")
                                                << QByteArray("2.0") << QByteArray("FOX") << 0;
        QTest::newRow("umlaut after every letter") << 2 << QByteArray("1.0") << QByteArray("\xd6l")
                                                   << QByteArray("2.0") << QByteArray("zink") << 1;
        QTest::newRow("umlaut case not folded") << 2 << QByteArray("1.0") << QByteArray("\xe4")
                                                << QByteArray("2.0") << QByteArray("\xc4") << 1;
        QTest::newRow("empty brand first")
            << 2 << QByteArray("1.0") << QByteArray() << QByteArray("2.0") << QByteArray("A") << -1;
        QTest::newRow("prefix first") << 2 << QByteArray("1.0") << QByteArray("Fox")
                                      << QByteArray("2.0") << QByteArray("Fox 2") << -1;
    }
    void compare()
    {
        QFETCH(qint32, sortOrder);
        QFETCH(QByteArray, nr1);
        QFETCH(QByteArray, marke1);
        QFETCH(QByteArray, nr2);
        QFETCH(QByteArray, marke2);
        QFETCH(int, result);
        const TKennblatt a = row(nr1, marke1, "", 1);
        const TKennblatt b = row(nr2, marke2, "", 1);
        qint32 order = sortOrder;
        QCOMPARE(lvKennblaetterCompare(a, b, order), result);
        QCOMPARE(order, sortOrder == 0 ? 1 : sortOrder);
    }

    void keysSortAsText()
    {
        qint32 order = 4;
        QCOMPARE(lvKennblaetterCompare(row("1.0", "", "10", 1), row("1.0", "", "9", 1), order), -1);
    }

    void changeMarkAscendingPutsUnchangedFirst()
    {
        qint32 order = 7;
        QCOMPARE(lvKennblaetterCompare(row("1.0", "", "", 1), row("1.0", "", "", 2), order), -1);
        order = -7;
        QCOMPARE(lvKennblaetterCompare(row("1.0", "", "", 1), row("1.0", "", "", 2), order), 1);
    }

    void clicks_data()
    {
        QTest::addColumn<qint32>("before");
        QTest::addColumn<int>("section");
        QTest::addColumn<qint32>("after");
        QTest::newRow("first click on number after a sort reverses") << 1 << 0 << -1;
        QTest::newRow("click on number before any comparison") << 0 << 0 << 1;
        QTest::newRow("Marke ascending") << 1 << 1 << 2;
        QTest::newRow("Marke again descending") << 2 << 1 << -2;
        QTest::newRow("Marke a third time ascending") << -2 << 1 << 2;
        QTest::newRow("Pulver after Marke descending") << -2 << 2 << 3;
        QTest::newRow("change column") << 3 << 6 << 7;
    }
    void clicks()
    {
        QFETCH(qint32, before);
        QFETCH(int, section);
        QFETCH(qint32, after);
        QCOMPARE(sortOrderAfterClick(before, section), after);
    }

    // The ranked order must be exactly the order of a stable sort with the row comparison.
    void rankingAgreesWithTheComparison()
    {
        QRandomGenerator random(7);
        const QByteArray pieces[] = {"fox",
                                     "FOX",
                                     "Fox 2",
                                     "fox 2",
                                     "\xd6l",
                                     "\xf6l",
                                     "a",
                                     "",
                                     "Thermanit 25/14",
                                     "thermanit 25/14",
                                     "Thermanit 25/1",
                                     "Schwei\xdf"
                                     "draht",
                                     "10",
                                     "9",
                                     "**",
                                     "abcdefgh",
                                     "ABCDEFGHI"};
        TKennblattListe catalogue;
        for (int i = 0; i < 600; ++i) {
            const QByteArray nummer = QByteArray::number(random.bounded(300)) + '.' +
                                      QByteArray::number(random.bounded(3));
            catalogue.Add(nummer,
                          pieces[random.bounded(17)] +
                              (random.bounded(3) == 0 ? pieces[random.bounded(17)] : ""),
                          pieces[random.bounded(17)], pieces[random.bounded(17)].left(4),
                          pieces[random.bounded(17)], pieces[random.bounded(17)].left(2),
                          quint8(1 + random.bounded(2)));
        }
        std::vector<qint32> records(std::size_t(catalogue.Count()));
        std::iota(records.begin(), records.end(), 0);
        for (qint32 order : {1, -1, 2, -2, 3, -3, 4, -4, 5, -5, 6, -6, 7, -7}) {
            std::vector<qint32> expected = records;
            qint32 expectedOrder = order;
            std::stable_sort(expected.begin(), expected.end(), [&](qint32 a, qint32 b) {
                return lvKennblaetterCompare(catalogue.Get(a), catalogue.Get(b), expectedOrder) < 0;
            });
            const SortRanking ranking(catalogue, std::abs(order) - 1);
            QVERIFY2(ranking.order(order > 0) == expected, qPrintable(QString::number(order)));
        }
    }

    // Texts of up to eight bytes are ranked by an eight-byte key alone; a ninth byte must
    // take the full comparison.
    void rankingAroundTheEightByteKey_data()
    {
        QTest::addColumn<QList<QByteArray>>("keys");
        QTest::newRow("eight bytes") << QList<QByteArray>{"ABCDEFGZ", "abcdefga", "ABCDEFG"};
        QTest::newRow("nine bytes, the ninth differs")
            << QList<QByteArray>{"ABCDEFGHZ", "abcdefghA", "ABCDEFGH"};
        QTest::newRow("eight and nine bytes")
            << QList<QByteArray>{"ABCDEFGHI", "ABCDEFGH", "ABCDEFGA"};
    }
    void rankingAroundTheEightByteKey()
    {
        QFETCH(QList<QByteArray>, keys);
        TKennblattListe catalogue;
        for (qsizetype i = 0; i < keys.size(); ++i)
            catalogue.Add(QByteArray(QByteArray::number(i + 1) + ".0"), "", "", keys.at(i), "", "",
                          1);
        const SortRanking ranking(catalogue, int(ListColumn::HerstLiefSchl));
        for (const bool ascending : {true, false}) {
            std::vector<qint32> expected(std::size_t(catalogue.Count()));
            std::iota(expected.begin(), expected.end(), 0);
            qint32 order = ascending ? 4 : -4;
            std::stable_sort(expected.begin(), expected.end(), [&](qint32 a, qint32 b) {
                return lvKennblaetterCompare(catalogue.Get(a), catalogue.Get(b), order) < 0;
            });
            QCOMPARE(ranking.order(ascending), expected);
        }
    }

    void equalTextsKeepCatalogueOrderBothWays()
    {
        TKennblattListe catalogue;
        for (const char *nr : {"3.0", "1.0", "2.0"})
            catalogue.Add(nr, "same", "", "", "", "", 1);
        catalogue.Add("4.0", "SAME", "", "", "", "", 1);
        catalogue.Add("5.0", "other", "", "", "", "", 1);
        const SortRanking ranking(catalogue, int(ListColumn::Marke));
        QCOMPARE(ranking.order(true), (std::vector<qint32>{4, 0, 1, 2, 3}));
        QCOMPARE(ranking.order(false), (std::vector<qint32>{0, 1, 2, 3, 4}));
    }
};

QTEST_GUILESS_MAIN(TestSortOrder)
#include "tst_sortorder.moc"
