#pragma once

#include "catalogue/jetformat.h"

#include <QByteArrayView>
#include <QString>

#include <functional>
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

// The table definition at `page` and everything libmdb reaches from it before the rows: the
// continuation pages of the definition as far as its columns and their names reach, the usage
// map (a row of at least 5 bytes, type 0 or 1) and every page that map lists, which must lie
// inside the file (`pageCount` pages), be no page 0, and be a data page of this table. Sets
// `dataPages` to those pages in the order libmdb reads them.
[[nodiscard]] bool tableIsSound(const JetFormat &format, const PageReader &read, quint32 pageCount,
                                quint32 page, std::vector<quint32> &dataPages);

} // namespace JetFileCheck
