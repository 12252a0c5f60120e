#include "list/kennblattlistmodel.h"

#include "catalogue/tkennblattliste.h"
#include "list/sortorder.h"
#include "platform/cp1252.h"

KennblattListModel::KennblattListModel(const TKennblattListe &catalogue, QObject *parent)
    : QAbstractTableModel(parent)
    , m_catalogue(catalogue)
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

const TKennblatt &KennblattListModel::kennblatt(int row) const
{
    return m_catalogue.Get(m_rows[std::size_t(row)]);
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

void KennblattListModel::reorderRows(const std::vector<qint32> &order)
{
    Q_EMIT layoutAboutToBeChanged({}, VerticalSortHint);
    // The row each record stands in now, -1 for records not in the list.
    std::vector<qint32> oldRowOf(order.size(), -1);
    for (std::size_t row = 0; row < m_rows.size(); ++row)
        oldRowOf[std::size_t(m_rows[row])] = qint32(row);
    std::vector<qint32> newRowOf(m_rows.size());
    std::size_t next = 0;
    for (qint32 record : order) {
        const qint32 oldRow = oldRowOf[std::size_t(record)];
        if (oldRow < 0)
            continue;
        newRowOf[std::size_t(oldRow)] = qint32(next);
        m_rows[next++] = record;
    }
    const QModelIndexList persistent = persistentIndexList();
    QModelIndexList moved;
    moved.reserve(persistent.size());
    for (const QModelIndex &index : persistent)
        moved.append(this->index(newRowOf[std::size_t(index.row())], index.column()));
    changePersistentIndexList(persistent, moved);
    Q_EMIT layoutChanged({}, VerticalSortHint);
}
