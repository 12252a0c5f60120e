#include "list/listbuilder.h"

#include "catalogue/tkennblattliste.h"
#include "list/kennblattlistmodel.h"
#include "list/sortorder.h"
#include "platform/apperror.h"
#include "platform/textrules.h"

#include <algorithm>

using namespace Qt::StringLiterals;

ListBuilder::ListBuilder(const TKennblattListe &catalogue, KennblattListModel &model)
    : m_catalogue(catalogue)
    , m_model(model)
{
}

bool ListBuilder::RebuildList(const FilterState &state, bool clearFirst, qint32 &SortOrder)
{
    if (state == m_last)
        return false;
    m_last = state;

    const auto fill = [&](std::vector<const TKennblatt *> &rows) {
        const bool filtered = state.anyFilterSet();
        const auto &t = state.texts;
        using TextRules::trimmed;
        const KennblattFilter filter(trimmed(t[0]), trimmed(t[1]), trimmed(t[2]), trimmed(t[3]),
                                     trimmed(t[4]), trimmed(t[5]), state.wantedChangeFlag(),
                                     m_mode);
        const qint32 count = m_catalogue.Count();
        rows.reserve(std::size_t(filtered ? count / 8 : count));
        for (qint32 i = 0; i < count; ++i) {
            const TKennblatt &k = m_catalogue.Get(i);
            if (filtered && !filter.matches(k))
                continue;
            if (k.AenderungsFlag != 1 && k.AenderungsFlag != 2)
                throw AppError(u"Unbekanntes Änderungsflag bei Kennblatt gefunden"_s);
            rows.push_back(&k);
        }
        // Sorting inside the same reset spares the view a second relayout.
        sortKennblattRows(rows, SortOrder);
    };

    if (clearFirst || m_model.rowCount() == 0)
        m_model.resetRows(fill);
    else
        m_model.sortRows(SortOrder);
    return true;
}
