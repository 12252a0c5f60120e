#include "tools/jetwriter/tabledef.h"

#include "tools/jetwriter/jettext.h"

namespace Jet {

using namespace Format;

namespace {

constexpr quint32 AccessConstant = 1625; // found in every Jet 4 definition; not read
constexpr quint16 GeneralSortOrder = 0x0409;
constexpr quint16 Windows1252 = 1252;

// Column entry flags.
constexpr quint8 FixedLengthFlag = 0x01;
constexpr quint8 NullableFlag = 0x02;
constexpr quint8 CompressedUnicodeFlag = 0x01; // Jet 4: the byte after the flags

// Offsets of the fields both formats have: in the block after the page header, and in each
// column entry.
struct DefinitionOffsets
{
    int rowCount;
    int tableType;
    int maxColumns;
    int variableColumns;
    int columns;
    int logicalIndexes;
    int physicalIndexes;
    int usedPagesMap;
    int freeSpaceMap;
    int entries; // the first column entry: no index entries are written
    int entrySize;
    int entryNumber;
    int entryVarIndex;
    int entryNumberAgain;
    int entrySortOrder;
    int entryFlags;
    int entryFixedOffset;
    int entryLength;
};

constexpr DefinitionOffsets Jet3Offsets{12, 20, 21, 23, 25, 27, 31, 35, 39,
                                        43, 18, 1,  3,  5,  9,  13, 14, 16};
constexpr DefinitionOffsets Jet4Offsets{16, 40, 41, 43, 45, 47, 51, 55, 59,
                                        63, 25, 5,  7,  9,  11, 15, 21, 23};

const DefinitionOffsets &offsetsOf(const Traits &traits)
{
    return traits.isJet3() ? Jet3Offsets : Jet4Offsets;
}

// A column name as stored after the entries: Jet 4 a u16 byte count and UCS-2LE, as Access
// writes it; Jet 3 a u8 byte count and Windows-1252 bytes.
QByteArray storedName(const QString &name, const Traits &traits)
{
    QByteArray bytes;
    if (traits.isJet3()) {
        QString unused;
        if (!appendJet3Text(bytes, name, &unused))
            return {};
        return char(bytes.size()) + bytes;
    }
    bytes.resize(2 + 2 * name.size());
    putU16(bytes.data(), quint16(2 * name.size()));
    for (qsizetype i = 0; i < name.size(); ++i)
        putU16(bytes.data() + 2 + 2 * i, name[i].unicode());
    return bytes;
}

} // namespace

bool columnNameIsStorable(const QString &name, const Format::Traits &traits)
{
    return !storedName(name, traits).isEmpty();
}

int tableDefinitionSize(const TableLayout &layout)
{
    const DefinitionOffsets &at = offsetsOf(*layout.traits);
    int size = at.entries;
    for (const ColumnSlot &column : layout.columns)
        size += at.entrySize + int(storedName(column.name, *layout.traits).size());
    return size + 2; // closing 0xFFFF
}

void writeTableDefinition(char *page, const TableLayout &layout, const TableDefinition &def)
{
    const Traits &traits = *layout.traits;
    const DefinitionOffsets &at = offsetsOf(traits);
    const int size = tableDefinitionSize(layout);
    const auto columnCount = quint16(layout.columns.size());
    putU8(page, quint8(PageTableDef));
    putU8(page + 1, 1);
    if (traits.isJet3()) {
        page[2] = 'V'; // as in every Access 97 definition; not read
        page[3] = 'C';
    } else {
        putU16(page + 2, quint16(traits.pageSize - size - 8)); // free space, as Access computes it
        putU32(page + 12, AccessConstant);
        putU8(page + 24, 1); // autonumber flag as Access writes it
    }
    putU32(page + 4, 0); // no continuation page
    putU32(page + 8, quint32(size));
    putU32(page + at.rowCount, def.rowCount); // what mdb-count reports; reading rows ignores it
    putU8(page + at.tableType, def.kind == TableKind::System ? 'S' : 'N');
    putU16(page + at.maxColumns, columnCount); // highest column number + 1: none was deleted
    putU16(page + at.variableColumns, quint16(layout.variableCount));
    putU16(page + at.columns, columnCount);
    putU32(page + at.logicalIndexes, 0);
    putU32(page + at.physicalIndexes, 0); // readers skip that many entries before the columns
    putU32(page + at.usedPagesMap, def.usedPagesMap);
    putU32(page + at.freeSpaceMap, def.freeSpaceMap);

    char *entry = page + at.entries;
    for (const ColumnSlot &column : layout.columns) {
        const bool text = column.type == TypeCode::Text || column.type == TypeCode::Memo;
        putU8(entry, quint8(column.type));
        putU16(entry + at.entryNumber, column.number);
        putU16(entry + at.entryVarIndex, column.varIndex);
        putU16(entry + at.entryNumberAgain, column.number);
        putU16(entry + at.entrySortOrder, GeneralSortOrder);
        putU8(entry + at.entryFlags,
              column.isFixed() ? FixedLengthFlag | NullableFlag : NullableFlag);
        putU16(entry + at.entryFixedOffset, column.fixedOffset);
        putU16(entry + at.entryLength, column.length);
        if (traits.isJet3()) {
            putU16(entry + at.entrySortOrder + 2, Windows1252);
        } else {
            putU32(entry + 1, AccessConstant);
            // Readers detect compression per value; the flag only allows it.
            putU8(entry + at.entryFlags + 1, text ? CompressedUnicodeFlag : 0);
        }
        entry += at.entrySize;
    }
    // Names follow in the same order as the entries.
    for (const ColumnSlot &column : layout.columns) {
        const QByteArray name = storedName(column.name, traits);
        std::copy(name.cbegin(), name.cend(), entry);
        entry += name.size();
    }
    putU16(entry, 0xFFFF);
}

} // namespace Jet
