#pragma once

#include "tools/jetwriter/pageimage.h"

#include <QByteArrayView>

namespace Jet {

// Packs rows into data pages of one owner, appending pages to the image as they fill. Rows
// keep their order: readers walk a table's pages in ascending page order and each page's
// rows in slot order.
class DataPageWriter
{
public:
    // `owner` is the table definition's page (0 for pages of usage maps, "LVAL" for long
    // values). A non-zero `firstPage` is a blank page already allocated, to be filled before
    // new ones.
    DataPageWriter(PageImage &image, quint32 owner, quint32 firstPage = 0);

    // Appends a row of at most Traits::maxRowSize() bytes; returns its page/row pointer.
    quint32 addRow(QByteArrayView row);

    // How many pages it has filled, a given `firstPage` included.
    quint32 pageCount() const { return m_pageCount; }

private:
    void startPage(quint32 page);

    PageImage &m_image;
    quint32 m_owner;
    quint32 m_pageCount = 0;
    quint32 m_page = 0; // the page being filled, once m_pageCount > 0
    int m_rows = 0;
    int m_rowStart = 0; // offset of the lowest row on the page
};

} // namespace Jet
