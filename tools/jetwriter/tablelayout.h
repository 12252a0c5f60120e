#pragma once

#include "tools/jetwriter/jetformat.h"

#include <QString>

#include <vector>

namespace Jet {

// Where each column of a table lives in a row and what its definition entry says.
struct ColumnSlot
{
    QString name;
    Format::TypeCode type;
    quint16 number = 0;      // position in the table; also the column's bit in the null mask
    quint16 varIndex = 0;    // variable columns: slot in the row's offset table
    quint16 fixedOffset = 0; // fixed columns other than BOOLEAN: offset in the fixed area
    quint16 length = 0;      // definition's length field in bytes
    int characters = 0;      // TEXT: the most characters a value may have

    bool isFixed() const;
    QString typeName() const; // as in messages: "TEXT(40)", "BOOLEAN", ...
};

struct TableLayout
{
    explicit TableLayout(const Format::Traits &traits)
        : traits(&traits)
    {
    }

    const Format::Traits *traits;
    std::vector<ColumnSlot> columns; // in column-number order
    int fixedSize = 0;               // bytes of the fixed area of every row
    int variableCount = 0;

    // Appends a column after the existing ones. `length` is the most characters of a TEXT
    // column and the bytes of a BINARY one; for other types it is implied and ignored.
    void addColumn(const QString &name, Format::TypeCode type, quint16 length = 0);
};

} // namespace Jet
