#include "platform/apperror.h"
#include "platform/cp1252.h"
#include "printing/reportparameters.h"
#include "testfiles.h"
#include "vectorcurrentlist.h"

#include <QTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(FilterState)
Q_DECLARE_METATYPE(ListReportOrder)

namespace {

// The filter texts in the order number, Marke, Pulver, manufacturer, kind, organisation.
FilterState filters(const QStringList &texts, qint32 changeIndex = 0)
{
    FilterState state;
    for (qsizetype i = 0; i < texts.size(); ++i)
        state.texts[std::size_t(i)] = Cp1252::fromUnicode(texts[i]);
    state.changeFilterIndex = changeIndex;
    return state;
}

} // namespace

class TestReportParameters : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void sortDescription_data()
    {
        QTest::addColumn<qint32>("sortOrder");
        QTest::addColumn<QString>("expected"); // null: no description
        const QString columns[] = {u"Kennblattnummer"_s, u"Marke"_s, u"Pulver"_s,  u"Hersteller"_s,
                                   u"Zusatz"_s,          u"TÜO"_s,   u"Änderung"_s};
        QTest::newRow("0 as 1") << 0 << u"Sortiert nach Kennblattnummer"_s;
        for (qint32 n = 1; n <= 7; ++n) {
            const QString text = u"Sortiert nach "_s + columns[n - 1];
            QTest::addRow("%d", n) << n << text;
            QTest::addRow("%d", -n) << -n << text + u" absteigend"_s;
        }
        QTest::newRow("8") << 8 << QString();
        QTest::newRow("-8") << -8 << QString();
        QTest::newRow("min") << std::numeric_limits<qint32>::min() << QString();
    }

    void sortDescription()
    {
        QFETCH(qint32, sortOrder);
        QFETCH(QString, expected);
        QCOMPARE(SortDescription(sortOrder).value_or(QString()), expected);
        QCOMPARE(SortDescription(sortOrder).has_value(), !expected.isNull());
    }

    void filterDescription_data()
    {
        QTest::addColumn<FilterState>("state");
        QTest::addColumn<QString>("expected");
        QTest::newRow("Marke and changed")
            << filters({QString(), u"Fox"_s}, 1) << u"Marke = 'Fox', Geändert = 'Ja'"_s;
        QTest::newRow("blanks and control characters trimmed")
            << filters({QString(), u"  \tFox \r"_s}) << u"Marke = 'Fox'"_s;
        QTest::newRow("every filter, unchanged")
            << filters({u"012*"_s, u"Fox"_s, u"UV 420"_s, u"BÖH"_s, u"UP"_s, u"TÜV"_s}, 2)
            << u"Kennblattnummer = '012*', Marke = 'Fox', Pulver = 'UV 420', "
               "Herst./Lief. = 'BÖH', Zusatz = 'UP', TÜO = 'TÜV', Geändert = 'Nein'"_s;
        QTest::newRow("only the organisation")
            << filters({QString(), {}, {}, {}, {}, u"TÜV"_s}) << u"TÜO = 'TÜV'"_s;
        // No entry chosen counts as a filter but adds no text and no separator.
        QTest::newRow("change filter without entry")
            << filters({QString(), u"Fox"_s}, -1) << u"Marke = 'Fox'"_s;
    }

    void filterDescription()
    {
        QFETCH(FilterState, state);
        QFETCH(QString, expected);
        QCOMPARE(FilterDescription(state), expected);
    }

    // A full-text restriction is named after the column filters, in their form.
    void restrictionInTheFilterDescription()
    {
        const RecordRestriction restriction{u"argon 1.4404"_s, {1, 2}};
        QCOMPARE(restriction.description(), u"Volltext = 'argon 1.4404'"_s);
        QCOMPARE(FilterDescription({}, &restriction), u"Volltext = 'argon 1.4404'"_s);
        QCOMPARE(FilterDescription(filters({QString(), u"Fox"_s}, 2), &restriction),
                 u"Marke = 'Fox', Geändert = 'Nein', Volltext = 'argon 1.4404'"_s);
        QVERIFY(listIsFiltered({}, &restriction));
        QVERIFY(!listIsFiltered({}, nullptr));
    }

    void runOrder_data()
    {
        QTest::addColumn<int>("printKind");
        QTest::addColumn<qint32>("sortOrder");
        QTest::addColumn<FilterState>("state");
        QTest::addColumn<QString>("restriction"); // the query; null for none
        QTest::addColumn<ListReportOrder>("expected");
        const QString norvenz = u"Ausgabe Frühjahr 2026"_s;
        const QString fassung = u"2026.1"_s;
        QTest::newRow("list without filter")
            << 0 << 2 << FilterState{} << QString()
            << ListReportOrder{u"Sortiert nach Marke"_s, {}, std::nullopt, false, norvenz, fassung};
        QTest::newRow("filtered list")
            << 0 << -1 << filters({QString(), u" Fox "_s}, 1) << QString()
            << ListReportOrder{u"Sortiert nach Kennblattnummer absteigend"_s,
                               u"Liste ist gefiltert"_s,
                               u"Marke = 'Fox', Geändert = 'Ja'"_s,
                               false,
                               norvenz,
                               fassung};
        QTest::newRow("marked rows of a filtered list")
            << 2 << 6 << filters({QString(), u"Fox"_s}) << QString()
            << ListReportOrder{u"Sortiert nach TÜO"_s,
                               u"Nur markierte Kennblätter"_s,
                               std::nullopt,
                               true,
                               norvenz,
                               fassung};
        QTest::newRow("unknown sort order")
            << 0 << 9 << FilterState{} << QString()
            << ListReportOrder{std::nullopt, {}, std::nullopt, false, norvenz, fassung};
        QTest::newRow("full-text restriction alone")
            << 0 << 1 << FilterState{} << u"argon 1.4404"_s
            << ListReportOrder{u"Sortiert nach Kennblattnummer"_s,
                               u"Liste ist gefiltert"_s,
                               u"Volltext = 'argon 1.4404'"_s,
                               false,
                               norvenz,
                               fassung};
        QTest::newRow("full-text restriction and a filter")
            << 0 << 1 << filters({QString(), u"Fox"_s}) << u"argon"_s
            << ListReportOrder{u"Sortiert nach Kennblattnummer"_s,
                               u"Liste ist gefiltert"_s,
                               u"Marke = 'Fox', Volltext = 'argon'"_s,
                               false,
                               norvenz,
                               fassung};
        QTest::newRow("marked rows of a restricted list")
            << 2 << 1 << FilterState{} << u"argon"_s
            << ListReportOrder{u"Sortiert nach Kennblattnummer"_s,
                               u"Nur markierte Kennblätter"_s,
                               std::nullopt,
                               true,
                               norvenz,
                               fassung};
    }

    void runOrder()
    {
        QFETCH(int, printKind);
        QFETCH(qint32, sortOrder);
        QFETCH(FilterState, state);
        QFETCH(QString, restriction);
        QFETCH(ListReportOrder, expected);
        VectorCurrentList list;
        list.sort = sortOrder;
        list.filters = state;
        if (!restriction.isNull())
            list.restricted = RecordRestriction{restriction, {0}};
        const ListReportOrder order = listReportOrder(
            printKind, list, "2026.1", Cp1252::fromUnicode(u"Ausgabe Frühjahr 2026"));
        QCOMPARE(order.Sortiert, expected.Sortiert);
        QCOMPARE(order.Gefiltert, expected.Gefiltert);
        QCOMPARE(order.Filter, expected.Filter);
        QCOMPARE(order.NurMarkierte, expected.NurMarkierte);
        QCOMPARE(order.Norvenz, expected.Norvenz);
        QCOMPARE(order.Fassung, expected.Fassung);
    }

    void batchKindsAreNoReport()
    {
        VectorCurrentList list;
        QCOMPARE(errorOf([&] { (void)listReportOrder(1, list, {}, {}); }),
                 u"Unbekannte Druckart ausgewählt."_s);
        QCOMPARE(errorOf([&] { (void)listReportOrder(-1, list, {}, {}); }),
                 u"Unbekannte Druckart ausgewählt."_s);
    }
};

QTEST_GUILESS_MAIN(TestReportParameters)
#include "tst_reportparameters.moc"
