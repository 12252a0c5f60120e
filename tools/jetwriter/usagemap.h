#pragma once

#include "tools/jetwriter/pageimage.h"

#include <QByteArray>

namespace Jet {

// Usage maps tell readers which pages hold a table's rows. A map is a 69-byte row on some
// data page. Type 0 carries a bitmap of 512 pages from a start page inline; type 1 points to
// up to 17 bitmap pages (type 0x05), the k-th covering the pages k*32736 ... k*32736+32735.

inline constexpr quint32 InlineMapPages = 64 * 8;
inline constexpr quint32 BitmapPagePages = (Format::PageSize - 4) * 8;
inline constexpr int UsageMapRowSize = 1 + 4 * 17;

// Returns the map row listing exactly the pages [first, first + count): type 0 while they
// fit one inline window, otherwise type 1 with its bitmap pages appended to `image`.
// All pages must lie below 17 * BitmapPagePages, which the 2 GiB file limit ensures.
QByteArray buildUsageMap(PageImage &image, quint32 first, quint32 count);

} // namespace Jet
