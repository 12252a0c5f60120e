#include "catalogue/tkennblattliste.h"
#include "fourrecords.h"
#include "list/kennblattlistmodel.h"
#include "list/listbuilder.h"
#include "platform/apperror.h"

#include <QAbstractItemModelTester>
#include <QItemSelectionModel>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

FilterState filters(QByteArray nr = {}, QByteArray marke = {}, qint32 changeIndex = 0)
{
    FilterState state;
    state.texts[0] = std::move(nr);
    state.texts[1] = std::move(marke);
    state.changeFilterIndex = changeIndex;
    return state;
}

QList<QByteArray> numbers(const KennblattListModel &model)
{
    QList<QByteArray> result;
    for (int row = 0; row < model.rowCount(); ++row)
        result.append(model.kennblatt(row).GetNummer());
    return result;
}

} // namespace

class TestListBuilder : public QObject
{
    Q_OBJECT

    TKennblattListe m_catalogue;

private Q_SLOTS:
    void initTestCase() { addFourRecords(m_catalogue); }

    void noFilterListsEverySheetSortedByNumber()
    {
        KennblattListModel model(m_catalogue);
        QAbstractItemModelTester tester(&model);
        ListBuilder builder(m_catalogue, model);
        qint32 sortOrder = 0;
        QVERIFY(builder.RebuildList(filters(), true, sortOrder));
        QCOMPARE(model.rowCount(), m_catalogue.Count());
        QCOMPARE(numbers(model),
                 (QList<QByteArray>{"00010.02", "00012.00", "00020.03", "00030.01"}));
        QCOMPARE(sortOrder, 1); // stored by the first comparison
        QCOMPARE(model.data(model.index(3, 6)).toString(), u"**"_s);
        QCOMPARE(model.data(model.index(0, 6)).toString(), QString());
        QCOMPARE(model.data(model.index(0, 2)).toString(), u"Flux 1"_s);
    }

    void skipTestComparesUntrimmedTexts()
    {
        KennblattListModel model(m_catalogue);
        ListBuilder builder(m_catalogue, model);
        qint32 sortOrder = 0;
        QVERIFY(builder.RebuildList(filters("0001"), true, sortOrder));
        QCOMPARE(model.rowCount(), 2);

        QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
        QSignalSpy layouts(&model, &QAbstractItemModel::layoutChanged);
        QVERIFY(!builder.RebuildList(filters("0001"), true, sortOrder));
        QCOMPARE(resets.count(), 0);
        QCOMPARE(layouts.count(), 0);

        // A blank before the text is another text: rebuilt, same rows.
        QVERIFY(builder.RebuildList(filters(" 0001"), true, sortOrder));
        QCOMPARE(resets.count(), 1);
        QCOMPARE(model.rowCount(), 2);
        QCOMPARE(builder.lastApplied().texts[0], QByteArray(" 0001"));
    }

    void firstBuildRunsEvenWithEmptyFilters()
    {
        KennblattListModel model(m_catalogue);
        ListBuilder builder(m_catalogue, model);
        qint32 sortOrder = 0;
        QVERIFY(builder.RebuildList(filters(), true, sortOrder));
        QVERIFY(!builder.RebuildList(filters(), true, sortOrder));
        builder.forgetLastApplied();
        QVERIFY(builder.RebuildList(filters(), true, sortOrder));
    }

    void changeFilter_data()
    {
        QTest::addColumn<qint32>("index");
        QTest::addColumn<QList<QByteArray>>("rows");
        QTest::newRow("Alle") << 0
                              << QList<QByteArray>{"00010.02", "00012.00", "00020.03", "00030.01"};
        QTest::newRow("Geänderte") << 1 << QList<QByteArray>{"00012.00", "00030.01"};
        QTest::newRow("Nicht geänderte") << 2 << QList<QByteArray>{"00010.02", "00020.03"};
        QTest::newRow("no choice")
            << -1 << QList<QByteArray>{"00010.02", "00012.00", "00020.03", "00030.01"};
    }
    void changeFilter()
    {
        QFETCH(qint32, index);
        QFETCH(QList<QByteArray>, rows);
        KennblattListModel model(m_catalogue);
        ListBuilder builder(m_catalogue, model);
        qint32 sortOrder = 1;
        builder.RebuildList(filters({}, {}, index), true, sortOrder);
        QCOMPARE(numbers(model), rows);
    }

