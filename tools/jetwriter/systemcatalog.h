#pragma once

#include "tools/jetwriter/jetwriter.h"
#include "tools/jetwriter/tablelayout.h"

namespace Jet {

// Readers start at the definition of MSysObjects on page 2 and find every table there by
// name, taking its definition page from the Id column.
inline constexpr quint32 SystemCatalogPage = 2;

// MSysObjects with Access's columns; libmdb insists on Id, Name, Type, Flags and LvProp.
TableLayout systemCatalogLayout(const Format::Traits &traits);

struct CatalogEntry
{
    QString tableName;
    quint32 definitionPage = 0;
};

// The rows of MSysObjects: the "Tables" container, MSysObjects itself (a system table, so
// listings hide it) and one row per user table.
std::vector<std::vector<Value>> systemCatalogRows(const std::vector<CatalogEntry> &tables);

} // namespace Jet
