#include "tools/jetwriter/systemcatalog.h"

#include <limits>

using namespace Qt::StringLiterals;

namespace Jet {

namespace {

using Format::TypeCode;

constexpr qint32 TablesContainerId = 0x0F000001;
constexpr qint32 ContainersParentId = 0x0F000000;
constexpr qint32 TableObject = 1;
constexpr qint32 ContainerObject = 3;
// Readers take Flags & 0x80000002 for "system object"; Flags is a signed LONG.
constexpr qint32 SystemFlags = std::numeric_limits<qint32>::min();

constexpr int ColumnCount = 17;

std::vector<Value> catalogRow(qint32 id, qint32 parentId, const QString &name, qint32 type,
                              qint32 flags)
{
    std::vector<Value> row(ColumnCount); // dates, owner, connection and properties stay NULL
    row[0] = id;
    row[1] = parentId;
    row[2] = name;
    row[3] = type;
    row[7] = flags;
    return row;
}

} // namespace

TableLayout systemCatalogLayout(const Format::Traits &traits)
{
    TableLayout layout(traits);
    layout.addColumn(u"Id"_s, TypeCode::Long);
    layout.addColumn(u"ParentId"_s, TypeCode::Long);
    layout.addColumn(u"Name"_s, TypeCode::Text, MaxTextLength);
    layout.addColumn(u"Type"_s, TypeCode::Integer);
    layout.addColumn(u"DateCreate"_s, TypeCode::DateTime);
    layout.addColumn(u"DateUpdate"_s, TypeCode::DateTime);
    layout.addColumn(u"Owner"_s, TypeCode::Binary, 255);
    layout.addColumn(u"Flags"_s, TypeCode::Long);
    layout.addColumn(u"Database"_s, TypeCode::Memo);
    layout.addColumn(u"Connect"_s, TypeCode::Memo);
    layout.addColumn(u"ForeignName"_s, TypeCode::Text, MaxTextLength);
    layout.addColumn(u"RmtInfoShort"_s, TypeCode::Binary, 255);
    layout.addColumn(u"RmtInfoLong"_s, TypeCode::Ole);
    layout.addColumn(u"Lv"_s, TypeCode::Ole);
    layout.addColumn(u"LvProp"_s, TypeCode::Ole);
    layout.addColumn(u"LvModule"_s, TypeCode::Ole);
    layout.addColumn(u"LvExtra"_s, TypeCode::Ole);
    Q_ASSERT(layout.columns.size() == ColumnCount);
    return layout;
}

std::vector<std::vector<Value>> systemCatalogRows(const std::vector<CatalogEntry> &tables)
{
    std::vector<std::vector<Value>> rows;
    rows.reserve(tables.size() + 2);
    rows.push_back(catalogRow(TablesContainerId, ContainersParentId, u"Tables"_s, ContainerObject,
                              SystemFlags));
    rows.push_back(catalogRow(qint32(SystemCatalogPage), TablesContainerId, u"MSysObjects"_s,
                              TableObject, SystemFlags));
    for (const CatalogEntry &table : tables)
        rows.push_back(catalogRow(qint32(table.definitionPage), TablesContainerId, table.tableName,
                                  TableObject, 0));
    return rows;
}

} // namespace Jet
