#pragma once

#include <QtGlobal>

#include <vector>

class TKennblattListe;

// The whole catalogue ordered by one list column as lvKennblaetterCompare orders it: every
// record's text gets a rank, texts equal but for ASCII case sharing one. Computed once when
// the sort column changes; a list build then walks the catalogue in this order and its rows
// come out sorted, as a stable sort of rows appended in catalogue order would leave them.
class SortRanking
{
public:
    SortRanking(const TKennblattListe &catalogue, int column);

    int column() const { return m_column; }
    qsizetype recordCount() const { return qsizetype(m_rank.size()); }

    // Record indices ascending or descending by rank; equal ranks in catalogue order.
    const std::vector<qint32> &order(bool ascending) const;

private:
    int m_column;
    std::vector<quint32> m_rank; // by record index
    quint32 m_ranks = 0;
    mutable std::vector<qint32> m_ascending;
    mutable std::vector<qint32> m_descending;
};
