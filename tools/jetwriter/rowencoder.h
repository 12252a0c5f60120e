#pragma once

#include "tools/jetwriter/jetwriter.h"
#include "tools/jetwriter/tablelayout.h"

#include <QByteArray>

namespace Jet {

class LongValueWriter;

// Turns rows of values into row bytes for one table layout, in the layout's format. TEXT and
// MEMO take QString, BOOLEAN bool, LONG and INTEGER qint32; the other types (used only by the
// system catalogue) take NULL only. MEMO values that do not stay in the row go to
// `longValues`.
class RowEncoder
{
public:
    RowEncoder(const TableLayout &layout, LongValueWriter &longValues);

    // Replaces `out` with the encoded row. Returns false, with a reason that names the
    // column, when a value does not suit its column.
    [[nodiscard]] bool encode(const std::vector<Value> &values, QByteArray &out, QString *error);

private:
    bool jet3() const { return m_layout.traits->isJet3(); }
    int countSize() const { return jet3() ? 1 : 2; } // the row's leading column count
    [[nodiscard]] bool appendJet3Trailer(QByteArray &out) const;
    void appendJet4Trailer(QByteArray &out) const;
    [[nodiscard]] bool encodeValue(const ColumnSlot &column, const Value &value, QByteArray &out,
                                   QString *error);

    const TableLayout &m_layout;
    LongValueWriter &m_longValues;
    QByteArray m_stored;               // a MEMO value's text before it becomes a field
    std::vector<quint16> m_varOffsets; // start of each variable column, by variable index
    QByteArray m_nullMask;             // bit n set: column n has a value (BOOLEAN: is true)
};

} // namespace Jet
