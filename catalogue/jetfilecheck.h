#pragma once

#include <QByteArrayView>
#include <QtGlobal>

#include <functional>

// Checks of a Jet 4 file's structure that libmdb relies on without making them itself. On
// such damage libmdb crashes (a usage map of length 0), loops for ever, or silently returns
// fewer rows (a data page beyond the end of a truncated file). The reader runs these checks
// before libmdb sees the parts concerned, so that damage becomes an error message instead.
namespace JetFileCheck {

inline constexpr qsizetype PageSize = 4096;
// Jet 4 files end at 2 GiB.
inline constexpr qint64 MaxFileSize = qint64(1) << 31;
// The system catalogue's table definition.
inline constexpr quint32 CataloguePage = 2;

// The first page says "Jet 4" and the size is a whole number of pages, at least up to the
// catalogue's definition. `size` is the length of the whole file.
[[nodiscard]] bool headerIsSound(QByteArrayView firstPage, qint64 size);

// A page of the file as libmdb sees it (decrypted), or nullptr when it lies outside the file.
// The bytes stay valid until the next call.
using PageReader = std::function<const unsigned char *(quint32 page)>;

// The table definition at `page` and everything libmdb reaches from it before the rows: the
// continuation pages of the definition as far as its columns and their names reach, the usage
// map (a row of at least 5 bytes, type 0 or 1) and every page that map lists, which must lie
// inside the file (`pageCount` pages) and be no page 0.
[[nodiscard]] bool tableIsSound(const PageReader &read, quint32 pageCount, quint32 page);

} // namespace JetFileCheck
