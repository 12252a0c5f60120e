#include "catalogue/jetfilecheck.h"

#include <QByteArray>
#include <QSet>

#include <algorithm>

namespace JetFileCheck {

namespace {

// Offsets of Jet 4 as libmdb reads them (MdbJet4Constants).
constexpr int VersionOffset = 0x14;
constexpr unsigned char Jet4 = 0x01;
constexpr unsigned char PageTableDefinition = 0x02;
constexpr int NextPageOffset = 4;
constexpr int ContinuationStart = 8;
constexpr int ColumnCountOffset = 45;
constexpr int RealIndexCountOffset = 51;
constexpr int UsageMapOffset = 55;
constexpr int ColumnsStart = 63;
constexpr int RealIndexEntrySize = 12;
constexpr int ColumnEntrySize = 25;
constexpr int RowCountOffset = 12;
constexpr int RowOffsetMask = 0x1FFF;

// Access allows 255 columns and 32 indexes; names are at most 64 characters (128 bytes), and
// libmdb keeps at most 256 bytes of a name.
constexpr int MaxColumns = 255;
constexpr qint64 MaxRealIndexes = 1000;
constexpr int MaxNameBytes = 256;
constexpr int MinUsageMapSize = 5;
constexpr quint32 BitmapPageBits = (PageSize - 4) * 8;

quint16 u16(const unsigned char *p)
{
    return quint16(p[0] | p[1] << 8);
}

quint32 u32(const unsigned char *p)
{
    return quint32(p[0]) | quint32(p[1]) << 8 | quint32(p[2]) << 16 | quint32(p[3]) << 24;
}

// The bytes of a table definition as libmdb's read_pg_if_n walks them: the first page whole,
// each continuation page (found through the pointer at offset 4) from offset 8 on. Like
// libmdb, reading up to the very end of a page also reads the next page; that page only has
// to exist until bytes are taken from it.
class DefinitionStream
{
public:
    DefinitionStream(const PageReader &read, quint32 page, const unsigned char *bytes, int position)
        : m_read(read)
        , m_page(bytes)
        , m_position(position)
    {
        m_seen.insert(page);
    }

    // Takes `length` bytes, copying them to `out` unless it is null.
    bool take(qint64 length, unsigned char *out = nullptr)
    {
        for (;;) {
            if (length > 0 && !currentPageIsUsable())
                return false;
            const qint64 here = std::min<qint64>(length, PageSize - m_position);
            if (out) {
                std::copy_n(m_page + m_position, here, out);
                out += here;
            }
            if (m_position + length < PageSize) {
                m_position += int(length);
                return true;
            }
            length -= here;
            if (!moveToNextPage())
                return false;
        }
    }

private:
    bool moveToNextPage()
    {
        m_pageNumber = u32(m_page + NextPageOffset);
        m_page = m_read(m_pageNumber);
        m_position = ContinuationStart;
        m_checked = false;
        return m_page != nullptr;
    }

    // A definition that runs on into a page of another kind, or back into itself, is damaged;
    // libmdb would read on through whatever it finds.
    bool currentPageIsUsable()
    {
        if (m_checked)
            return true;
        if (m_page[0] != PageTableDefinition || m_seen.contains(m_pageNumber))
            return false;
        m_seen.insert(m_pageNumber);
        m_checked = true;
        return true;
    }

    const PageReader &m_read;
    const unsigned char *m_page;
    quint32 m_pageNumber = 0;
    int m_position;
    bool m_checked = true;
    QSet<quint32> m_seen;
};

// The row `row` of a page as libmdb's mdb_find_row finds it.
bool findRow(const unsigned char *page, int row, int &start, int &length)
{
    const int rawStart = u16(page + RowCountOffset + 2 + row * 2);
    const int nextStart =
        row == 0 ? int(PageSize) : u16(page + RowCountOffset + row * 2) & RowOffsetMask;
    start = rawStart & RowOffsetMask;
    length = nextStart - start;
    return start < PageSize && start <= nextStart && nextStart <= PageSize;
}

// Every page a usage map lists must lie inside the file: libmdb silently ends a table at a
// page it cannot read, and at a listed page 0, missing the rows of every page after it.
bool bitsListExistingPages(QByteArrayView bits, quint64 firstPage, quint32 pageCount)
{
    for (qsizetype byte = 0; byte < bits.size(); ++byte) {
        const auto value = static_cast<unsigned char>(bits[byte]);
        if (value == 0)
            continue;
        for (int bit = 0; bit < 8; ++bit) {
            const quint64 page = firstPage + quint64(byte) * 8 + quint64(bit);
            if ((value & (1 << bit)) && (page == 0 || page >= pageCount))
                return false;
        }
    }
    return true;
}

bool usageMapIsSound(const PageReader &read, quint32 pageCount, quint32 pointer)
{
    const unsigned char *page = read(pointer >> 8);
    int start = 0;
    int length = 0;
    if (!page || !findRow(page, int(pointer & 0xFF), start, length) || length < MinUsageMapSize)
        return false;
    // A copy: reading the bitmap pages reuses the reader's buffer.
    const QByteArray map(reinterpret_cast<const char *>(page + start), length);
    const auto *bytes = reinterpret_cast<const unsigned char *>(map.constData());
    switch (bytes[0]) {
    case 0: // a bitmap of pages from a first page on, inline
        return bitsListExistingPages(QByteArrayView(map).sliced(5), u32(bytes + 1), pageCount);
    case 1: // pointers to bitmap pages, the k-th covering pages k*BitmapPageBits...
        for (qsizetype k = 0; k < (length - 1) / 4; ++k) {
            const quint32 bitmapPage = u32(bytes + 1 + 4 * k);
            if (bitmapPage == 0)
                continue;
            const unsigned char *bitmap = read(bitmapPage);
            if (!bitmap ||
                !bitsListExistingPages(
                    QByteArrayView(reinterpret_cast<const char *>(bitmap) + 4, PageSize - 4),
                    quint64(k) * BitmapPageBits, pageCount))
                return false;
        }
        return true;
    default: // libmdb would search the whole file for the table's pages
        return false;
    }
}

} // namespace

bool headerIsSound(QByteArrayView firstPage, qint64 size)
{
    return firstPage.size() >= PageSize && firstPage[0] == 0 &&
           static_cast<unsigned char>(firstPage[VersionOffset]) == Jet4 &&
           size >= (qint64(CataloguePage) + 1) * PageSize && size <= MaxFileSize &&
           size % PageSize == 0;
}

bool tableIsSound(const PageReader &read, quint32 pageCount, quint32 page)
{
    const unsigned char *definition = page == 0 ? nullptr : read(page);
    if (!definition || definition[0] != PageTableDefinition)
        return false;
    const int columns = u16(definition + ColumnCountOffset);
    const auto realIndexes = qint32(u32(definition + RealIndexCountOffset));
    if (columns < 1 || columns > MaxColumns || realIndexes < 0 || realIndexes > MaxRealIndexes)
        return false;
    const quint32 usageMap = u32(definition + UsageMapOffset);

    // The index entries, the column entries and then the names.
    DefinitionStream stream(read, page, definition, ColumnsStart);
    if (!stream.take(qint64(realIndexes) * RealIndexEntrySize + qint64(columns) * ColumnEntrySize))
        return false;
    for (int i = 0; i < columns; ++i) {
        unsigned char length[2];
        if (!stream.take(2, length) || u16(length) > MaxNameBytes || !stream.take(u16(length)))
            return false;
    }
    return usageMapIsSound(read, pageCount, usageMap);
}

} // namespace JetFileCheck
