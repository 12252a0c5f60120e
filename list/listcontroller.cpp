#include "list/listcontroller.h"

#include "list/kennblattlistmodel.h"
#include "list/kennblattlistview.h"
#include "list/sortorder.h"
#include "platform/guardedconnect.h"

#include <QItemSelectionModel>
#include <QLabel>

using namespace Qt::StringLiterals;

namespace {

// The width of the last column, which lies under the filter-clear button and stays empty.
constexpr int ButtonColumnWidth = 73;

} // namespace

ListController::ListController(DialogService &dialogs, const TKennblattListe &catalogue,
                               KennblattListView &view, QLabel &count, QObject *parent)
    : QObject(parent)
    , m_view(view)
    , m_count(count)
    , m_model(new KennblattListModel(catalogue, this))
    , m_builder(catalogue, *m_model)
{
    m_view.setModel(m_model);
    m_view.setColumnWidth(ListColumnCount - 1, ButtonColumnWidth);
    connectGuarded(dialogs, m_view.selectionModel(), &QItemSelectionModel::selectionChanged, this,
                   &ListController::lvKennblaetterSelectItem);
    connectGuarded(dialogs, &m_view, &KennblattListView::enterPressed, this,
                   [this] { lvKennblaetterKeyPress(Qt::Key_Return); });
    connectGuarded(dialogs, &m_view, &KennblattListView::listDoubleClicked, this,
                   &ListController::lvKennblaetterDblClick);
}

void ListController::applyFilters(const FilterState &filters)
{
    m_filters = filters;
    RebuildList(true);
}

void ListController::RebuildList(bool clearFirst)
{
    const bool hadMarkedRows = m_view.selectionModel()->hasSelection();
    if (!m_builder.RebuildList(m_filters, clearFirst, SortOrder))
        return;
    m_count.setText(QString::number(m_model->rowCount()));
    // New rows start unmarked: a count of marked rows shown before would now be wrong.
    if (hadMarkedRows)
        lvKennblaetterSelectItem();
    Q_EMIT restrictionShown(restriction(), m_model->rowCount());
}

void ListController::setRestriction(const RecordRestriction &restriction)
{
    m_builder.setRestriction(restriction);
    RebuildList(true);
}

void ListController::clearRestriction()
{
    m_builder.setRestriction(std::nullopt);
    RebuildList(true);
}

void ListController::forgetRestriction()
{
    m_builder.setRestriction(std::nullopt);
}

void ListController::hcKopfSectionClick(int section)
{
    SortOrder = sortOrderAfterClick(SortOrder, section);
    Q_EMIT sortColumnChosen(SortOrder);
    m_builder.sortRows(SortOrder);
}

void ListController::lvKennblaetterSelectItem()
{
    const qsizetype marked = m_view.selectionModel()->selectedRows().size();
    Q_EMIT statusTextChanged(marked == 1 ? u"1 Kennblatt markiert"_s
                                         : QString::number(marked) + u" Kennblätter markiert"_s);
}

void ListController::lvKennblaetterDblClick()
{
    Q_EMIT showRequested();
}

void ListController::lvKennblaetterKeyPress(int key)
{
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        Q_EMIT showRequested();
}

int ListController::rowCount() const
{
    return m_model->rowCount();
}

const TKennblatt &ListController::kennblatt(int row) const
{
    return m_model->kennblatt(row);
}

bool ListController::isMarked(int row) const
{
    return m_view.selectionModel()->isRowSelected(row);
}

QList<int> ListController::markedRows() const
{
    return m_view.markedRows();
}

const RecordRestriction *ListController::restriction() const
{
    const std::optional<RecordRestriction> &restriction = m_builder.restriction();
    return restriction ? &*restriction : nullptr;
}
