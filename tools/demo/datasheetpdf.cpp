#include "tools/demo/datasheetpdf.h"

#include "tools/demo/democatalogue.h"
#include "tools/demo/documentstyle.h"
#include "tools/demo/pdfcanvas.h"
#include "tools/demo/sheetcontent.h"

using namespace Qt::StringLiterals;
using namespace DocumentStyle;

namespace Demo {

namespace {

// The number in a white box at the band's right end.
void drawNumberBox(PdfCanvas &canvas, const QString &number)
{
    const QRectF box(ContentRight - 44, 3.5, 44, 14);
    canvas.fill(box, Qt::white);
    canvas.text(box.left() + 3, box.top() + 4.3, u"Kennblatt-Nr."_s, font(6.5), Muted);
    canvas.textRight(box.right() - 3, box.bottom() - 2.5, number, font(16, true), Brand);
}

// A box with a caption strip and a few lines of text, the first one bold if asked.
void drawInfoBox(PdfCanvas &canvas, const QRectF &box, const QString &caption,
                 const QStringList &lines, bool boldFirst)
{
    canvas.fill(QRectF(box.left(), box.top(), box.width(), 5.2), BrandLight);
    canvas.text(box.left() + 2, box.top() + 3.7, caption, font(7.5, true), Brand);
    double lineY = box.top() + 7.0;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QFont f = font(8.5, boldFirst && i == 0);
        lineY += canvas.paragraph(box.left() + 2, lineY, box.width() - 4, lines[i], f, Ink) + 0.4;
    }
    canvas.frame(box, Rule, 0.25);
}

QList<double> evenWidths(qsizetype columns, double first, double total)
{
    QList<double> widths = {first};
    for (qsizetype i = 1; i < columns; ++i)
        widths.append((total - first) / double(columns - 1));
    return widths;
}

// Returns the y below the note.
double drawChangeNote(PdfCanvas &canvas, double y, const QString &edition, const QString &note)
{
    const QFont body = font(8.5);
    const double textHeight = canvas.paragraphHeight(ContentWidth - 10, note, body);
    const QRectF box(MarginLeft, y, ContentWidth, textHeight + 9.5);
    canvas.fill(box, AlertLight);
    canvas.fill(QRectF(MarginLeft, y, 1.4, box.height()), Alert);
    canvas.text(MarginLeft + 5, y + 5, u"Geändert in der %1"_s.arg(edition), font(8, true), Alert);
    canvas.paragraph(MarginLeft + 5, y + 6.5, ContentWidth - 10, note, body, Ink);
    return box.bottom();
}

void drawDisclaimer(PdfCanvas &canvas, double y);

void drawFirstPage(PdfCanvas &canvas, const Catalogue &catalogue, const DataSheet &sheet,
                   const SheetContent &content)
{
    double y = 33.0;
    canvas.text(MarginLeft, y, content.brand, font(17, true), Ink);
    y += 6.5;
    if (!content.fluxBrand.isEmpty()) {
        canvas.text(MarginLeft, y, u"in Kombination mit dem Schweißpulver "_s + content.fluxBrand,
                    font(10, true), Brand);
        y += 5.5;
    }
    canvas.text(MarginLeft, y, content.kind, font(9), Muted);
    y += 5.0;

    constexpr double BoxHeight = 28.0;
    const double half = (ContentWidth - 6) / 2;
    drawInfoBox(canvas, QRectF(MarginLeft, y, half, BoxHeight), u"Hersteller / Lieferer"_s,
                content.maker, true);
    drawInfoBox(canvas, QRectF(MarginLeft + half + 6, y, half, BoxHeight), u"Einordnung"_s,
                {u"Zusatz-Art: "_s + catalogue.kindOf(sheet).key, u"TÜO: "_s + content.organisation,
                 sheet.changed ? u"Änderung: ** geändert in dieser Ausgabe"_s
                               : u"Änderung: keine gegenüber der Vorausgabe"_s},
                false);
    y += BoxHeight + 5.0;

    y = drawSectionHeading(canvas, y, u"Normbezeichnungen"_s);
    y = drawLabelled(canvas, y, content.designations, 42);
    y = drawSectionHeading(canvas, y, u"Anwendung und Verarbeitung"_s);
    y += canvas.paragraph(MarginLeft, y, ContentWidth, content.application, font(8.5)) + 1.5;
    y = drawLabelled(canvas, y, content.weldingData, 42);

    y = drawSectionHeading(canvas, y, u"Mechanische Gütewerte des reinen Schweißguts"_s);
    if (content.mechanical.rows.isEmpty()) {
        y = drawLabelled(canvas, y, {{u"Härte"_s, content.hardness}}, 42);
    } else {
        y = drawTable(canvas, y, evenWidths(content.mechanical.header.size(), 46, ContentWidth),
                      content.mechanical.header, content.mechanical.rows);
    }
    y = drawSectionHeading(canvas, y,
                           u"Chemische Zusammensetzung des reinen Schweißguts (Richtwerte in %)"_s);
    y = drawTable(canvas, y, evenWidths(content.chemistry.header.size() + 1, 46, ContentWidth),
                  QStringList{u"Element"_s} + content.chemistry.header,
                  {QStringList{u"Masseanteil %"_s} + content.chemistry.rows.value(0)});

    y = drawSectionHeading(canvas, y, u"Eignungsprüfung"_s);
    y = drawLabelled(canvas, y, content.approval, 42);
    y = drawSectionHeading(canvas, y, u"Lieferformen und Strombereiche"_s);
    y = drawTable(canvas, y, evenWidths(content.delivery.header.size(), 30, ContentWidth),
                  content.delivery.header, content.delivery.rows);
    if (!content.changeNote.isEmpty())
        y = drawChangeNote(canvas, y + 1, catalogue.edition.label, content.changeNote) + 3;
    if (!content.twoPages)
        drawDisclaimer(canvas, y + 2);
}

void drawDisclaimer(PdfCanvas &canvas, double y)
{
    canvas.paragraph(MarginLeft, y, ContentWidth,
                     u"Die Angaben beruhen auf der Eignungsprüfung und den Unterlagen des "
                     u"Herstellers. Maßgebend ist die jeweils gültige Prüfbescheinigung; sie "
                     u"ist beim Hersteller oder Lieferer erhältlich."_s,
                     font(7.5), Muted);
}

void drawSecondPage(PdfCanvas &canvas, const SheetContent &content)
{
    double y = 33.0;
    canvas.text(MarginLeft, y, content.brand, font(12, true), Ink);
    canvas.textRight(ContentRight, y, u"Fortsetzung"_s, font(8), Muted);
    y += 7.0;
    if (!content.jointTests.rows.isEmpty()) {
        y = drawSectionHeading(canvas, y, u"Prüfergebnisse der Verbindungsschweißung"_s);
        y = drawTable(canvas, y, {40, 30, 16, 42, ContentWidth - 128}, content.jointTests.header,
                      content.jointTests.rows);
    }
    y = drawSectionHeading(canvas, y, u"Verarbeitungshinweise"_s);
    const QFont body = font(8.5);
    for (const QString &note : content.notes) {
        canvas.text(MarginLeft + 1, y + canvas.ascent(body), u"•"_s, body, Brand);
        y += canvas.paragraph(MarginLeft + 5, y, ContentWidth - 5, note, body) + 1.2;
    }
    drawDisclaimer(canvas, y + 4.0);
}

} // namespace

bool writeDataSheetPdf(const Catalogue &catalogue, const DataSheet &sheet, const QString &path,
                       QString *error)
{
    const SheetContent content = sheetContent(catalogue, sheet);
    PdfCanvas canvas(path, u"Kennblatt %1 – %2"_s.arg(content.number, content.brand));
    if (!canvas.opened(error))
        return false;
    const PageFrame frame{
        {}, {}, {}, catalogue.edition.footer() + u" · Kennblatt "_s + content.number};
    drawPages(canvas, frame, content.twoPages ? 2 : 1, [&](int page) {
        drawNumberBox(canvas, content.number);
        if (page == 1)
            drawFirstPage(canvas, catalogue, sheet, content);
        else
            drawSecondPage(canvas, content);
    });
    return canvas.finish(error);
}

} // namespace Demo
