// The narrowing of the list to a set of records on top of the filters: with the filters in
// the build, in the skip test, in what the list reports after a build and in the sign beside
// the filter-clear button, and lifted by the filter reset.
#include "catalogue/loadedcatalogue.h"
#include "catalogue/tkennblattliste.h"
#include "fourrecords.h"
#include "list/filterbar.h"
#include "list/kennblattlistmodel.h"
#include "list/kennblattlistview.h"
#include "list/listbuilder.h"
#include "list/listcontroller.h"
#include "list/restrictioncue.h"
#include "scripteddialogservice.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QList<QByteArray> numbers(const KennblattListModel &model)
{
    QList<QByteArray> result;
    for (int row = 0; row < model.rowCount(); ++row)
        result.append(model.kennblatt(row).GetNummer());
    return result;
}

RecordRestriction found(std::vector<qint32> records)
{
    return {u"fox"_s, std::move(records)};
}

} // namespace

class TestListRestriction : public QObject
{
    Q_OBJECT

    TKennblattListe m_catalogue;

private Q_SLOTS:
    void initTestCase() { addFourRecords(m_catalogue); }

    void restrictionAndFilters_data()
    {
        QTest::addColumn<std::vector<qint32>>("records");
        QTest::addColumn<QByteArray>("marke");
        QTest::addColumn<qint32>("changeIndex");
        QTest::addColumn<QList<QByteArray>>("rows");
        const std::vector<qint32> three = {0, 2, 3};
        QTest::newRow("alone") << three << QByteArray() << 0
                               << QList<QByteArray>{"00012.00", "00020.03", "00030.01"};
        QTest::newRow("with a text filter")
            << three << QByteArray("fox") << 0 << QList<QByteArray>{"00020.03", "00030.01"};
        QTest::newRow("with the change filter")
            << three << QByteArray() << 2 << QList<QByteArray>{"00020.03"};
        QTest::newRow("filter outside it")
            << std::vector<qint32>{1} << QByteArray("fox") << 0 << QList<QByteArray>();
        QTest::newRow("nothing found")
            << std::vector<qint32>{} << QByteArray() << 0 << QList<QByteArray>();
    }
    void restrictionAndFilters()
    {
        QFETCH(std::vector<qint32>, records);
        QFETCH(QByteArray, marke);
        QFETCH(qint32, changeIndex);
        QFETCH(QList<QByteArray>, rows);
        KennblattListModel model(m_catalogue);
        ListBuilder builder(m_catalogue, model);
        builder.setRestriction(found(records));
        FilterState state;
        state.texts[1] = marke;
        state.changeFilterIndex = changeIndex;
        qint32 sortOrder = 1;
        QVERIFY(builder.RebuildList(state, true, sortOrder));
        QCOMPARE(numbers(model), rows);
    }

    void onlyAChangedRestrictionRebuilds()
    {
        KennblattListModel model(m_catalogue);
        ListBuilder builder(m_catalogue, model);
        qint32 sortOrder = 1;
        QVERIFY(builder.RebuildList({}, true, sortOrder));
        builder.setRestriction(found({0, 2}));
        QVERIFY(builder.RebuildList({}, true, sortOrder));
        QCOMPARE(model.rowCount(), 2);
        builder.setRestriction(found({0, 2}));
        QVERIFY(!builder.RebuildList({}, true, sortOrder));
        builder.setRestriction(found({0}));
        QVERIFY(builder.RebuildList({}, true, sortOrder));
        QCOMPARE(model.rowCount(), 1);
        builder.setRestriction(std::nullopt);
        QVERIFY(builder.RebuildList({}, true, sortOrder));
        QCOMPARE(model.rowCount(), 4);
    }

    // The controller builds from the filters it was given, also when a restriction makes it
    // build again later; it never reads a filter control.
    void laterBuildsKeepTheAppliedFilters()
    {
        ScriptedDialogService dialogs;
        QWidget window;
        auto *view = new KennblattListView(&window);
        auto *count = new QLabel(&window);
        ListController list(dialogs, m_catalogue, *view, *count);
        FilterState fox;
        fox.texts[1] = "fox";
        list.applyFilters(fox);
        QCOMPARE(numbers(list.model()), (QList<QByteArray>{"00020.03", "00030.01"}));
        QCOMPARE(list.filterState(), fox);
        list.setRestriction(found({1, 2}));
        QCOMPARE(numbers(list.model()), QList<QByteArray>{"00020.03"});
        QCOMPARE(count->text(), u"1"_s);
        list.clearRestriction();
        QCOMPARE(numbers(list.model()), (QList<QByteArray>{"00020.03", "00030.01"}));
        QVERIFY(dialogs.shown().isEmpty());
    }

