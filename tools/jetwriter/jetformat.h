#pragma once

#include <QtGlobal>

// The two file formats this writer produces, and little-endian stores. Everything in the file
// is little-endian, whatever the host.
namespace Jet {

// Jet 3 is the format of Access 95 and 97, Jet 4 that of Access 2000 to 2003.
enum class FileFormat { Jet3, Jet4 };

namespace Format {

// What differs between the formats in the parts this writer produces: page size, data-page
// header, the size of usage-map rows and the file's size limit. Rows, table definitions and
// texts differ in their layout, which their writers take from `format`.
struct Traits
{
    FileFormat format;
    int pageSize;
    quint8 versionByte;     // page 0, offset 0x14; readers pick the format from it
    int dataHeaderSize;     // data pages: header before the row slots
    int dataRowCountOffset; // where the header keeps the number of slots
    int usageMapRowSize;    // 5 + bitmap bytes, or 1 + 4 * bitmap-page pointers
    quint32 maxPages;

    bool isJet3() const { return format == FileFormat::Jet3; }
    // A row must fit one page beside the header and its own slot.
    int maxRowSize() const { return pageSize - dataHeaderSize - 2; }
    // Pages a type-0x05 bitmap page covers: all of its bytes after the 4-byte header.
    quint32 bitmapPagePages() const { return quint32(pageSize - 4) * 8; }
};

// Jet 3: 2 KiB pages, files up to 1 GiB, usage maps of 128 bitmap bytes or 33 pointers.
// Jet 4: 4 KiB pages, files up to 2 GiB, usage maps of 64 bitmap bytes or 17 pointers.
inline const Traits &traits(FileFormat format)
{
    static constexpr Traits jet3{FileFormat::Jet3,  2048, 0x00, 10, 8, 1 + 4 * 33,
                                 0x40000000u / 2048};
    static constexpr Traits jet4{FileFormat::Jet4,  4096, 0x01, 14, 12, 1 + 4 * 17,
                                 0x80000000u / 4096};
    return format == FileFormat::Jet3 ? jet3 : jet4;
}

// First byte of a page.
inline constexpr char PageHeader = 0x00;
inline constexpr char PageData = 0x01;
inline constexpr char PageTableDef = 0x02;
inline constexpr char PageUsageBitmap = 0x05;

inline constexpr int DataOwnerOffset = 4;
// Row numbers in page/row pointers are one byte; Jet itself never puts more on a page.
inline constexpr int MaxRowsPerPage = 255;

// Column type codes as stored in the table definition.
enum class TypeCode : quint8 {
    Boolean = 0x01,
    Integer = 0x03,
    Long = 0x04,
    DateTime = 0x08,
    Binary = 0x09,
    Text = 0x0A,
    Ole = 0x0B,
    Memo = 0x0C,
};

// A page/row pointer: the page number in the upper 24 bits, the row slot in the lowest 8.
inline quint32 pageRowPointer(quint32 page, int row)
{
    return (page << 8) | quint32(row);
}

inline void putU8(char *at, quint8 value)
{
    *at = char(value);
}

inline void putU16(char *at, quint16 value)
{
    at[0] = char(value & 0xFF);
    at[1] = char(value >> 8);
}

inline void putU32(char *at, quint32 value)
{
    for (int i = 0; i < 4; ++i)
        at[i] = char((value >> (8 * i)) & 0xFF);
}

inline void putI32(char *at, qint32 value)
{
    putU32(at, quint32(value));
}

} // namespace Format
} // namespace Jet
