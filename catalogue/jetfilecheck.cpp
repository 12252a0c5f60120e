#include "catalogue/jetfilecheck.h"

#include "catalogue/jetbytes.h"
#include "catalogue/jetcolumns.h"

#include <QByteArray>
#include <QSet>

#include <algorithm>

namespace JetFileCheck {

namespace {

using namespace Qt::StringLiterals;

constexpr int VersionOffset = 0x14;
constexpr unsigned char Jet3 = 0x00;
constexpr unsigned char Jet4 = 0x01;
// Access 1.x and 2.0 files keep their version here (7, 8, 9), where later ones have 0.
constexpr int OldVersionOffset = 0x40A;
constexpr unsigned char PageTableDefinition = 0x02;
constexpr unsigned char PageData = 0x01;
constexpr int NextPageOffset = 4;
constexpr int OwnerOffset = 4;
constexpr int ContinuationStart = 8;
constexpr int RowOffsetMask = 0x1FFF;

// Access allows 255 columns and 32 indexes; names are at most 64 characters (128 bytes), and
// libmdb keeps at most 256 bytes of a name.
constexpr int MaxColumns = 255;
constexpr qint64 MaxRealIndexes = 1000;
constexpr int MaxNameBytes = 256;
constexpr int MinUsageMapSize = 5;

// The ACCDB formats of Access 2007 and later by their version byte, as libmdb knows them.
QString accdbName(int version)
{
    static const char *const years[] = {"2007", "2010", "2013", "2016", "2019"};
    if (version >= 2 && version <= 6)
        return u"Access %1 (ACCDB)"_s.arg(QLatin1StringView(years[version - 2]));
    return u"Access 2007 oder neuer (ACCDB)"_s;
}

using JetBytes::u16;
using JetBytes::u32;

// The bytes of a table definition as libmdb's read_pg_if_n walks them: the first page whole,
// each continuation page (found through the pointer at offset 4) from offset 8 on. Like
// libmdb, reading up to the very end of a page also reads the next page; that page only has
// to exist until bytes are taken from it.
class DefinitionStream
{
public:
    DefinitionStream(const PageReader &read, qsizetype pageSize, quint32 page,
                     const unsigned char *bytes, int position)
        : m_read(read)
        , m_pageSize(pageSize)
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
            const qint64 here = std::min<qint64>(length, m_pageSize - m_position);
            if (out) {
                std::copy_n(m_page + m_position, here, out);
                out += here;
            }
            if (m_position + length < m_pageSize) {
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
    qsizetype m_pageSize;
    const unsigned char *m_page;
    quint32 m_pageNumber = 0;
    int m_position;
    bool m_checked = true;
    QSet<quint32> m_seen;
};

// The pages a usage map lists, in ascending order as libmdb walks them. Each must lie inside
// the file: libmdb silently ends a table at a page it cannot read, and at a listed page 0,
// missing the rows of every page after it.
bool collectPages(QByteArrayView bits, quint64 firstPage, quint32 pageCount,
                  std::vector<quint32> &pages)
{
    for (qsizetype byte = 0; byte < bits.size(); ++byte) {
        const auto value = static_cast<unsigned char>(bits[byte]);
        for (int bit = 0; value != 0 && bit < 8; ++bit) {
            if (!(value & (1 << bit)))
                continue;
            const quint64 page = firstPage + quint64(byte) * 8 + quint64(bit);
            if (page == 0 || page >= pageCount)
                return false;
            pages.push_back(quint32(page));
        }
    }
    return true;
}

bool usageMapIsSound(const JetFormat &format, const PageReader &read, quint32 pageCount,
                     quint32 pointer, std::vector<quint32> &pages)
{
    const unsigned char *page = read(pointer >> 8);
    int start = 0;
    int length = 0;
    if (!page || !findRow(format, page, int(pointer & 0xFF), start, length) ||
        length < MinUsageMapSize)
        return false;
    // A copy: reading the bitmap pages reuses the reader's buffer.
    const QByteArray map(reinterpret_cast<const char *>(page + start), length);
    const auto *bytes = reinterpret_cast<const unsigned char *>(map.constData());
    switch (bytes[0]) {
    case 0: // a bitmap of pages from a first page on, inline
        return collectPages(QByteArrayView(map).sliced(5), u32(bytes + 1), pageCount, pages);
    case 1: // pointers to bitmap pages, the k-th covering pages k * bitmapPageBits() on
        for (qsizetype k = 0; k < (length - 1) / 4; ++k) {
            const quint32 bitmapPage = u32(bytes + 1 + 4 * k);
            if (bitmapPage == 0)
                continue;
            const unsigned char *bitmap = read(bitmapPage);
            if (!bitmap || !collectPages(QByteArrayView(reinterpret_cast<const char *>(bitmap) + 4,
                                                        format.pageSize - 4),
                                         quint64(k) * format.bitmapPageBits(), pageCount, pages))
                return false;
        }
        return true;
    default: // libmdb would search the whole file for the table's pages
        return false;
    }
}

// libmdb passes over a listed page that is not a data page of the table, and with it every
// row the table keeps there.
bool pagesBelongTo(const PageReader &read, const std::vector<quint32> &pages, quint32 definition)
{
    return std::all_of(pages.begin(), pages.end(), [&](quint32 number) {
        const unsigned char *page = read(number);
        return page && page[0] == PageData && u32(page + OwnerOffset) == definition;
    });
}

} // namespace

Identification identify(QByteArrayView firstBytes, qint64 size)
{
    Identification result;
    const auto byteAt = [firstBytes](qsizetype offset) {
        return offset < firstBytes.size() ? int(static_cast<unsigned char>(firstBytes[offset]))
                                          : -1;
    };
    if (byteAt(0) != 0 || byteAt(VersionOffset) < 0)
        return result;
    const int version = byteAt(VersionOffset);
    if (firstBytes.sliced(4).startsWith("Standard ACE DB") || (version >= 2 && version <= 6)) {
        result.otherFormat = accdbName(version);
        return result;
    }
    const int oldVersion = byteAt(OldVersionOffset);
    if (version == Jet3 && oldVersion >= 7 && oldVersion <= 9) {
        result.otherFormat = u"Access 2.0 oder älter (Jet 2)"_s;
        return result;
    }
    const JetFormat *format = version == Jet3   ? &Jet3Format
                              : version == Jet4 ? &Jet4Format
                                                : nullptr;
    if (format && size >= (qint64(CataloguePage) + 1) * format->pageSize &&
        size <= format->maxFileSize && size % format->pageSize == 0)
        result.format = format;
    return result;
}

bool findRow(const JetFormat &format, const unsigned char *page, int row, int &start, int &length)
{
    const int pageSize = int(format.pageSize);
    const int rawStart = u16(page + format.firstSlotOffset() + row * 2);
    const int nextStart =
        row == 0 ? pageSize : u16(page + format.firstSlotOffset() + (row - 1) * 2) & RowOffsetMask;
    start = rawStart & RowOffsetMask;
    length = nextStart - start;
    return start < pageSize && start <= nextStart && nextStart <= pageSize;
}

PagesWithRows::PagesWithRows(const JetFormat &format, const PageReader &read, quint32 pageCount)
{
    for (quint32 number = 1; number < pageCount; ++number) {
        const unsigned char *page = read(number);
        if (!page || page[0] != PageData)
            continue;
        const int slots = u16(page + format.rowCountOffset);
        if (format.firstSlotOffset() + 2 * slots > format.pageSize)
            continue; // not a page libmdb reads rows from
        for (int slot = 0; slot < slots; ++slot) {
            if (!(u16(page + format.firstSlotOffset() + 2 * slot) & RowGoneFlags)) {
                m_pages.emplace_back(u32(page + OwnerOffset), number);
                break;
            }
        }
    }
    std::sort(m_pages.begin(), m_pages.end());
}

std::vector<quint32> PagesWithRows::of(quint32 definition) const
{
    const auto first = std::lower_bound(m_pages.begin(), m_pages.end(), std::pair{definition, 0u});
    std::vector<quint32> pages;
    for (auto it = first; it != m_pages.end() && it->first == definition; ++it)
        pages.push_back(it->second);
    return pages;
}

bool tableIsSound(const JetFormat &format, const PageReader &read, quint32 pageCount, quint32 page,
                  const PagesWithRows &pages, Definition &table)
{
    table = {};
    const unsigned char *definition = page == 0 ? nullptr : read(page);
    if (!definition || definition[0] != PageTableDefinition)
        return false;
    const JetColumns::Counts counts{u16(definition + format.columnCountOffset),
                                    u16(definition + format.columnNumberLimitOffset()),
                                    u16(definition + format.variableColumnCountOffset())};
    const auto realIndexes = qint32(u32(definition + format.realIndexCountOffset));
    if (counts.columns < 1 || counts.columns > MaxColumns || realIndexes < 0 ||
        realIndexes > MaxRealIndexes)
        return false;
    table.rowCount = u32(definition + format.definitionRowCountOffset);
    const quint32 usageMap = u32(definition + format.usageMapOffset);

    // The index entries, the column entries and then the names.
    DefinitionStream stream(read, format.pageSize, page, definition, format.firstEntryOffset);
    QByteArray entries(qsizetype(counts.columns) * format.columnEntrySize, Qt::Uninitialized);
    if (!stream.take(qint64(realIndexes) * format.realIndexEntrySize) ||
        !stream.take(entries.size(), reinterpret_cast<unsigned char *>(entries.data())) ||
        !JetColumns::areSound(format, counts, entries))
        return false;
    for (int i = 0; i < counts.columns; ++i) {
        unsigned char length[2] = {0, 0};
        if (!stream.take(format.nameLengthSize, length) || u16(length) > MaxNameBytes ||
            !stream.take(u16(length)))
            return false;
    }
    // A page of the table that holds rows but is missing from the map would be passed over:
    // the map pointer may name another map of the table, such as its free-space map.
    const std::vector<quint32> withRows = pages.of(page);
    return usageMapIsSound(format, read, pageCount, usageMap, table.dataPages) &&
           pagesBelongTo(read, table.dataPages, page) &&
           std::includes(table.dataPages.begin(), table.dataPages.end(), withRows.begin(),
                         withRows.end());
}

} // namespace JetFileCheck