    void shownAfterEachBuildAndLiftedByTheFilterReset()
    {
        ScriptedDialogService dialogs;
        LoadedCatalogue lookups;
        QWidget window;
        FilterBar filters(dialogs, window, lookups);
        auto *view = new KennblattListView(&window);
        auto *count = new QLabel(&window);
        ListController list(dialogs, m_catalogue, *view, *count);
        // As the main window wires them.
        connect(&filters, &FilterBar::filtersCommitted, &list, &ListController::applyFilters);
        connect(&filters, &FilterBar::filtersCleared, &list, &ListController::forgetRestriction);
        QSignalSpy shown(&list, &ListController::restrictionShown);
        QSignalSpy status(&list, &ListController::statusTextChanged);
        list.RebuildList(true);
        QCOMPARE(shown.count(), 1);
        QCOMPARE(shown.last().at(0).value<const RecordRestriction *>(), nullptr);

        list.setRestriction(found({0, 1, 2}));
        QCOMPARE(shown.count(), 2);
        QCOMPARE(count->text(), u"3"_s);
        QCOMPARE(list.restriction()->query, u"fox"_s);
        QCOMPARE(shown.last().at(0).value<const RecordRestriction *>(), list.restriction());
        QCOMPARE(shown.last().at(1).toInt(), 3);
        // Another filter narrows further; the count is of the rows shown.
        auto *marke = window.findChild<QComboBox *>(u"cmbFilterMarke"_s);
        marke->setEditText(u"thermanit"_s);
        filters.cmbFilterKennblattNrKeyPress(marke, Qt::Key_Return);
        QCOMPARE(shown.last().at(1).toInt(), 1);
        // The status line is the marking's alone.
        QCOMPARE(status.count(), 0);

        // "Filter löschen" lifts it with the other filters.
        window.findChild<QPushButton *>(u"btnLoeschen"_s)->click();
        QCOMPARE(model(list).rowCount(), 4);
        QCOMPARE(list.restriction(), nullptr);
        QCOMPARE(shown.last().at(0).value<const RecordRestriction *>(), nullptr);
        QVERIFY(dialogs.shown().isEmpty());
    }

    // The sign: hidden without a restriction; as wide as its text where there is room,
    // shortened with "…" where there is not.
    void cueFitsItsRoom()
    {
        QWidget parent;
        parent.resize(600, 23);
        RestrictionCue cue(&parent);
        parent.show();
        const RecordRestriction restriction = found({0, 1});
        cue.setGeometry(100, 1, 0, 21);
        cue.place(100);
        cue.showRestriction(&restriction, 1234);
        QVERIFY(!cue.isHidden());
        QCOMPARE(cue.accessibleName(), u"Volltext 'fox': 1.234 \u00d7"_s);
        QCOMPARE(cue.width(), cue.sizeHint().width());
        QVERIFY(cue.toolTip().startsWith(
            u"Die Liste zeigt nur Kennblätter, die die Volltextsuche nach 'fox' gefunden hat: "
            u"1.234 Kennblätter."_s));

        RecordRestriction longer = restriction;
        longer.query = u"Schutzgas M21 Grundwerkstoff S355J2 Kerbschlagarbeit"_s;
        cue.showRestriction(&longer, 1);
        QCOMPARE(cue.width(), cue.sizeHint().width());
        parent.resize(300, 23);
        QCOMPARE(cue.width(), 300 - 100 - 2);
        cue.place(150);
        QCOMPARE(cue.width(), 300 - 150 - 2);

        cue.showRestriction(nullptr, 4);
        QVERIFY(cue.isHidden());
    }

private:
    static const KennblattListModel &model(const ListController &list) { return list.model(); }
};

QTEST_MAIN(TestListRestriction)
#include "tst_listrestriction.moc"
