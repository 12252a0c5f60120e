#include "list/kennblattlistmodel.h"

#include "catalogue/tkennblatt.h"
#include "list/sortorder.h"
#include "platform/cp1252.h"

#include <algorithm>

KennblattListModel::KennblattListModel(QObject *parent)
    : QAbstractTableModel(parent)
{
}

int KennblattListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int KennblattListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ListColumnCount;
}

QVariant KennblattListModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    return Cp1252::toUnicode(rowText(kennblatt(index.row()), index.column()));
}

void KennblattListModel::beginReset()
{
    beginResetModel();
    m_rows.clear();
}

void KennblattListModel::endReset()
{
    endResetModel();
}

void KennblattListModel::sortRows(qint32 &SortOrder)
{
    if (m_rows.size() < 2)
        return;
    Q_EMIT layoutAboutToBeChanged({}, VerticalSortHint);
    const QModelIndexList persistent = persistentIndexList();
    if (persistent.isEmpty()) {
        sortKennblattRows(m_rows, SortOrder);
    } else {
        // Sort a permutation so that marked rows (persistent indexes) can follow their records.
        const std::vector<int> order = sortedOrder(m_rows, SortOrder);
        std::vector<const TKennblatt *> sorted(m_rows.size());
        std::vector<int> newRowOf(m_rows.size());
        for (std::size_t i = 0; i < order.size(); ++i) {
            sorted[i] = m_rows[std::size_t(order[i])];
            newRowOf[std::size_t(order[i])] = int(i);
        }
        m_rows = std::move(sorted);
        QModelIndexList moved;
        moved.reserve(persistent.size());
        for (const QModelIndex &index : persistent)
            moved.append(this->index(newRowOf[std::size_t(index.row())], index.column()));
        changePersistentIndexList(persistent, moved);
    }
    Q_EMIT layoutChanged({}, VerticalSortHint);
}
