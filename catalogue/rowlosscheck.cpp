#include "catalogue/rowlosscheck.h"

#include "catalogue/jetbytes.h"

#include <algorithm>

namespace {

constexpr quint16 OffsetMask = 0x1FFF;
constexpr int FreeSpaceOffset = 2;

using JetBytes::u16;

} // namespace

RowLossCheck::RowLossCheck(const JetFormat &format, JetFileCheck::PageReader read,
                           std::vector<quint32> dataPages, quint32 definedRows)
    : m_format(format)
    , m_read(std::move(read))
    , m_pages(std::move(dataPages))
    , m_definedRows(definedRows)
{
}

bool RowLossCheck::loadPage(std::size_t index)
{
    m_index = index;
    m_nextSlot = 0;
    m_slots.clear();
    m_loaded = true;
    const unsigned char *page = m_read(m_pages[index]);
    if (!page)
        return false;
    const int slots = u16(page + m_format.rowCountOffset);
    const int slotTableEnd = m_format.firstSlotOffset() + 2 * slots;
    if (slotTableEnd > m_format.pageSize)
        return false;
    int lowestRow = int(m_format.pageSize);
    for (int i = 0; i < slots; ++i) {
        m_slots.append(u16(page + m_format.firstSlotOffset() + 2 * i));
        lowestRow = std::min(lowestRow, m_slots.back() & OffsetMask);
    }
    // Equal only when no row begins inside the header or the slot table.
    return u16(page + FreeSpaceOffset) == lowestRow - slotTableEnd;
}

bool RowLossCheck::slotsBeforeAreDeleted(int end) const
{
    for (int slot = m_nextSlot; slot < end; ++slot) {
        if (!(m_slots[slot] & JetFileCheck::RowGoneFlags))
            return false;
    }
    return true;
}

bool RowLossCheck::delivered(quint32 page, int slot)
{
    if (!m_loaded && (m_pages.empty() || !loadPage(0)))
        return false;
    // The pages libmdb went through without delivering a row.
    while (m_pages[m_index] != page) {
        if (!slotsBeforeAreDeleted(int(m_slots.size())) || m_index + 1 == m_pages.size() ||
            !loadPage(m_index + 1))
            return false;
    }
    if (slot < m_nextSlot || slot >= m_slots.size() || !slotsBeforeAreDeleted(slot))
        return false;
    m_nextSlot = slot + 1;
    ++m_deliveredRows;
    return true;
}

bool RowLossCheck::atEnd()
{
    if (m_definedRows != 0 && m_deliveredRows != m_definedRows)
        return false;
    if (m_pages.empty())
        return true;
    if (!m_loaded && !loadPage(0))
        return false;
    for (;;) {
        if (!slotsBeforeAreDeleted(int(m_slots.size())))
            return false;
        if (m_index + 1 == m_pages.size())
            return true;
        if (!loadPage(m_index + 1))
            return false;
    }
}
