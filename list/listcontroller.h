#pragma once

#include "list/currentlist.h"
#include "list/filtermatch.h"
#include "list/listbuilder.h"

#include <QObject>

class DialogService;
class KennblattListModel;
class KennblattListView;
class QLabel;
class TKennblattListe;

// The catalogue list of the main window: its rows built from the catalogue through the
// filters, their sort order, the marking of rows with the count in the status text, and the
// gestures that open the data sheet of a row. Offers the list to the commands that work on it.
class ListController final : public QObject, public CurrentList
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ListController)

public:
    // Shows its rows in `view` and their number in `count`.
    ListController(DialogService &dialogs, const TKennblattListe &catalogue,
                   KennblattListView &view, QLabel &count, QObject *parent = nullptr);

    // Signed sort column: +n ascending, -n descending by column n; 0 until the first sort.
    qint32 SortOrder = 0;

    const KennblattListModel &model() const { return *m_model; }
    void setFilterMode(FilterMode mode) { m_builder.setFilterMode(mode); }
    // The next rebuild runs whatever the filters hold.
    void forgetLastApplied() { m_builder.forgetLastApplied(); }
    // Narrows the list to these records on top of the filters and rebuilds it, until it is
    // lifted; clearing the filters lifts it too. restrictionShown() says so after each build.
    void setRestriction(const RecordRestriction &restriction);
    void clearRestriction();
    // Lifts the restriction for the next build without building: after a filter reset, whose
    // commit builds.
    void forgetRestriction();

    // The filters as the filter bar committed them: kept for the later builds, and built.
    void applyFilters(const FilterState &filters);

    // Event handlers and the list build, with the filters last applied.
    void RebuildList(bool clearFirst);
    void hcKopfSectionClick(int section);
    void lvKennblaetterSelectItem();
    void lvKennblaetterDblClick();
    void lvKennblaetterKeyPress(int key);

    // CurrentList
    int rowCount() const override;
    const TKennblatt &kennblatt(int row) const override;
    bool isMarked(int row) const override;
    QList<int> markedRows() const override;
    qint32 sortOrder() const override { return SortOrder; }
    FilterState filterState() const override { return m_filters; }
    const RecordRestriction *restriction() const override;

Q_SIGNALS:
    // A header click chose the sort order; its column shows the arrow.
    void sortColumnChosen(qint32 sortOrder);
    void statusTextChanged(const QString &text);
    // After a build: the restriction in force (null: none) and the rows the list shows.
    void restrictionShown(const RecordRestriction *restriction, int rows);
    // The show command of the button beside the print button is to run.
    void showRequested();

private:
    KennblattListView &m_view;
    QLabel &m_count;
    KennblattListModel *m_model;
    ListBuilder m_builder;
    FilterState m_filters;
};
