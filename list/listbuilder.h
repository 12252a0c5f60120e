#pragma once

#include "list/filtermatch.h"
#include "list/filterstate.h"
#include "list/recordrestriction.h"
#include "list/sortorder.h"
#include "list/sortranking.h"

#include <array>
#include <optional>

class KennblattListModel;
class TKennblattListe;

// Fills the list from the catalogue through the filters, skipping the work when the filters
// are exactly as last applied, and sorts it. Both walk the catalogue in the ranked order of
// the sort column, so neither compares texts; a column's ranking is kept once made.
class ListBuilder
{
public:
    // No index is ever below -1, so this makes the next build run whatever the controls hold.
    static constexpr qint32 NeverApplied = -42;

    ListBuilder(const TKennblattListe &catalogue, KennblattListModel &model);

    void setFilterMode(FilterMode mode) { m_mode = mode; }
    FilterMode filterMode() const { return m_mode; }

    // Returns false when the skip test held and nothing changed. Raises AppError
    // "Unbekanntes Änderungsflag bei Kennblatt gefunden" for a flag other than 1 or 2; the
    // rows before it (in catalogue order) stay, unsorted. With clearFirst false, rows are only
    // added to an empty list, else the list is sorted.
    bool RebuildList(const FilterState &state, bool clearFirst, qint32 &SortOrder);
    // Sorts the rows as they are; as with the row comparison, a SortOrder of 0 becomes 1 once
    // two rows are compared.
    void sortRows(qint32 &SortOrder);

    const FilterState &lastApplied() const { return m_last; }
    void forgetLastApplied() { m_last.changeFilterIndex = NeverApplied; }

    // Narrows the later builds to these records, on top of the filters (none: the whole
    // catalogue). A changed restriction makes the next build run.
    void setRestriction(std::optional<RecordRestriction> restriction);
    const std::optional<RecordRestriction> &restriction() const { return m_restriction; }

private:
    const std::vector<qint32> &rankedOrder(qint32 SortOrder);
    [[noreturn]] void stopAtUnknownFlag(const std::vector<char> &taken, qint32 record);

    const TKennblattListe &m_catalogue;
    KennblattListModel &m_model;
    FilterMode m_mode = FilterMode::Prefix;
    FilterState m_last{{}, NeverApplied};
    std::optional<RecordRestriction> m_restriction;
    std::array<std::optional<SortRanking>, ListColumnCount - 1> m_rankings; // by sort column
    int m_orderedColumn = -1; // the column whose record orders are kept
};
