#pragma once

#include <QAbstractTableModel>

#include <vector>

class TKennblatt;

// The rows of the catalogue list: pointers into the catalogue, in list order. Filtering
// refills the vector and sorting reorders it, so the view only ever displays.
class KennblattListModel final : public QAbstractTableModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(KennblattListModel)

public:
    explicit KennblattListModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    const TKennblatt &kennblatt(int row) const { return *m_rows[std::size_t(row)]; }

    // Replaces all rows inside one model reset: `fill` appends rows through the given
    // vector. Rows appended before `fill` throws stay.
    template<typename Fill>
    void resetRows(Fill fill);

    // Sorts with lvKennblaetterCompare; marked rows stay marked (persistent indexes follow).
    void sortRows(qint32 &SortOrder);

private:
    void beginReset();
    void endReset();

    std::vector<const TKennblatt *> m_rows;
};

template<typename Fill>
void KennblattListModel::resetRows(Fill fill)
{
    beginReset();
    try {
        fill(m_rows);
    } catch (...) {
        endReset();
        throw;
    }
    endReset();
}
