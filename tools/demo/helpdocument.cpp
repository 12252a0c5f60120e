#include "tools/demo/helpdocument.h"

#include "tools/demo/democatalogue.h"
#include "tools/demo/documentstyle.h"
#include "tools/demo/helptextparts.h"
#include "tools/demo/pdfcanvas.h"

#include <QAbstractTextDocumentLayout>
#include <QImage>
#include <QSet>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

#include <cmath>

using namespace Qt::StringLiterals;
using namespace DocumentStyle;

namespace Demo {

namespace {

constexpr double BodyTop = 30.0;
constexpr double BodyBottom = FooterRule - 4.0;

// The text is laid out at 96 dots per inch, where a CSS pixel is what a browser makes of it,
// and drawn scaled onto the PDF (as QTextDocument::print does).
constexpr double LayoutDpi = 96.0;

// Margins in pixels of the layout resolution; font sizes in points.
const QString styleSheet = uR"(
p { margin-top: 0px; margin-bottom: 7px; line-height: 125%; }
h1 { font-size: 15pt; color: #1f3a5f; margin-top: 20px; margin-bottom: 9px; }
h2 { font-size: 11pt; color: #1f3a5f; margin-top: 14px; margin-bottom: 5px; }
li { margin-bottom: 4px; line-height: 125%; }
th { background-color: #1f3a5f; color: #ffffff; font-size: 8.5pt; text-align: left; }
td { font-size: 8.8pt; }
table { margin-top: 2px; margin-bottom: 12px; }
code { font-family: "DejaVu Sans Mono"; font-size: 8.5pt; color: #1f3a5f; }
pre { font-family: "DejaVu Sans Mono"; font-size: 8pt; background-color: #f2f4f7; }
.title { font-size: 24pt; font-weight: bold; color: #1f3a5f; margin-bottom: 3px; }
.subtitle { font-size: 13pt; color: #5f6670; margin-bottom: 18px; }
.toc { font-size: 10pt; }
)"_s;

QString escaped(const QString &text)
{
    return text.toHtmlEscaped();
}

// The title page with the contents, then every chapter; `pages` holds each chapter's page
// (0 while it is not yet known).
QString buildHtml(const Catalogue &catalogue, const QList<HelpChapter> &chapters,
                  const QList<int> &pages)
{
    QString html = u"<html><body>"_s;
    html += u"<p class=\"title\">Norvenz SZW Kennblätter</p>"_s;
    html += u"<p class=\"subtitle\">Benutzerhandbuch zum Programm<br/>"_s +
            escaped(catalogue.edition.label) + u" (Stand "_s + escaped(catalogue.edition.text()) +
            u")</p>"_s;
    html += u"<p>Dieses Handbuch beschreibt, wie Sie mit dem Programm die Kennblätter der "
            u"eignungsgeprüften Schweißzusätze finden, anzeigen und drucken und wie Sie es über "
            u"seine Einstellungsdatei einrichten.</p>"_s;
    html += u"<h2>Inhalt</h2><table width=\"100%\" cellspacing=\"0\" cellpadding=\"3\">"_s;
    for (qsizetype i = 0; i < chapters.size(); ++i) {
        html += u"<tr><td class=\"toc\" width=\"8%\">%1</td><td class=\"toc\">%2</td>"
                u"<td class=\"toc\" align=\"right\" width=\"10%\">%3</td></tr>"_s.arg(
                    QString::number(i + 1), escaped(chapters[i].title),
                    pages.value(i) > 0 ? QString::number(pages.value(i)) : u"0"_s);
    }
    html += u"</table>"_s;
    for (qsizetype i = 0; i < chapters.size(); ++i) {
        const QString style = i == 0 ? u" style=\"page-break-before: always;\""_s : QString();
        html += u"<h1%1>%2&#160;&#160;%3</h1>"_s.arg(style, QString::number(i + 1),
                                                     escaped(chapters[i].title));
        html += chapters[i].html;
    }
    html += u"</body></html>"_s;
    return html;
}

// What may not be split at a page's foot: headings (<h1>, <h2>) with the text under them,
// and the tinted hint boxes. Each kind is counted from 0 in document order.
struct PageBreaks
{
    QSet<int> headings;
    QSet<int> notes;
};

// `html` with a page break before the headings and hint boxes named in `breaks`.
QString withPageBreaks(const QString &html, const PageBreaks &breaks)
{
    static const QString breakStyle = u" style=\"page-break-before: always;\""_s;
    const QString noteStart = HelpText::note({}).left(HelpText::note({}).indexOf(u'>'));
    QString result = html;
    int heading = 0;
    int note = 0;
    for (qsizetype at = 0; (at = result.indexOf(u'<', at)) >= 0; ++at) {
        const QStringView tag = QStringView(result).mid(at, 3);
        if (tag == u"<h1" || tag == u"<h2") {
            if (breaks.headings.contains(heading++) && result.mid(at + 3, 7) != u" style="_s)
                result.insert(at + 3, breakStyle);
        } else if (QStringView(result).mid(at).startsWith(noteStart)) {
            if (breaks.notes.contains(note++))
                result.insert(at + 6, breakStyle);
        }
    }
    return result;
}

// The first heading that stands at the foot of a page with less than `minimumBelow` of
// room under it, or the first hint box that runs over a page's end. Returns false when
// there is none.
bool findBadBreak(QTextDocument &document, double pageHeight, double minimumBelow,
                  PageBreaks &breaks)
{
    QAbstractTextDocumentLayout *layout = document.documentLayout();
    const auto pageOf = [pageHeight](double y) {
        return int(std::floor(y / pageHeight));
    };
    int heading = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const int level = block.blockFormat().headingLevel();
        if (level != 1 && level != 2)
            continue;
        const QRectF rect = layout->blockBoundingRect(block);
        if ((pageOf(rect.top()) + 1) * pageHeight - rect.bottom() < minimumBelow &&
            !breaks.headings.contains(heading)) {
            breaks.headings.insert(heading);
            return true;
        }
        ++heading;
    }
    int note = 0;
    for (QTextFrame *frame : document.rootFrame()->childFrames()) {
        const auto *table = qobject_cast<QTextTable *>(frame);
        if (!table || table->rows() != 1 || table->columns() != 1)
            continue; // hint boxes are the only one-cell tables
        const QRectF rect = layout->frameBoundingRect(frame);
        if (pageOf(rect.top()) != pageOf(rect.bottom() - 1) && !breaks.notes.contains(note)) {
            breaks.notes.insert(note);
            return true;
        }
        ++note;
    }
    return false;
}

QList<int> chapterPages(QTextDocument &document, double pageHeight)
{
    QList<int> pages;
    QAbstractTextDocumentLayout *layout = document.documentLayout();
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() == 1)
            pages.append(int(layout->blockBoundingRect(block).top() / pageHeight) + 1);
    }
    return pages;
}

} // namespace

bool writeHelpPdf(const Catalogue &catalogue, const QString &path, QString *error)
{
    PdfCanvas canvas(path, u"Hilfe – Norvenz SZW Kennblätter"_s);
    if (!canvas.isOpen()) {
        if (error)
            *error = u"cannot create %1"_s.arg(path);
        return false;
    }
    const double pixelsPerMm = LayoutDpi / 25.4;
    const QSizeF page(ContentWidth * pixelsPerMm, (BodyBottom - BodyTop) * pixelsPerMm);
    QImage metricsDevice(1, 1, QImage::Format_RGB32);
    metricsDevice.setDotsPerMeterX(qRound(LayoutDpi / 0.0254));
    metricsDevice.setDotsPerMeterY(qRound(LayoutDpi / 0.0254));

    QTextDocument document;
    document.documentLayout()->setPaintDevice(&metricsDevice);
    document.setUseDesignMetrics(true); // fractional advances: the text is scaled up later
    document.setDocumentMargin(0);
    document.setDefaultFont(font(9.5));
    document.setDefaultStyleSheet(styleSheet);
    document.setPageSize(page);

    // Page numbers in the contents come from a layout that already has them; two or three
    // rounds settle it, since the contents page itself never changes length.
    // Each round lays the whole text out afresh (changing formats in place leaves the
    // layout's drawing shortcuts stale): first until no heading is left at the foot of a
    // page, then until the contents show the pages the chapters really start on.
    const QList<HelpChapter> chapters = helpChapters(catalogue);
    const double minimumBelow = 30.0 * pixelsPerMm;
    QList<int> pages;
    PageBreaks breaks;
    for (int round = 0; round < 50; ++round) {
        document.setHtml(withPageBreaks(buildHtml(catalogue, chapters, pages), breaks));
        if (findBadBreak(document, page.height(), minimumBelow, breaks))
            continue;
        const QList<int> found = chapterPages(document, page.height());
        if (found == pages)
            break;
        pages = found;
    }

    const int pageCount = document.pageCount();
    QPainter &painter = canvas.painter();
    for (int p = 0; p < pageCount; ++p) {
        if (p > 0)
            canvas.newPage();
        drawBand(canvas, catalogue.edition.label);
        painter.save();
        const double unit = canvas.unitsPerMm();
        painter.translate(MarginLeft * unit, BodyTop * unit);
        painter.scale(unit / pixelsPerMm, unit / pixelsPerMm);
        painter.translate(0, -p * page.height());
        const QRectF clip(0, p * page.height(), page.width(), page.height());
        painter.setClipRect(clip);
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = clip;
        context.palette.setColor(QPalette::Text, Ink);
        document.documentLayout()->draw(&painter, context);
        painter.restore();
        drawFooter(canvas, u"Norvenz SZW Kennblätter · Benutzerhandbuch"_s, {}, p + 1, pageCount);
    }
    return canvas.finish(error);
}

} // namespace Demo
