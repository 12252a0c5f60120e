#pragma once

#include <QString>

struct FilterState;
struct RecordRestriction;

// What the list's outputs say about its filters (the report, the export).

// Whether the list shows less than the catalogue: a filter set (FilterState::anyFilterSet)
// or a restriction.
bool listIsFiltered(const FilterState &filters, const RecordRestriction *restriction);

// "Marke = 'Fox', Geändert = 'Ja', Volltext = 'argon'": every non-blank filter text, trimmed,
// the change filter, and the restriction. Meant for a filtered list (listIsFiltered).
QString FilterDescription(const FilterState &filters,
                          const RecordRestriction *restriction = nullptr);
