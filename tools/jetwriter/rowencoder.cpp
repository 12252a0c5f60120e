#include "tools/jetwriter/rowencoder.h"

#include "tools/jetwriter/jettext.h"

#include <cstring>
#include <limits>

using namespace Qt::StringLiterals;

namespace Jet {

namespace {

using Format::TypeCode;

void appendU16(QByteArray &out, quint16 value)
{
    out.append(char(value & 0xFF));
    out.append(char(value >> 8));
}

QString kindOf(const Value &value)
{
    switch (value.index()) {
    case 0:
        return u"NULL"_s;
    case 1:
        return u"a text"_s;
    case 2:
        return u"a boolean"_s;
    default:
        return u"an integer"_s;
    }
}

QString columnPrefix(const ColumnSlot &column)
{
    return u"column \"%1\" (%2): "_s.arg(column.name, column.typeName());
}

} // namespace

RowEncoder::RowEncoder(const TableLayout &layout)
    : m_layout(layout)
    , m_varOffsets(std::size_t(layout.variableCount))
    , m_nullMask((qsizetype(layout.columns.size()) + 7) / 8, '\0')
{
}

// Jet 4 row: column count, fixed area, variable data, then (only if the table has variable
// columns) the end-of-data offset, the variable offsets last column first and their count,
// and finally the null mask. Readers find the trailer by working back from the row's end.
bool RowEncoder::encode(const std::vector<Value> &values, QByteArray &out, QString *error)
{
    const std::vector<ColumnSlot> &columns = m_layout.columns;
    if (values.size() != columns.size()) {
        *error = u"the row has %1 values for %2 columns"_s.arg(values.size()).arg(columns.size());
        return false;
    }
    out.resize(2 + m_layout.fixedSize); // keeps the capacity of the previous row
    std::memset(out.data(), 0, std::size_t(out.size()));
    Format::putU16(out.data(), quint16(columns.size()));
    m_nullMask.fill('\0');

    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (!encodeValue(columns[i], values[i], out, error))
            return false;
    }
    if (m_layout.variableCount > 0) {
        appendU16(out, quint16(out.size()));
        for (auto it = m_varOffsets.rbegin(); it != m_varOffsets.rend(); ++it)
            appendU16(out, *it);
        appendU16(out, quint16(m_layout.variableCount));
    }
    out.append(m_nullMask);

    if (out.size() > Format::MaxRowSize) {
        *error = u"the row takes %1 bytes; a page holds rows of at most %2"_s.arg(out.size())
                     .arg(Format::MaxRowSize);
        return false;
    }
    return true;
}

bool RowEncoder::encodeValue(const ColumnSlot &column, const Value &value, QByteArray &out,
                             QString *error)
{
    const auto setPresent = [&] {
        m_nullMask[column.number / 8] |= char(1 << (column.number % 8));
    };
    const auto wrongType = [&] {
        *error = columnPrefix(column) % u"cannot take "_s % kindOf(value);
        return false;
    };
    const bool isNull = std::holds_alternative<std::monostate>(value);
    if (!column.isFixed())
        m_varOffsets[column.varIndex] = quint16(out.size()); // a NULL takes no bytes

    switch (column.type) {
    case TypeCode::Boolean:
        if (isNull) {
            *error = columnPrefix(column) %
                     u"cannot be NULL: Jet 4 stores a BOOLEAN as its null-mask bit"_s;
            return false;
        }
        if (!std::holds_alternative<bool>(value))
            return wrongType();
        if (std::get<bool>(value))
            setPresent();
        return true;

    case TypeCode::Integer:
    case TypeCode::Long: {
        if (isNull)
            return true; // its bytes stay zero
        if (!std::holds_alternative<qint32>(value))
            return wrongType();
        const qint32 number = std::get<qint32>(value);
        char *at = out.data() + 2 + column.fixedOffset;
        if (column.type == TypeCode::Long) {
            Format::putI32(at, number);
        } else if (number >= std::numeric_limits<qint16>::min() &&
                   number <= std::numeric_limits<qint16>::max()) {
            Format::putU16(at, quint16(qint16(number)));
        } else {
            *error = columnPrefix(column) % u"%1 is out of range"_s.arg(number);
            return false;
        }
        setPresent();
        return true;
    }

    case TypeCode::Text: {
        if (isNull)
            return true;
        if (!std::holds_alternative<QString>(value))
            return wrongType();
        const QString &text = std::get<QString>(value);
        if (text.size() > column.maxCharacters()) {
            *error =
                columnPrefix(column) % u"a text of %1 characters is too long"_s.arg(text.size());
            return false;
        }
        QString why;
        if (!appendJetText(out, text, &why)) {
            *error = columnPrefix(column) % why;
            return false;
        }
        setPresent();
        return true;
    }

    default:
        return isNull ? true : wrongType();
    }
}

} // namespace Jet
