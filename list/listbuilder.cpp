#include "list/listbuilder.h"

#include "catalogue/tkennblattliste.h"
#include "list/kennblattlistmodel.h"
#include "platform/apperror.h"
#include "platform/textrules.h"

#include <cstdlib>

using namespace Qt::StringLiterals;

namespace {

bool knownFlag(const TKennblatt &k)
{
    return k.AenderungsFlag == 1 || k.AenderungsFlag == 2;
}

// The comparison stores 1 in a SortOrder of 0 once it compares two rows.
void settleSortOrder(qint32 &SortOrder, std::size_t rows)
{
    if (SortOrder == 0 && rows >= 2)
        SortOrder = 1;
}

} // namespace

ListBuilder::ListBuilder(const TKennblattListe &catalogue, KennblattListModel &model)
    : m_catalogue(catalogue)
    , m_model(model)
{
}

const std::vector<qint32> &ListBuilder::rankedOrder(qint32 SortOrder)
{
    const qint32 effective = SortOrder == 0 ? 1 : SortOrder;
    const int column = std::abs(effective) - 1;
    std::optional<SortRanking> &ranking = m_rankings.at(std::size_t(column));
    if (!ranking || ranking->recordCount() != m_catalogue.Count())
        ranking.emplace(m_catalogue, column);
    // Of the other columns only the ranks are kept, which are smaller than the orders.
    if (m_orderedColumn != column && m_orderedColumn >= 0 &&
        m_rankings[std::size_t(m_orderedColumn)])
        m_rankings[std::size_t(m_orderedColumn)]->forgetOrders();
    m_orderedColumn = column;
    return ranking->order(effective > 0);
}

bool ListBuilder::RebuildList(const FilterState &state, bool clearFirst, qint32 &SortOrder)
{
    if (state == m_last)
        return false;
    m_last = state;
    if (!clearFirst && m_model.rowCount() != 0) {
        sortRows(SortOrder);
        return true;
    }

    std::optional<KennblattFilter> filter;
    if (state.anyFilterSet()) {
        const auto &t = state.texts;
        using TextRules::trimmed;
        filter.emplace(trimmed(t[0]), trimmed(t[1]), trimmed(t[2]), trimmed(t[3]), trimmed(t[4]),
                       trimmed(t[5]), state.wantedChangeFlag(), m_mode);
    }
    // The filters run through the catalogue in its own order, which reads the records one
    // after the other; the ranked order then only picks the matches.
    const bool picking = filter || m_restriction;
    std::vector<char> taken(std::size_t(m_catalogue.Count()), picking ? 0 : 1);
    qint32 takenCount = picking ? 0 : m_catalogue.Count();
    for (qint32 record = 0; record < m_catalogue.Count(); ++record) {
        if (m_restriction && !m_restriction->contains(record))
            continue;
        const TKennblatt &k = m_catalogue.Get(record);
        if (filter && !filter->matches(k))
            continue;
        if (!knownFlag(k))
            stopAtUnknownFlag(taken, record);
        if (picking) {
            taken[std::size_t(record)] = 1;
            ++takenCount;
        }
    }
    const std::vector<qint32> &order = rankedOrder(SortOrder);
    m_model.resetRows([&](std::vector<qint32> &rows) {
        rows.reserve(std::size_t(takenCount));
        for (qint32 record : order) {
            if (taken[std::size_t(record)])
                rows.push_back(record);
        }
    });
    settleSortOrder(SortOrder, std::size_t(m_model.rowCount()));
    return true;
}

void ListBuilder::setRestriction(std::optional<RecordRestriction> restriction)
{
    if (restriction == m_restriction)
        return;
    m_restriction = std::move(restriction);
    forgetLastApplied();
}

void ListBuilder::stopAtUnknownFlag(const std::vector<char> &taken, qint32 record)
{
    // The build stops at the first bad flag in catalogue order, keeping the rows before it,
    // unsorted.
    m_model.resetRows([&](std::vector<qint32> &rows) {
        for (qint32 before = 0; before < record; ++before) {
            if (taken[std::size_t(before)])
                rows.push_back(before);
        }
    });
    throw AppError(u"Unbekanntes Änderungsflag bei Kennblatt gefunden"_s);
}

void ListBuilder::sortRows(qint32 &SortOrder)
{
    if (m_model.rowCount() < 2)
        return;
    m_model.reorderRows(rankedOrder(SortOrder));
    settleSortOrder(SortOrder, std::size_t(m_model.rowCount()));
}
