#include "printing/reportlayout.h"

#include "platform/apperror.h"
#include "printing/reportdata.h"

using namespace Qt::StringLiterals;

ReportLayout::ReportLayout(const ReportDefinition &definition)
    : m_definition(definition)
{
    for (auto it = definition.fonts.cbegin(); it != definition.fonts.cend(); ++it)
        m_fonts.emplace(it.key(), ReportFont(it.value()));

    m_paper = pageLayout().fullRect(QPageLayout::Millimeter).size() * ReportUnitsPerMm;
    const QMarginsF &margins = definition.margins;
    m_left = mm(margins.left());
    m_right = m_paper.width() - mm(margins.right());
    m_headerTop = mm(margins.top());
    m_columnHeaderTop = m_headerTop + mm(definition.pageHeader.height);

    // The reader checks the names; a definition built in code may still miss one.
    const auto checkFont = [&](const QString &id) {
        if (!m_fonts.contains(id))
            throw AppError(
                u"Der Bericht \"%1\" nennt die Schrift \"%2\", die er nicht beschreibt."_s.arg(
                    definition.name, id));
    };
    checkFont(definition.columnHeader.font);
    checkFont(definition.detail.font);
    for (const ReportBand *band :
         {&definition.pageHeader, &definition.summary, &definition.pageFooter}) {
        for (const ReportTextItem &item : band->texts)
            checkFont(item.font);
    }

    m_columnHeaderHeight =
        definition.columnHeader.height > 0
            ? mm(definition.columnHeader.height)
            : font(definition.columnHeader.font).lineHeight() + 2 * mm(definition.detail.padding);
    m_rowsTop = m_columnHeaderTop + m_columnHeaderHeight;
    m_footerTop = m_paper.height() - mm(margins.bottom()) - mm(definition.pageFooter.height);
    m_rowsBottom = m_footerTop;
    if (m_rowsBottom - m_rowsTop < rowHeight(1))
        throw AppError(u"Der Bericht \"%1\" lässt auf der Seite keinen Platz für Zeilen."_s.arg(
            definition.name));

    qreal x = m_left;
    const qreal padding = mm(definition.cellPadding);
    for (const ReportColumn &column : definition.columns) {
        const qreal width = mm(column.width);
        m_columns.push_back({x, width, x + padding, qMax<qreal>(1, width - 2 * padding),
                             column.align, column.maxLines});
        x += width;
    }
}

QPageLayout ReportLayout::pageLayout() const
{
    return QPageLayout(m_definition.pageSize, m_definition.orientation, QMarginsF(0, 0, 0, 0));
}

QStringList ReportLayout::fields() const
{
    QStringList result;
    for (const ReportColumn &column : m_definition.columns)
        result.append(column.field);
    return result;
}

int ReportLayout::rowLines(const ReportData &data, int row) const
{
    const ReportFont &font = detailFont();
    int lines = 1;
    for (std::size_t i = 0; i < m_columns.size(); ++i) {
        const Column &column = m_columns[i];
        if (column.maxLines > lines)
            lines = qMax(lines,
                         font.lineCount(data.cell(row, int(i)), column.textWidth, column.maxLines));
    }
    return lines;
}

qreal ReportLayout::rowHeight(int lines) const
{
    return lines * detailFont().lineHeight() + 2 * mm(m_definition.detail.padding);
}
