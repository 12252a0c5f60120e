#pragma once

#include "tools/jetwriter/jetwriter.h"
#include "tools/jetwriter/tablelayout.h"

#include <QByteArray>

namespace Jet {

// Turns rows of values into row bytes for one table layout, in the layout's format. TEXT
// takes QString, BOOLEAN bool, LONG and INTEGER qint32; the other types (used only by the
// system catalogue) take NULL only.
class RowEncoder
{
public:
    explicit RowEncoder(const TableLayout &layout);

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
    std::vector<quint16> m_varOffsets; // start of each variable column, by variable index
    QByteArray m_nullMask;             // bit n set: column n has a value (BOOLEAN: is true)
};

} // namespace Jet
