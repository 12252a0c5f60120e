#pragma once

#include "catalogue/jetfilecheck.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>

// Memo values as Jet stores them, read with the checks libmdb leaves out. The row holds a
// 12-byte field: the stored length in the low 30 bits of a u32 and the kind in its top 2 bits,
// a page/row pointer, then 4 bytes that are not read. The bytes follow the field in the row
// (kind 0x80), or fill one row of a long-value page (0x40), or are spread over a chain of such
// rows, each beginning with the pointer to the next (0x00); a long-value page is a data page
// whose owner field reads "LVAL".
// libmdb returns an empty text, or a text cut short, for a field that does not add up; here it
// is damage: a field shorter than 12 bytes, another kind, a length that differs from the bytes
// found, a pointer outside the file, to a page that is no long-value page or to a row its page
// does not count, a piece of a chain shorter than its pointer, a chain that comes back to itself
// or goes on after its last piece, and a row that another value of the table points to as well
// (a pointer changed by one byte may name another value's row of the same length).
namespace JetMemo {

inline constexpr int FieldSize = 12;

// The long-value rows the values of one table point to, each with the value it belongs to.
class RowOwners
{
public:
    // False when another value already points to the row.
    [[nodiscard]] bool take(quint32 pointer, quint64 value);

private:
    QHash<quint32, quint64> m_owners;
};

// The stored bytes of the value `value` (any number that tells the table's values apart) whose
// field begins `field` (which runs on to the end of the value's bytes in the row). False when
// the value is damaged.
[[nodiscard]] bool storedBytes(const JetFormat &format, const JetFileCheck::PageReader &read,
                               QByteArrayView field, RowOwners &owners, quint64 value,
                               QByteArray &stored);

} // namespace JetMemo
