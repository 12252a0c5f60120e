#pragma once

#include <QAbstractTableModel>

#include <vector>

class TKennblatt;
class TKennblattListe;

// The rows of the catalogue list: indices of catalogue records, in list order. Filtering
// refills the rows and sorting reorders them, so the view only ever displays.
class KennblattListModel final : public QAbstractTableModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(KennblattListModel)

public:
    explicit KennblattListModel(const TKennblattListe &catalogue, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    const TKennblatt &kennblatt(int row) const;

    // Replaces all rows inside one model reset: `fill` appends record indices to the given
    // vector. Rows appended before `fill` throws stay.
    template<typename Fill>
    void resetRows(Fill fill);

    // Puts the rows in the order in which their records appear in `order` (the indices of all
    // catalogue records); marked rows stay marked (persistent indexes follow).
    void reorderRows(const std::vector<qint32> &order);

private:
    void beginReset();
    void endReset();

    const TKennblattListe &m_catalogue;
    std::vector<qint32> m_rows;
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
