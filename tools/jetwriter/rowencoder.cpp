#include "tools/jetwriter/rowencoder.h"

#include "tools/jetwriter/jettext.h"
#include "tools/jetwriter/longvaluewriter.h"

#include <algorithm>
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

RowEncoder::RowEncoder(const TableLayout &layout, LongValueWriter &longValues)
    : m_layout(layout)
    , m_longValues(longValues)
    , m_varOffsets(std::size_t(layout.variableCount))
    , m_nullMask((qsizetype(layout.columns.size()) + 7) / 8, '\0')
{
}

// A row: column count, fixed area, variable data, then (only if the table has variable columns)
// the trailer of variable-column offsets, and finally the null mask. Readers find the trailer
// by working back from the row's end.
bool RowEncoder::encode(const std::vector<Value> &values, QByteArray &out, QString *error)
{
    const std::vector<ColumnSlot> &columns = m_layout.columns;
    if (values.size() != columns.size()) {
        *error = u"the row has %1 values for %2 columns"_s.arg(values.size()).arg(columns.size());
        return false;
    }
    out.resize(countSize() + m_layout.fixedSize); // keeps the capacity of the previous row
    std::memset(out.data(), 0, std::size_t(out.size()));
    if (jet3())
        Format::putU8(out.data(), quint8(columns.size()));
    else
        Format::putU16(out.data(), quint16(columns.size()));
    m_nullMask.fill('\0');

    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (!encodeValue(columns[i], values[i], out, error))
            return false;
    }
    if (m_layout.variableCount > 0) {
        if (!jet3()) {
            appendJet4Trailer(out);
        } else if (!appendJet3Trailer(out)) {
            *error = u"the row's offsets do not fit Jet 3's jump table (too many columns)"_s;
            return false;
        }
    }
    out.append(m_nullMask);

    const int maxRowSize = m_layout.traits->maxRowSize();
    if (out.size() > maxRowSize) {
        *error = u"the row takes %1 bytes; a page holds rows of at most %2"_s.arg(out.size())
                     .arg(maxRowSize);
        return false;
    }
    return true;
}

// Jet 4: the end-of-data offset, the variable offsets last column first, their count; all u16.
void RowEncoder::appendJet4Trailer(QByteArray &out) const
{
    appendU16(out, quint16(out.size()));
    for (auto it = m_varOffsets.rbegin(); it != m_varOffsets.rend(); ++it)
        appendU16(out, *it);
    appendU16(out, quint16(m_layout.variableCount));
}

// Jet 3 keeps offsets in one byte each: the end-of-data offset, the variable offsets last
// column first, then a jump table that supplies the high part. For each 256-byte boundary b
// crossed by the data it holds the first offset index (the end-of-data offset counting as the
// last) at or beyond 256 * b, the lowest boundary next to the count byte. Readers expect as
// many jump bytes as (row length - 1) / 256 and take one more than the boundaries need as a
// filler at the far end, which the row's own trailer may make necessary.
bool RowEncoder::appendJet3Trailer(QByteArray &out) const
{
    const int end = int(out.size());
    std::vector<int> offsets(m_varOffsets.begin(), m_varOffsets.end());
    offsets.push_back(end);
    const int boundaries = end / 256;
    const int withoutJumps = end + 1 + m_layout.variableCount + 1 + int(m_nullMask.size());
    const bool filler = (withoutJumps + boundaries - 1) / 256 > boundaries;
    const int jumps = boundaries + (filler ? 1 : 0);
    if ((withoutJumps + jumps - 1) / 256 != jumps)
        return false;

    out.append(char(end & 0xFF));
    for (auto it = m_varOffsets.rbegin(); it != m_varOffsets.rend(); ++it)
        out.append(char(*it & 0xFF));
    if (filler)
        out.append(char(0xFF));
    for (int boundary = boundaries; boundary >= 1; --boundary) {
        const auto first = std::find_if(offsets.begin(), offsets.end(), [boundary](int offset) {
            return offset >= 256 * boundary;
        });
        out.append(char(first - offsets.begin()));
    }
    out.append(char(m_layout.variableCount));
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
                     u"cannot be NULL: Jet stores a BOOLEAN as its null-mask bit"_s;
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
        char *at = out.data() + countSize() + column.fixedOffset;
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

    case TypeCode::Text:
    case TypeCode::Memo: {
        if (isNull)
            return true;
        if (!std::holds_alternative<QString>(value))
            return wrongType();
        const QString &text = std::get<QString>(value);
        const bool memo = column.type == TypeCode::Memo;
        if (text.size() > (memo ? MaxMemoLength : column.characters)) {
            *error =
                columnPrefix(column) % u"a text of %1 characters is too long"_s.arg(text.size());
            return false;
        }
        if (memo)
            m_stored.resize(0); // keeps its capacity for the next value
        QByteArray &stored = memo ? m_stored : out;
        QString why;
        if (!(jet3() ? appendJet3Text(stored, text, &why) : appendJetText(stored, text, &why))) {
            *error = columnPrefix(column) % why;
            return false;
        }
        if (memo)
            out.append(m_longValues.field(stored));
        setPresent();
        return true;
    }

    default:
        return isNull ? true : wrongType();
    }
}

} // namespace Jet
