#pragma once

#include "tools/jetwriter/pageimage.h"

#include <QByteArray>

namespace Jet {

// Usage maps tell readers which pages hold a table's rows. A map is a row on some data page,
// of Traits::usageMapRowSize bytes. Type 0 carries a bitmap of pages from a start page inline;
// type 1 points to bitmap pages (type 0x05), the k-th covering the pages
// k * bitmapPagePages() ... (k + 1) * bitmapPagePages() - 1.

// Returns the map row listing exactly the pages [first, first + count): type 0 while they
// fit one inline window, otherwise type 1 with its bitmap pages appended to `image`.
// All pages must lie below the slots' reach, which the format's file size limit ensures.
QByteArray buildUsageMap(PageImage &image, quint32 first, quint32 count);

} // namespace Jet
