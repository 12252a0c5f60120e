#pragma once

#include "printing/reportdefinition.h"
#include "printing/reportfont.h"

#include <QSizeF>
#include <QStringList>

#include <map>
#include <vector>

class ReportData;

// The geometry of a report in layout units (reportfont.h): paper, bands, columns, fonts,
// and the height of a row. Built once per run from the report's definition.
class ReportLayout
{
public:
    struct Column
    {
        qreal left = 0;     // of the column
        qreal width = 0;    // of the column
        qreal textLeft = 0; // inside the padding
        qreal textWidth = 0;
        ReportAlign align = ReportAlign::Left;
        int maxLines = 1;
    };

    // Raises AppError when the bands leave no room for a row or a font is missing.
    explicit ReportLayout(const ReportDefinition &definition);

    const ReportDefinition &definition() const { return m_definition; }
    QSizeF paperSize() const { return m_paper; }
    QPageLayout pageLayout() const;

    qreal left() const { return m_left; }
    qreal right() const { return m_right; }
    qreal headerTop() const { return m_headerTop; }
    qreal columnHeaderTop() const { return m_columnHeaderTop; }
    qreal columnHeaderHeight() const { return m_columnHeaderHeight; }
    qreal rowsTop() const { return m_rowsTop; }
    qreal rowsBottom() const { return m_rowsBottom; }
    qreal footerTop() const { return m_footerTop; }
    qreal summaryHeight() const { return mm(m_definition.summary.height); }

    const ReportFont &font(const QString &id) const { return m_fonts.at(id); }
    const ReportFont &detailFont() const { return font(m_definition.detail.font); }
    const std::vector<Column> &columns() const { return m_columns; }
    // The connection's fields the columns show, left to right.
    QStringList fields() const;

    // Lines of the tallest cell of a row, and the height of a row of that many lines.
    int rowLines(const ReportData &data, int row) const;
    qreal rowHeight(int lines) const;

    static qreal mm(double millimetres) { return millimetres * ReportUnitsPerMm; }

private:
    ReportDefinition m_definition;
    std::map<QString, ReportFont> m_fonts;
    std::vector<Column> m_columns;
    QSizeF m_paper;
    qreal m_left = 0;
    qreal m_right = 0;
    qreal m_headerTop = 0;
    qreal m_columnHeaderTop = 0;
    qreal m_columnHeaderHeight = 0;
    qreal m_rowsTop = 0;
    qreal m_rowsBottom = 0;
    qreal m_footerTop = 0;
};
