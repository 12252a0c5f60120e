#include "tools/jetwriter/tablelayout.h"

using namespace Qt::StringLiterals;

namespace Jet {

namespace {

using Format::TypeCode;

// Bytes a fixed column takes in a row; BOOLEAN takes none (its value is the null-mask bit).
int fixedBytes(TypeCode type)
{
    switch (type) {
    case TypeCode::Integer:
        return 2;
    case TypeCode::Long:
        return 4;
    case TypeCode::DateTime:
        return 8;
    default:
        return 0;
    }
}

// The length field Access writes for fixed types.
quint16 fixedLength(TypeCode type)
{
    return type == TypeCode::Boolean ? 1 : quint16(fixedBytes(type));
}

} // namespace

bool ColumnSlot::isFixed() const
{
    switch (type) {
    case TypeCode::Boolean:
    case TypeCode::Integer:
    case TypeCode::Long:
    case TypeCode::DateTime:
        return true;
    default:
        return false;
    }
}

QString ColumnSlot::typeName() const
{
    switch (type) {
    case TypeCode::Boolean:
        return u"BOOLEAN"_s;
    case TypeCode::Integer:
        return u"INTEGER"_s;
    case TypeCode::Long:
        return u"LONG"_s;
    case TypeCode::DateTime:
        return u"DATETIME"_s;
    case TypeCode::Binary:
        return u"BINARY"_s;
    case TypeCode::Text:
        return u"TEXT(%1)"_s.arg(characters);
    case TypeCode::Ole:
        return u"OLE"_s;
    case TypeCode::Memo:
        return u"MEMO"_s;
    }
    return {};
}

void TableLayout::addColumn(const QString &name, Format::TypeCode type, quint16 length)
{
    ColumnSlot slot;
    slot.name = name;
    slot.type = type;
    slot.number = quint16(columns.size());
    if (slot.isFixed()) {
        // Access stores the count of variable columns before a fixed one; readers ignore it.
        slot.varIndex = quint16(variableCount);
        slot.fixedOffset = type == TypeCode::Boolean ? 0 : quint16(fixedSize);
        slot.length = fixedLength(type);
        fixedSize += fixedBytes(type);
    } else {
        slot.varIndex = quint16(variableCount++);
        // Jet 4 keeps texts as UCS-2, two bytes per character; Jet 3 one byte.
        const bool text = type == TypeCode::Text;
        slot.characters = text ? length : 0;
        slot.length = text && !traits->isJet3() ? quint16(2 * length) : length;
    }
    columns.push_back(slot);
}

} // namespace Jet
