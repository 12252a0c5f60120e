#pragma once

#include "tools/jetwriter/datapagewriter.h"

#include <QByteArray>
#include <QByteArrayView>

namespace Jet {

// MEMO values as Jet keeps them. The row holds a 12-byte field: the stored length (3 bytes),
// a kind byte and a page/row pointer, then 4 zero bytes. Up to InlineLimit stored bytes follow
// the field in the row itself (kind 0x80), as Access and Jackcess keep short values; a longer
// value goes to long-value pages, data pages whose owner field reads "LVAL": into one row of its
// own when it fits a page beside a pointer (kind 0x40), otherwise into a chain of rows (kind
// 0x00), each starting with the pointer to the next and the last with 0.
class LongValueWriter
{
public:
    static constexpr int InlineLimit = 64;
    static constexpr int FieldSize = 12;
    // The owner field of long-value pages: "LVAL" read as a little-endian u32.
    static constexpr quint32 Owner = 0x4C41564Cu;

    explicit LongValueWriter(PageImage &image);

    // The row's field for a value of `stored` bytes (the text in its stored form), writing the
    // long-value pages it needs.
    QByteArray field(QByteArrayView stored);

private:
    DataPageWriter m_pages;
    int m_pieceSize; // the most bytes of a value one row holds
};

} // namespace Jet
