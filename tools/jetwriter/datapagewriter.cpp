#include "tools/jetwriter/datapagewriter.h"

#include <cstring>

namespace Jet {

using namespace Format;

DataPageWriter::DataPageWriter(PageImage &image, quint32 owner, quint32 firstPage)
    : m_image(image)
    , m_owner(owner)
{
    if (firstPage != 0)
        startPage(firstPage);
}

void DataPageWriter::startPage(quint32 page)
{
    ++m_pageCount;
    m_page = page;
    m_rows = 0;
    m_rowStart = m_image.traits().pageSize;
    char *p = m_image.page(page);
    putU8(p, quint8(PageData));
    putU8(p + 1, 1);
    putU32(p + DataOwnerOffset, m_owner);
}

quint32 DataPageWriter::addRow(QByteArrayView row)
{
    const Traits &traits = m_image.traits();
    const int size = int(row.size());
    const int slotTableEnd = traits.dataHeaderSize + 2 * (m_rows + 1);
    if (m_pageCount == 0 || m_rows == MaxRowsPerPage || m_rowStart - size < slotTableEnd)
        startPage(m_image.allocate());

    // Rows grow downwards from the page end; slot i holds the start of row i.
    m_rowStart -= size;
    char *p = m_image.page(m_page);
    std::memcpy(p + m_rowStart, row.data(), std::size_t(size));
    putU16(p + traits.dataHeaderSize + 2 * m_rows, quint16(m_rowStart));
    ++m_rows;
    putU16(p + traits.dataRowCountOffset, quint16(m_rows));
    // Free space: the gap between the slot table and the lowest row. Readers ignore it; Jet
    // relies on it when it inserts.
    putU16(p + 2, quint16(m_rowStart - traits.dataHeaderSize - 2 * m_rows));
    return pageRowPointer(m_page, m_rows - 1);
}

} // namespace Jet
