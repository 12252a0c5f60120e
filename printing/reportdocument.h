#pragma once

#include "printing/reportdata.h"
#include "printing/reportlayout.h"

#include <QDateTime>
#include <QHash>
#include <QString>

#include <vector>

// One run of a report: its layout, the rows taken from the connection, the parameters as
// they were at the start, and the pages laid out so far. Pages are generated one at a time
// (generateNextPage), so that a caller can show progress and keep its window alive; painting
// a page needs the whole document generated ("{PageCount}").
//
// Placeholders in texts: "{name}" of a parameter, and {Page}, {PageCount}, {PrintDate},
// {PrintTime}, {RowCount}; an unknown name gives the empty text.
class ReportDocument
{
public:
    struct Page
    {
        int firstRow = 0;
        int endRow = 0;       // one past the last row
        bool summary = false; // the summary follows the rows
    };

    // Raises AppError when the definition cannot be laid out (ReportLayout).
    ReportDocument(const ReportDefinition &definition, QHash<QString, QString> parameters,
                   QDateTime printed);

    // The rows; set before the first page is generated.
    void setData(ReportData data);

    // Lays out the next page; false when all pages were already there.
    bool generateNextPage();
    bool isComplete() const { return m_complete; }
    int pageCount() const { return int(m_pages.size()); }
    const Page &page(int index) const { return m_pages[std::size_t(index)]; }

    const ReportLayout &layout() const { return m_layout; }
    const ReportData &data() const { return m_data; }
    const QString &name() const { return m_layout.definition().name; }
    int rowLines(int row) const { return m_rowLines[std::size_t(row)]; }

    // `text` with its placeholders filled in for the page of that index.
    QString expand(const QString &text, int pageIndex) const;
    // Whether a text item's condition holds.
    bool shows(const ReportTextItem &item) const;

private:
    QString value(QStringView name, int pageIndex) const;

    ReportLayout m_layout;
    ReportData m_data;
    QHash<QString, QString> m_parameters;
    QDateTime m_printed;
    std::vector<Page> m_pages;
    std::vector<quint8> m_rowLines; // of each row placed so far
    int m_nextRow = 0;
    bool m_complete = false;
};
