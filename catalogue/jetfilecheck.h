#pragma once

#include "catalogue/jetformat.h"

#include <QByteArrayView>
#include <QString>

#include <functional>
#include <utility>
#include <vector>

// Checks of an Access file's structure that libmdb relies on without making them itself. On
// such damage libmdb crashes (a usage map of length 0), loops for ever, or silently returns
// fewer rows (a data page beyond the end of a truncated file, a page of another table in the
// usage map). The reader runs these checks before libmdb sees the parts concerned, so that
// damage becomes an error message instead.
namespace JetFileCheck {

// The system catalogue's table definition.
inline constexpr quint32 CataloguePage = 2;
// How much of the file's start `identify` looks at.
inline constexpr qsizetype HeaderBytes = 2048;
// The flags of a row slot whose row was deleted or moved elsewhere; libmdb skips the rows of
// slots with 0x4000 and reads the others.
inline constexpr quint16 RowGoneFlags = 0xC000;

struct Identification
{
    // Set when the file is Jet 3 or Jet 4 and its size is a whole number of pages, at least up
    // to the catalogue's definition and at most the format's limit.
    const JetFormat *format = nullptr;
    // Set when the file is of a format that cannot be read, named for the user: "Access 2007
    // (ACCDB)", "Access 2.0 oder älter (Jet 2)", ...
    QString otherFormat;
};

// The format of a file from its first bytes (at least HeaderBytes of them, where the file has
// them) and its whole size. Neither member is set for a file that is no Access database, or
// whose first page or size is damaged.
[[nodiscard]] Identification identify(QByteArrayView firstBytes, qint64 size);

// A page of the file as libmdb sees it (decrypted), or nullptr when it lies outside the file.
// The bytes stay valid until the next call.
using PageReader = std::function<const unsigned char *(quint32 page)>;

// The row `row` of a data page as libmdb's mdb_find_row finds it: false when the slot table
// puts it outside the page or ends it before it starts.
[[nodiscard]] bool findRow(const JetFormat &format, const unsigned char *page, int row, int &start,
                           int &length);

// The data pages of a file that hold a row not marked deleted, by the table definition their
// owner field names: found in one pass over the file.
class PagesWithRows
{
public:
    PagesWithRows(const JetFormat &format, const PageReader &read, quint32 pageCount);
    // In ascending order.
    std::vector<quint32> of(quint32 definition) const;

private:
    std::vector<std::pair<quint32, quint32>> m_pages; // (owner, page), sorted
};

// What a sound table's definition gives.
struct Definition
{
    std::vector<quint32> dataPages; // the usage map's pages, in the order libmdb reads them
    quint32 rowCount = 0;           // as the definition counts the rows
};

// The table definition at `page` and everything libmdb reaches from it before the rows: the
// continuation pages of the definition as far as its columns and their names reach, the column
// entries (jetcolumns.h), the usage map (a row of at least 5 bytes, type 0 or 1) and every page
// that map lists, which must lie inside the file (`pageCount` pages), be no page 0, and be a
// data page of this table; and the map must list every page of `pages` that holds a row of the
// table.
[[nodiscard]] bool tableIsSound(const JetFormat &format, const PageReader &read, quint32 pageCount,
                                quint32 page, const PagesWithRows &pages, Definition &table);

} // namespace JetFileCheck
