#include "tools/jetwriter/tabledef.h"

#include "tools/jetwriter/jetformat.h"

namespace Jet {

using namespace Format;

namespace {

constexpr int FixedBlockSize = 63;
constexpr int ColumnEntrySize = 25;
constexpr quint32 AccessConstant = 1625; // found in every Access definition; not read
constexpr quint16 GeneralSortOrder = 0x0409;

// Column entry flags.
constexpr quint8 FixedLengthFlag = 0x01;
constexpr quint8 NullableFlag = 0x02;
constexpr quint8 CompressedUnicodeFlag = 0x01; // the byte after the flags

int nameSize(const ColumnSlot &column)
{
    return 2 + 2 * int(column.name.size());
}

} // namespace

int tableDefinitionSize(const TableLayout &layout)
{
    int size = FixedBlockSize;
    for (const ColumnSlot &column : layout.columns)
        size += ColumnEntrySize + nameSize(column);
    return size + 2; // closing 0xFFFF
}

void writeTableDefinition(char *page, const TableLayout &layout, const TableDefinition &def)
{
    const int size = tableDefinitionSize(layout);
    const auto columnCount = quint16(layout.columns.size());
    putU8(page, quint8(PageTableDef));
    putU8(page + 1, 1);
    putU16(page + 2, quint16(PageSize - size - 8)); // free space, as Access computes it
    putU32(page + 4, 0);                            // no continuation page
    putU32(page + 8, quint32(size));
    putU32(page + 12, AccessConstant);
    putU32(page + 16, def.rowCount); // what mdb-count reports; reading rows ignores it
    putU8(page + 24, 1);             // autonumber flag as Access writes it
    putU8(page + 40, def.kind == TableKind::System ? 'S' : 'N');
    putU16(page + 41, columnCount); // highest column number + 1: none was ever deleted
    putU16(page + 43, quint16(layout.variableCount));
    putU16(page + 45, columnCount);
    putU32(page + 47, 0); // logical indexes
    putU32(page + 51, 0); // physical indexes; readers skip 12 bytes per index before columns
    putU32(page + 55, def.usedPagesMap);
    putU32(page + 59, def.freeSpaceMap);

    char *at = page + FixedBlockSize;
    for (const ColumnSlot &column : layout.columns) {
        const bool text = column.type == TypeCode::Text || column.type == TypeCode::Memo;
        putU8(at, quint8(column.type));
        putU32(at + 1, AccessConstant);
        putU16(at + 5, column.number);
        putU16(at + 7, column.varIndex);
        putU16(at + 9, column.number);
        putU16(at + 11, GeneralSortOrder);
        putU8(at + 15, column.isFixed() ? FixedLengthFlag | NullableFlag : NullableFlag);
        // Readers detect compression per value; the flag only allows it.
        putU8(at + 16, text ? CompressedUnicodeFlag : 0);
        putU16(at + 21, column.fixedOffset);
        putU16(at + 23, column.length);
        at += ColumnEntrySize;
    }
    // Names follow in the same order as the entries, in UCS-2LE as Access writes them.
    for (const ColumnSlot &column : layout.columns) {
        putU16(at, quint16(2 * column.name.size()));
        at += 2;
        for (QChar c : column.name) {
            putU16(at, c.unicode());
            at += 2;
        }
    }
    putU16(at, 0xFFFF);
}

} // namespace Jet
