#include "tools/demo/helpdocument.h"

#include "documents/referencedocuments.h"
#include "settings/settingskeys.h"
#include "tools/demo/democatalogue.h"
#include "tools/demo/demodata.h"
#include "tools/demo/demodatabase.h"
#include "tools/demo/demoreferences.h"
#include "tools/demo/documentstyle.h"
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

// The opening tag of a ruled table, and a tinted box for a hint; the chapters name them
// {{table}} and {{note}} … {{/note}}.
const QString TableStart =
    u"<table width=\"100%\" border=\"1\" cellspacing=\"0\" cellpadding=\"4\" "
    u"style=\"border-color: #b8c2cc; border-collapse: collapse; border-style: solid;\">"_s;
const QString NoteStart =
    u"<table width=\"100%\" cellspacing=\"0\" cellpadding=\"7\" bgcolor=\"#dce6f0\"><tr><td>"_s;
const QString NoteEnd = u"</td></tr></table>"_s;

// One row per reference document: its settings key, the viewer's menu item and the file.
QString referenceRows()
{
    QString rows;
    const QList<ReferenceFile> &files = referenceFiles();
    for (qsizetype i = 0; i < files.size(); ++i) {
        QString caption = ReferenceDocuments[std::size_t(i)].caption.toString();
        caption.remove(u'&');
        rows += u"<tr><td><code>%1</code></td><td>%2</td><td>%3</td></tr>\n"_s.arg(
            QString::fromLatin1(files[i].settingsKey), caption.toHtmlEscaped(),
            files[i].fileName.toHtmlEscaped());
    }
    return rows;
}

// What the guide's text takes from the program rather than from its files.
Data::Values helpValues(const Catalogue &catalogue)
{
    return {
        {u"stand"_s, catalogue.edition.text().toHtmlEscaped()},
        {u"ausgabe"_s, catalogue.edition.label.toHtmlEscaped()},
        {u"version"_s, QStringLiteral(KB_VERSION_TEXT)},
        {u"timerSplashVorgabe"_s, QString::number(SettingsKeys::TimerSplashDefault)},
        {u"teilStringVorgabe"_s, QString::number(SettingsKeys::FilterImmerAlsTeilStringDefault)},
        {u"datenbank"_s, DatabaseFileName.toString().toHtmlEscaped()},
        {u"hilfe"_s, HelpFileName.toString().toHtmlEscaped()},
        {u"referenzen"_s, referenceRows()},
        {u"table"_s, TableStart},
        {u"note"_s, NoteStart},
        {u"/note"_s, NoteEnd}};
}

// The title page with the contents, then every chapter; `pages` holds each chapter's page
// (0 while it is not yet known).
QString buildHtml(const Catalogue &catalogue, const QList<HelpChapter> &chapters,
                  const QList<int> &pages)
{
    QString contents;
    for (qsizetype i = 0; i < chapters.size(); ++i) {
        contents += u"<tr><td class=\"toc\" width=\"8%\">%1</td><td class=\"toc\">%2</td>"
                    u"<td class=\"toc\" align=\"right\" width=\"10%\">%3</td></tr>\n"_s.arg(
                        QString::number(i + 1), chapters[i].title.toHtmlEscaped(),
                        QString::number(pages.value(i)));
    }
    Data::Values values = helpValues(catalogue);
    values.insert(u"inhalt"_s, contents);
    QString html = u"<html><body>"_s + Data::text(u"help/title.html"_s, values);
    for (qsizetype i = 0; i < chapters.size(); ++i) {
        const QString style = i == 0 ? u" style=\"page-break-before: always;\""_s : QString();
        html += u"<h1%1>%2&#160;&#160;%3</h1>"_s.arg(style, QString::number(i + 1),
                                                     chapters[i].title.toHtmlEscaped());
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
    const QString noteStart = NoteStart.left(NoteStart.indexOf(u'>'));
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

QList<HelpChapter> helpChapters(const Catalogue &catalogue)
{
    const Data::Values values = helpValues(catalogue);
    QList<HelpChapter> chapters;
    for (const Data::Row &row : Data::table(u"help/chapters.csv"_s, {u"file"_s, u"title"_s}).rows)
        chapters.append({row.text(u"title"), Data::text(u"help/"_s + row.text(u"file"), values)});
    return chapters;
}

bool writeHelpPdf(const Catalogue &catalogue, const QString &path, QString *error)
{
    PdfCanvas canvas(path, u"Hilfe – Norvenz SZW Kennblätter"_s);
    if (!canvas.opened(error))
        return false;
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
    document.setDefaultStyleSheet(Data::text(u"help/help.css"_s));
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

    QPainter &painter = canvas.painter();
    const PageFrame frame{
        catalogue.edition.label, {}, {}, u"Norvenz SZW Kennblätter · Benutzerhandbuch"_s};
    drawPages(canvas, frame, document.pageCount(), [&](int number) {
        painter.save();
        const double unit = canvas.unitsPerMm();
        painter.translate(MarginLeft * unit, BodyTop * unit);
        painter.scale(unit / pixelsPerMm, unit / pixelsPerMm);
        painter.translate(0, -(number - 1) * page.height());
        const QRectF clip(0, (number - 1) * page.height(), page.width(), page.height());
        painter.setClipRect(clip);
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = clip;
        context.palette.setColor(QPalette::Text, Ink);
        document.documentLayout()->draw(&painter, context);
        painter.restore();
    });
    return canvas.finish(error);
}

} // namespace Demo
