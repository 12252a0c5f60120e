#pragma once

#include <QtGlobal>

// Constants of the Jet 4 file format and little-endian stores. Everything in the file is
// little-endian, whatever the host.
namespace Jet::Format {

inline constexpr int PageSize = 4096;

// First byte of a page.
inline constexpr char PageHeader = 0x00;
inline constexpr char PageData = 0x01;
inline constexpr char PageTableDef = 0x02;
inline constexpr char PageUsageBitmap = 0x05;

// Data pages: 14-byte header, then a table of 2-byte row offsets growing upwards while the
// rows grow downwards from the end of the page.
inline constexpr int DataHeaderSize = 14;
inline constexpr int DataOwnerOffset = 4;
inline constexpr int DataRowCountOffset = 12;
// Row numbers in page/row pointers are one byte; Jet itself never puts more on a page.
inline constexpr int MaxRowsPerPage = 255;
inline constexpr int MaxRowSize = PageSize - DataHeaderSize - 2;

// Jet 4 files may grow to 2 GiB.
inline constexpr quint32 MaxPages = 0x80000000u / PageSize;

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

} // namespace Jet::Format
