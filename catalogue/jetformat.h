#pragma once

#include <QtGlobal>

// Where the two Access formats the reader accepts keep what its structure checks look at:
// Jet 3 (Access 95 and 97) and Jet 4 (Access 2000 to 2003). libmdb reads both; the values
// are those it reads by.
struct JetFormat
{
    // Where a table definition's column entries keep their fields, from the entry's start.
    struct ColumnEntry
    {
        int number;      // u16; libmdb takes the low byte
        int varIndex;    // u16: the column's place among the variable-length ones
        int flags;       // u8: 0x01 fixed length
        int fixedOffset; // u16: a fixed-length column's place in the row's fixed area
        int length;      // u16
    };

    qsizetype pageSize;
    qint64 maxFileSize;
    bool textIsUcs2; // Jet 4; Jet 3 keeps a text as one Windows-1252 byte per character

    // Data pages: the number of row slots, followed by the slots.
    int rowCountOffset;
    // Table definitions: the row count; the column count, after the count of variable columns
    // and before it the highest column number + 1 (u16 each); the count of index entries that
    // precede the column entries; the usage-map pointer.
    int definitionRowCountOffset;
    int columnCountOffset;
    int realIndexCountOffset;
    int usageMapOffset;
    int firstEntryOffset;
    int realIndexEntrySize;
    int columnEntrySize;
    ColumnEntry entry;
    int nameLengthSize; // bytes of the length before each column name

    int firstSlotOffset() const { return rowCountOffset + 2; }
    int variableColumnCountOffset() const { return columnCountOffset - 2; }
    int columnNumberLimitOffset() const { return columnCountOffset - 4; }
    // Pages a bitmap page (type 0x05) covers: every bit after its 4-byte header.
    quint32 bitmapPageBits() const { return quint32(pageSize - 4) * 8; }
};

// Jet 3 files end at 1 GiB, Jet 4 files at 2 GiB.
inline constexpr JetFormat Jet3Format{2048, qint64(1) << 30,    false, 8, 12, 25, 31, 35, 43, 8,
                                      18,   {1, 3, 13, 14, 16}, 1};
inline constexpr JetFormat Jet4Format{4096, qint64(1) << 31,    true, 12, 16, 45, 51, 55, 63, 12,
                                      25,   {5, 7, 15, 21, 23}, 2};
