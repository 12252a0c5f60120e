#pragma once

#include <QtGlobal>

// Where the two Access formats the reader accepts keep what its structure checks look at:
// Jet 3 (Access 95 and 97) and Jet 4 (Access 2000 to 2003). libmdb reads both; the values
// are those it reads by.
struct JetFormat
{
    qsizetype pageSize;
    qint64 maxFileSize;
    bool textIsUcs2; // Jet 4; Jet 3 keeps a text as one Windows-1252 byte per character

    // Data pages: the number of row slots, followed by the slots.
    int rowCountOffset;
    // Table definitions: the column count (the count of variable columns is the u16 before
    // it), the count of index entries that precede the column entries, the usage-map pointer.
    int columnCountOffset;
    int realIndexCountOffset;
    int usageMapOffset;
    int firstEntryOffset;
    int realIndexEntrySize;
    int columnEntrySize;
    int nameLengthSize; // bytes of the length before each column name

    int firstSlotOffset() const { return rowCountOffset + 2; }
    // Pages a bitmap page (type 0x05) covers: every bit after its 4-byte header.
    quint32 bitmapPageBits() const { return quint32(pageSize - 4) * 8; }
};

// Jet 3 files end at 1 GiB, Jet 4 files at 2 GiB.
inline constexpr JetFormat Jet3Format{2048, qint64(1) << 30, false, 8, 25, 31, 35, 43, 8, 18, 1};
inline constexpr JetFormat Jet4Format{4096, qint64(1) << 31, true, 12, 45, 51, 55, 63, 12, 25, 2};
