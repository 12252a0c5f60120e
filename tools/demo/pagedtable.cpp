#include "tools/demo/pagedtable.h"

#include "tools/demo/documentstyle.h"
#include "tools/demo/pdfcanvas.h"

#include <algorithm>

using namespace Qt::StringLiterals;
using namespace DocumentStyle;

namespace {

constexpr double PadX = 1.5;
constexpr double PadY = 1.1;
constexpr double ParagraphGap = 2.5;
constexpr double Bottom = FooterRule - 3.0;

} // namespace

PagedTable::PagedTable(QString title, QString subtitle, QList<Column> columns)
    : m_title(std::move(title))
    , m_subtitle(std::move(subtitle))
    , m_columns(std::move(columns))
{
}

void PagedTable::addParagraph(const QString &text, bool bold)
{
    m_items.append({bold ? Kind::BoldParagraph : Kind::Paragraph, {text}});
}

void PagedTable::addGroup(const QString &heading)
{
    m_items.append({Kind::Group, {heading}});
}

void PagedTable::addRow(const QStringList &cells)
{
    m_items.append({Kind::Row, cells});
}

bool PagedTable::write(const QString &path, const QString &editionLabel, const QString &footer,
                       QString *error) const
{
    PdfCanvas canvas(path, m_title);
    if (!canvas.opened(error))
        return false;
    const QFont cellFont = font(7.8);
    const QFont headFont = font(7.5, true);
    const QFont groupFont = font(8.5, true);
    const QFont textFont = font(9);
    const QFont boldTextFont = font(9, true);
    const double tableWidth = [this] {
        double sum = 0;
        for (const Column &c : m_columns)
            sum += c.width;
        return sum;
    }();

    const auto heightOf = [&](const Item &item) {
        switch (item.kind) {
        case Kind::Paragraph:
        case Kind::BoldParagraph:
            return canvas.paragraphHeight(ContentWidth, item.cells.value(0),
                                          item.kind == Kind::Paragraph ? textFont : boldTextFont) +
                   ParagraphGap;
        case Kind::Group:
            return canvas.paragraphHeight(tableWidth - 2 * PadX, item.cells.value(0), groupFont) +
                   2 * PadY + 0.6;
        case Kind::Row:
            break;
        }
        double tallest = canvas.lineHeight(cellFont);
        for (qsizetype i = 0; i < m_columns.size(); ++i)
            tallest = std::max(tallest, canvas.paragraphHeight(m_columns[i].width - 2 * PadX,
                                                               item.cells.value(i), cellFont));
        return tallest + 2 * PadY;
    };
    double headerHeight = canvas.lineHeight(headFont) + 2 * PadY;
    for (const Column &c : m_columns)
        headerHeight = std::max(
            headerHeight, canvas.paragraphHeight(c.width - 2 * PadX, c.title, headFont) + 2 * PadY);

    // Layout: each item gets a page and a top; a column header goes before the first row of
    // every page and of every run of rows after a paragraph.
    struct Placed
    {
        int item; // -1: column header
        int page;
        double top;
        double height;
    };
    QList<Placed> placed;
    const double firstTop = 47.0; // below the house header with its subtitle
    int page = 1;
    double y = firstTop;
    bool headerDue = true;
    for (int i = 0; i < m_items.size(); ++i) {
        const Item &item = m_items[i];
        const bool tabular = item.kind == Kind::Group || item.kind == Kind::Row;
        if (!tabular && i > 0 && y > firstTop && m_items[i - 1].kind != Kind::Paragraph &&
            m_items[i - 1].kind != Kind::BoldParagraph)
            y += ParagraphGap; // air between the end of a table and the text after it
        double needed = heightOf(item);
        if (item.kind == Kind::Group && i + 1 < m_items.size())
            needed += heightOf(m_items[i + 1]); // never a heading alone at a page's foot
        if (tabular && headerDue)
            needed += headerHeight;
        if (y + needed > Bottom && y > firstTop) {
            ++page;
            y = firstTop;
            headerDue = true;
        }
        if (tabular && headerDue) {
            placed.append({-1, page, y, headerHeight});
            y += headerHeight;
            headerDue = false;
        }
        if (!tabular)
            headerDue = true;
        const double height = heightOf(item);
        placed.append({i, page, y, height});
        y += height;
    }

    // Drawing, page by page.
    qsizetype next = 0;
    int stripe = 0;
    const auto drawItem = [&](const Placed &p) {
        if (p.item < 0) {
            canvas.fill(QRectF(MarginLeft, p.top, tableWidth, p.height), Brand);
            double x = MarginLeft;
            for (const Column &c : m_columns) {
                canvas.paragraph(x + PadX, p.top + PadY, c.width - 2 * PadX, c.title, headFont,
                                 Qt::white, c.centred ? Qt::AlignHCenter : Qt::AlignLeft);
                x += c.width;
            }
            stripe = 0;
            return;
        }
        const Item &item = m_items[p.item];
        switch (item.kind) {
        case Kind::Paragraph:
        case Kind::BoldParagraph:
            canvas.paragraph(MarginLeft, p.top, ContentWidth, item.cells.value(0),
                             item.kind == Kind::Paragraph ? textFont : boldTextFont,
                             item.kind == Kind::Paragraph ? Ink : Brand);
            break;
        case Kind::Group:
            canvas.fill(QRectF(MarginLeft, p.top + 0.6, tableWidth, p.height - 0.6), BrandLight);
            canvas.paragraph(MarginLeft + PadX, p.top + 0.6 + PadY, tableWidth - 2 * PadX,
                             item.cells.value(0), groupFont, Brand);
            stripe = 0;
            break;
        case Kind::Row: {
            if (stripe++ % 2 == 1)
                canvas.fill(QRectF(MarginLeft, p.top, tableWidth, p.height), Stripe);
            double x = MarginLeft;
            for (qsizetype c = 0; c < m_columns.size(); ++c) {
                canvas.paragraph(x + PadX, p.top + PadY, m_columns[c].width - 2 * PadX,
                                 item.cells.value(c), cellFont, Ink,
                                 m_columns[c].centred ? Qt::AlignHCenter : Qt::AlignLeft);
                x += m_columns[c].width;
            }
            canvas.line(MarginLeft, p.top + p.height, MarginLeft + tableWidth, p.top + p.height,
                        Stripe, 0.15);
            break;
        }
        }
    };
    drawPages(canvas, {editionLabel, m_title, m_subtitle, footer}, page, [&](int current) {
        for (; next < placed.size() && placed[next].page == current; ++next)
            drawItem(placed[next]);
    });
    return canvas.finish(error);
}
