#include "tools/jetwriter/usagemap.h"

#include <vector>

namespace Jet {

using namespace Format;

namespace {

void setBit(char *bitmap, quint32 bit)
{
    bitmap[bit / 8] = char(bitmap[bit / 8] | (1 << (bit % 8)));
}

} // namespace

QByteArray buildUsageMap(PageImage &image, quint32 first, quint32 count)
{
    const Traits &traits = image.traits();
    QByteArray row(traits.usageMapRowSize, '\0');
    char *map = row.data();
    if (count <= quint32(traits.usageMapRowSize - 5) * 8) {
        // An empty table gets an inline map with no bit set, and needs no data page.
        putU8(map, 0);
        putU32(map + 1, count == 0 ? 0 : first);
        for (quint32 i = 0; i < count; ++i)
            setBit(map + 5, i);
        return row;
    }

    putU8(map, 1);
    const quint32 pagesPerBitmap = traits.bitmapPagePages();
    std::vector<quint32> bitmapPages(std::size_t(traits.usageMapRowSize - 1) / 4);
    for (quint32 page = first; page < first + count; ++page) {
        const quint32 slot = page / pagesPerBitmap;
        Q_ASSERT(slot < bitmapPages.size());
        if (bitmapPages[slot] == 0) {
            bitmapPages[slot] = image.allocate();
            char *p = image.page(bitmapPages[slot]);
            putU8(p, quint8(PageUsageBitmap));
            putU8(p + 1, 1);
            putU32(map + 1 + 4 * slot, bitmapPages[slot]);
        }
        setBit(image.page(bitmapPages[slot]) + 4, page % pagesPerBitmap);
    }
    return row;
}

} // namespace Jet
