#pragma once

#include "list/filtermatch.h"
#include "list/filterstate.h"

class KennblattListModel;
class TKennblattListe;

// Fills the list from the catalogue through the filters, skipping the work when the
// filters are exactly as last applied.
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
    // rows before it stay, unsorted. With clearFirst false, rows are only added to an
    // empty list.
    bool RebuildList(const FilterState &state, bool clearFirst, qint32 &SortOrder);

    const FilterState &lastApplied() const { return m_last; }
    void forgetLastApplied() { m_last.changeFilterIndex = NeverApplied; }

private:
    const TKennblattListe &m_catalogue;
    KennblattListModel &m_model;
    FilterMode m_mode = FilterMode::Prefix;
    FilterState m_last{{}, NeverApplied};
};
