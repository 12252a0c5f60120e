#pragma once

#include "tools/jetwriter/tablelayout.h"

namespace Jet {

enum class TableKind { User, System };

struct TableDefinition
{
    TableKind kind = TableKind::User;
    quint32 rowCount = 0;
    quint32 usedPagesMap = 0; // page/row pointer to the map of the table's data pages
    quint32 freeSpaceMap = 0; // page/row pointer; readers ignore its content but resolve it
};

// Whether the format can store `name` as a column name (Jet 3 needs Windows-1252 bytes).
bool columnNameIsStorable(const QString &name, const Format::Traits &traits);

// Bytes the definition of `layout` takes on its page. It has to fit one page: this writer
// does not continue definitions on further pages.
int tableDefinitionSize(const TableLayout &layout);

// Fills a blank page with the table definition (TDEF). There are no indexes.
void writeTableDefinition(char *page, const TableLayout &layout, const TableDefinition &def);

} // namespace Jet
