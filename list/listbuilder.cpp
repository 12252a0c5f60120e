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
    if (!m_ranking || m_ranking->column() != column ||
        m_ranking->recordCount() != m_catalogue.Count())
        m_ranking.emplace(m_catalogue, column);
    return m_ranking->order(effective > 0);
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
    const std::vector<qint32> &order = rankedOrder(SortOrder);
    m_model.resetRows([&](std::vector<qint32> &rows) {
        rows.reserve(std::size_t(filter ? order.size() / 8 : order.size()));
        for (qint32 record : order) {
            const TKennblatt &k = m_catalogue.Get(record);
            if (filter && !filter->matches(k))
                continue;
            if (!knownFlag(k))
                rebuildInCatalogueOrder(filter ? &*filter : nullptr, rows);
            rows.push_back(record);
        }
    });
    settleSortOrder(SortOrder, std::size_t(m_model.rowCount()));
    return true;
}

void ListBuilder::rebuildInCatalogueOrder(const KennblattFilter *filter,
                                          std::vector<qint32> &rows) const
{
    // The build stops at the first bad flag in catalogue order, keeping the rows before it.
    rows.clear();
    for (qint32 record = 0; record < m_catalogue.Count(); ++record) {
        const TKennblatt &k = m_catalogue.Get(record);
        if (filter && !filter->matches(k))
            continue;
        if (!knownFlag(k))
            break;
        rows.push_back(record);
    }
    throw AppError(u"Unbekanntes Änderungsflag bei Kennblatt gefunden"_s);
}

void ListBuilder::sortRows(qint32 &SortOrder)
{
    if (m_model.rowCount() < 2)
        return;
    m_model.reorderRows(rankedOrder(SortOrder));
    settleSortOrder(SortOrder, std::size_t(m_model.rowCount()));
}