    void filterModeSwitchesMatching()
    {
        KennblattListModel model(m_catalogue);
        ListBuilder builder(m_catalogue, model);
        qint32 sortOrder = 1;
        builder.RebuildList(filters({}, "ox"), true, sortOrder);
        QCOMPARE(model.rowCount(), 0);
        builder.setFilterMode(FilterMode::Substring);
        builder.forgetLastApplied();
        builder.RebuildList(filters({}, "ox"), true, sortOrder);
        QCOMPARE(numbers(model), (QList<QByteArray>{"00020.03", "00030.01"}));
    }

    void keyFilterTextsAreTrimmed()
    {
        KennblattListModel model(m_catalogue);
        ListBuilder builder(m_catalogue, model);
        qint32 sortOrder = 1;
        FilterState state;
        state.texts[3] = " h1 ";
        builder.RebuildList(state, true, sortOrder);
        QCOMPARE(numbers(model), (QList<QByteArray>{"00020.03", "00030.01"}));
        state.texts[3] = "Hersteller Eins"; // a name, not a key
        builder.RebuildList(state, true, sortOrder);
        QCOMPARE(model.rowCount(), 0);
    }

    void unknownChangeFlagStopsTheBuild()
    {
        TKennblattListe catalogue;
        catalogue.Add("2.0", "b", "", "", "", "", 1);
        catalogue.Add("1.0", "a", "", "", "", "", 1);
        catalogue.Add("3.0", "c", "", "", "", "", 0);
        catalogue.Add("4.0", "d", "", "", "", "", 2);
        KennblattListModel model(catalogue);
        QAbstractItemModelTester tester(&model);
        ListBuilder builder(catalogue, model);
        qint32 sortOrder = 0;
        try {
            builder.RebuildList(filters(), true, sortOrder);
            QFAIL("no error raised");
        } catch (const AppError &e) {
            QCOMPARE(e.text(), u"Unbekanntes Änderungsflag bei Kennblatt gefunden"_s);
        }
        // The rows before it stay, in catalogue order (no sort ran); the filters count as applied.
        QCOMPARE(numbers(model), (QList<QByteArray>{"00002.00", "00001.00"}));
        QCOMPARE(sortOrder, 0);
        QVERIFY(!builder.RebuildList(filters(), true, sortOrder));
        // A filter that leaves the bad sheet out builds normally.
        QVERIFY(builder.RebuildList(filters({}, {}, 1), true, sortOrder));
        QCOMPARE(numbers(model), (QList<QByteArray>{"00004.00"}));
    }

    void withoutClearFirstRowsAreOnlyAddedToAnEmptyList()
    {
        KennblattListModel model(m_catalogue);
        ListBuilder builder(m_catalogue, model);
        qint32 sortOrder = 1;
        builder.RebuildList(filters("0001"), false, sortOrder);
        QCOMPARE(model.rowCount(), 2);
        builder.RebuildList(filters("0003"), false, sortOrder);
        QCOMPARE(model.rowCount(), 2);
    }

    void markedRowsFollowTheirRecordsWhenSorted()
    {
        KennblattListModel model(m_catalogue);
        QAbstractItemModelTester tester(&model);
        QItemSelectionModel selection(&model);
        ListBuilder builder(m_catalogue, model);
        qint32 sortOrder = 0;
        builder.RebuildList(filters(), true, sortOrder);
        // Mark 00010.02 and 00030.01.
        for (int row : {0, 3})
            selection.select(model.index(row, 0),
                             QItemSelectionModel::Select | QItemSelectionModel::Rows);
        sortOrder = -1;
        builder.sortRows(sortOrder);
        QCOMPARE(numbers(model),
                 (QList<QByteArray>{"00030.01", "00020.03", "00012.00", "00010.02"}));
        QList<QByteArray> marked;
        for (const QModelIndex &index : selection.selectedRows())
            marked.append(model.kennblatt(index.row()).GetNummer());
        std::sort(marked.begin(), marked.end());
        QCOMPARE(marked, (QList<QByteArray>{"00010.02", "00030.01"}));
        QVERIFY(selection.isRowSelected(0) && selection.isRowSelected(3));
        QVERIFY(!selection.isRowSelected(1));
    }
};

QTEST_GUILESS_MAIN(TestListBuilder)
#include "tst_listbuilder.moc"
