#pragma once

#include "catalogue/jetfilecheck.h"

#include <QVarLengthArray>

#include <vector>

// libmdb passes over a row it cannot decode as if it were deleted, and only prints a warning;
// a damaged table would then read as a smaller sound one. This check follows libmdb through
// the table's data pages, in the order it reads them, and tells when
// - libmdb has passed over a row slot that its page does not mark as deleted, or
// - a page's slot table disagrees with its free-space field, which Jet keeps equal to the gap
//   between the slot table and the lowest row: a changed slot count shows, and so does a row
//   that would begin inside the header or the slot table, or
// - at the end, libmdb has delivered another number of rows than the table definition counts.
//   A count of 0 is not held against the rows: Jet leaves it so in a file that was not closed
//   properly, which Access reads in full.
class RowLossCheck
{
public:
    RowLossCheck(const JetFormat &format, JetFileCheck::PageReader read,
                 std::vector<quint32> dataPages, quint32 definedRows);

    // libmdb delivered the row of slot `slot` on page `page`. False when the table is damaged.
    [[nodiscard]] bool delivered(quint32 page, int slot);
    // libmdb found no further row. False when the table is damaged.
    [[nodiscard]] bool atEnd();

private:
    [[nodiscard]] bool loadPage(std::size_t index);
    bool slotsBeforeAreDeleted(int end) const;

    const JetFormat &m_format;
    JetFileCheck::PageReader m_read;
    std::vector<quint32> m_pages;
    std::size_t m_index = 0; // of the page in m_pages whose slots are in m_slots
    QVarLengthArray<quint16, 256> m_slots;
    int m_nextSlot = 0; // the first slot libmdb has not yet passed
    bool m_loaded = false;
    quint32 m_definedRows;
    quint32 m_deliveredRows = 0;
};
