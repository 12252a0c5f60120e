#include "catalogue/jetmemo.h"

#include "catalogue/jetbytes.h"

#include <QSet>

namespace JetMemo {

namespace {

constexpr quint8 InRow = 0x80;
constexpr quint8 OneRow = 0x40;
constexpr quint8 Chain = 0x00;
constexpr int PointerSize = 4;
constexpr int OwnerOffset = 4;
constexpr unsigned char PageData = 0x01;

using JetBytes::u32;

// The bytes of the row a pointer names on a long-value page, copied (the reader's page buffer
// is reused by its next read).
bool longValueRow(const JetFormat &format, const JetFileCheck::PageReader &read, quint32 pointer,
                  QByteArray &row)
{
    const quint32 number = pointer >> 8;
    const unsigned char *page = number == 0 ? nullptr : read(number);
    if (!page || page[0] != PageData ||
        QByteArrayView(reinterpret_cast<const char *>(page) + OwnerOffset, 4) != "LVAL")
        return false;
    const int slot = int(pointer & 0xFF);
    const int rows = page[format.rowCountOffset] | page[format.rowCountOffset + 1] << 8;
    int start = 0;
    int length = 0;
    if (slot >= rows || !JetFileCheck::findRow(format, page, slot, start, length))
        return false;
    row = QByteArray(reinterpret_cast<const char *>(page) + start, length);
    return true;
}

} // namespace

bool RowOwners::take(quint32 pointer, quint64 value)
{
    const auto owner = m_owners.constFind(pointer);
    if (owner != m_owners.cend())
        return *owner == value;
    m_owners.insert(pointer, value);
    return true;
}

bool storedBytes(const JetFormat &format, const JetFileCheck::PageReader &read,
                 QByteArrayView field, RowOwners &owners, quint64 value, QByteArray &stored)
{
    if (field.size() < FieldSize)
        return false;
    const auto *bytes = reinterpret_cast<const unsigned char *>(field.data());
    const qsizetype length = u32(bytes) & 0x3FFFFFFF;
    const quint8 kind = bytes[3] & 0xC0;
    quint32 pointer = u32(bytes + 4);
    switch (kind) {
    case InRow:
        stored = field.sliced(FieldSize).toByteArray();
        return stored.size() == length;
    case OneRow:
        return owners.take(pointer, value) && longValueRow(format, read, pointer, stored) &&
               stored.size() == length;
    case Chain: {
        stored.clear();
        QSet<quint32> visited;
        QByteArray piece;
        while (stored.size() < length) {
            if (visited.contains(pointer) || !owners.take(pointer, value) ||
                !longValueRow(format, read, pointer, piece) || piece.size() < PointerSize ||
                stored.size() + piece.size() - PointerSize > length)
                return false;
            visited.insert(pointer);
            stored += QByteArrayView(piece).sliced(PointerSize);
            pointer = u32(reinterpret_cast<const unsigned char *>(piece.constData()));
        }
        return pointer == 0;
    }
    default:
        return false;
    }
}

} // namespace JetMemo
