#pragma once

#include "catalogue/jetformat.h"

#include <QByteArrayView>

// The column entries of a table definition, checked against each other and against the
// definition's counts before libmdb reads rows by them. libmdb believes them as they are, so
// one damaged byte reads as a sound table with wrong values: a number changed to another
// column's takes that column's value, a variable index beyond the row's count reads every
// value as NULL, a yes/no value read as a number of one byte takes a byte of another value.
// A sound entry has
// - a column number below the definition's limit (the highest number + 1, which counts
//   deleted columns too) and below 256 (libmdb reads one byte of it), none twice;
// - a type Jet 3 and Jet 4 know, the fixed-length flag as that type has it, and for a type of
//   fixed length its length (a yes/no value 0 or 1, which are both written);
// - a variable-length column: a variable index below the definition's count of them (which
//   counts deleted ones too), none twice; a text 1 to 255 characters long;
// - a fixed-length column: its bytes in the fixed area not shared with another column's.
namespace JetColumns {

// Type codes as stored in the entries.
enum Type : quint8 {
    Boolean = 0x01,
    Byte = 0x02,
    Integer = 0x03,
    Long = 0x04,
    Money = 0x05,
    Single = 0x06,
    Double = 0x07,
    DateTime = 0x08,
    Binary = 0x09,
    Text = 0x0A,
    Ole = 0x0B,
    Memo = 0x0C,
    Guid = 0x0F,
    Numeric = 0x10,
};

struct Counts
{
    int columns;
    int numberLimit; // the highest column number + 1
    int variableColumns;
};

// `entries` holds `counts.columns` entries of the format's size, as stored.
[[nodiscard]] bool areSound(const JetFormat &format, const Counts &counts, QByteArrayView entries);

} // namespace JetColumns
