#include "printing/reportpagepainter.h"

#include "printing/reportdocument.h"
#include "printing/reporttextpainter.h"

#include <QPainter>

namespace {

qreal alignedX(ReportAlign align, qreal left, qreal width, qreal lineWidth)
{
    switch (align) {
    case ReportAlign::Center:
        return left + (width - lineWidth) / 2;
    case ReportAlign::Right:
        return left + width - lineWidth;
    case ReportAlign::Left:
        break;
    }
    return left;
}

void drawLines(ReportTextPainter &text, const ReportFont &font, const QList<ReportTextLine> &lines,
               ReportAlign align, qreal left, qreal width, qreal top, const QColor &color)
{
    qreal baseline = top + font.ascent();
    for (const ReportTextLine &line : lines) {
        text.draw(font, line, QPointF(alignedX(align, left, width, line.width), baseline), color);
        baseline += font.lineHeight();
    }
}

class PagePainter
{
public:
    PagePainter(QPainter &painter, const ReportDocument &document, int pageIndex)
        : m_painter(painter)
        , m_text(painter)
        , m_document(document)
        , m_layout(document.layout())
        , m_pageIndex(pageIndex)
    {
    }

    void paint()
    {
        const ReportDefinition &definition = m_layout.definition();
        const ReportDocument::Page &page = m_document.page(m_pageIndex);
        paintBand(definition.pageHeader, m_layout.headerTop());
        paintColumnHeader();
        qreal y = m_layout.rowsTop();
        for (int row = page.firstRow; row < page.endRow; ++row)
            y = paintRow(row, y);
        if (page.summary)
            paintBand(definition.summary, y);
        paintBand(definition.pageFooter, m_layout.footerTop());
        m_text.flush();
    }

private:
    void rule(qreal y, qreal widthMm, const QColor &color)
    {
        if (widthMm <= 0)
            return;
        m_painter.setPen(QPen(color, ReportLayout::mm(widthMm)));
        const qreal right = m_layout.columns().back().left + m_layout.columns().back().width;
        m_painter.drawLine(QPointF(m_layout.left(), y), QPointF(right, y));
    }

    void paintBand(const ReportBand &band, qreal top)
    {
        for (const ReportLineItem &item : band.lines) {
            m_painter.setPen(QPen(item.color, ReportLayout::mm(item.width)));
            const qreal y = top + ReportLayout::mm(item.y);
            const qreal x2 =
                item.x2 > 0 ? m_layout.left() + ReportLayout::mm(item.x2) : m_layout.right();
            m_painter.drawLine(QPointF(m_layout.left() + ReportLayout::mm(item.x1), y),
                               QPointF(x2, y));
        }
        for (const ReportTextItem &item : band.texts) {
            if (!m_document.shows(item))
                continue;
            const ReportFont &font = m_layout.font(item.font);
            const qreal width = ReportLayout::mm(item.rect.width());
            const int maxLines =
                item.overflow == ReportOverflow::Wrap
                    ? qMax(1, int(ReportLayout::mm(item.rect.height()) / font.lineHeight()))
                    : 1;
            drawLines(m_text, font,
                      font.lines(m_document.expand(item.text, m_pageIndex), width, maxLines),
                      item.align, m_layout.left() + ReportLayout::mm(item.rect.x()), width,
                      top + ReportLayout::mm(item.rect.y()), item.color);
        }
    }

    void paintColumnHeader()
    {
        const ReportDefinition &definition = m_layout.definition();
        const ReportColumnHeader &header = definition.columnHeader;
        const ReportFont &font = m_layout.font(header.font);
        const qreal top = m_layout.columnHeaderTop();
        const qreal height = m_layout.columnHeaderHeight();
        const auto &columns = m_layout.columns();
        if (header.background.alpha() > 0) {
            m_painter.fillRect(QRectF(m_layout.left(), top,
                                      columns.back().left + columns.back().width - m_layout.left(),
                                      height),
                               header.background);
        }
        const qreal textTop = top + (height - font.lineHeight()) / 2;
        for (std::size_t i = 0; i < columns.size(); ++i) {
            const ReportLayout::Column &column = columns[i];
            const QString title = m_document.expand(definition.columns[int(i)].title, m_pageIndex);
            drawLines(m_text, font, font.lines(title, column.textWidth, 1), column.align,
                      column.textLeft, column.textWidth, textTop, Qt::black);
        }
        rule(top + height, header.ruleWidth, header.ruleColor);
    }

    qreal paintRow(int row, qreal top)
    {
        const ReportDetail &detail = m_layout.definition().detail;
        const ReportFont &font = m_layout.detailFont();
        const qreal height = m_layout.rowHeight(m_document.rowLines(row));
        const auto &columns = m_layout.columns();
        if (row % 2 == 1 && detail.stripe.alpha() > 0) {
            m_painter.fillRect(QRectF(m_layout.left(), top,
                                      columns.back().left + columns.back().width - m_layout.left(),
                                      height),
                               detail.stripe);
        }
        const qreal textTop = top + ReportLayout::mm(detail.padding);
        const ReportData &data = m_document.data();
        for (std::size_t i = 0; i < columns.size(); ++i) {
            const ReportLayout::Column &column = columns[i];
            drawLines(m_text, font,
                      font.lines(data.cell(row, int(i)), column.textWidth, column.maxLines),
                      column.align, column.textLeft, column.textWidth, textTop, Qt::black);
        }
        rule(top + height, detail.ruleWidth, detail.ruleColor);
        return top + height;
    }

    QPainter &m_painter;
    ReportTextPainter m_text;
    const ReportDocument &m_document;
    const ReportLayout &m_layout;
    const int m_pageIndex;
};

} // namespace

void paintReportPage(QPainter &painter, const ReportDocument &document, int pageIndex)
{
    PagePainter(painter, document, pageIndex).paint();
}
