#include "tools/jetwriter/longvaluewriter.h"

namespace Jet {

using namespace Format;

namespace {

constexpr quint8 InlineKind = 0x80;
constexpr quint8 OneRowKind = 0x40;
constexpr quint8 ChainKind = 0x00;
constexpr int PointerSize = 4;

} // namespace

// As in Access, a value on one row takes no more than a piece of a chain would, whose row also
// holds the pointer to the next piece.
LongValueWriter::LongValueWriter(PageImage &image)
    : m_pages(image, Owner)
    , m_pieceSize(image.traits().maxRowSize() - PointerSize)
{
}

QByteArray LongValueWriter::field(QByteArrayView stored)
{
    const int size = int(stored.size());
    QByteArray field(FieldSize, '\0');
    char *const f = field.data();
    putU32(f, quint32(size));
    if (size <= InlineLimit) {
        putU8(f + 3, InlineKind);
        field.append(stored);
    } else if (size <= m_pieceSize) {
        putU8(f + 3, OneRowKind);
        putU32(f + 4, m_pages.addRow(stored));
    } else {
        // The last piece is written first, so that each piece can point to the one after it.
        const int piece = m_pieceSize;
        quint32 next = 0;
        QByteArray row;
        for (int start = (size - 1) / piece * piece; start >= 0; start -= piece) {
            row.resize(PointerSize);
            putU32(row.data(), next);
            row.append(stored.sliced(start, qMin(piece, size - start)));
            next = m_pages.addRow(row);
        }
        putU8(f + 3, ChainKind);
        putU32(f + 4, next);
    }
    return field;
}

} // namespace Jet
