#include "tools/demo/documentstyle.h"

#include "tools/demo/pdfcanvas.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace DocumentStyle {

QFont font(double pointSize, bool bold)
{
    QFont f(u"DejaVu Sans"_s);
    f.setPointSizeF(pointSize);
    f.setBold(bold);
    // Vector output needs no hinting. Without shaping there are no ligatures, so "fl" stays
    // two letters that search and copy in a PDF viewer find.
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setStyleStrategy(QFont::PreferNoShaping);
    return f;
}

void drawBand(PdfCanvas &canvas, const QString &editionLabel)
{
    canvas.fill(QRectF(0, 0, PdfCanvas::PageWidth, BandHeight), Brand);
    canvas.fill(QRectF(0, BandHeight, PdfCanvas::PageWidth, 0.8), QColor(0xc8, 0x9b, 0x3c));
    canvas.text(MarginLeft, 10.5, u"NORVENZ SZW"_s, font(13, true), Qt::white);
    canvas.text(MarginLeft, 16.0, u"Kennblätter für eignungsgeprüfte Schweißzusätze"_s, font(7.5),
                QColor(0xd5, 0xdd, 0xe8));
    if (!editionLabel.isEmpty())
        canvas.textRight(ContentRight, 10.5, editionLabel, font(9, true), Qt::white);
}

void drawFooter(PdfCanvas &canvas, const QString &left, int page, int pages)
{
    const QFont small = font(7);
    canvas.line(MarginLeft, FooterRule, ContentRight, FooterRule, Rule, 0.25);
    canvas.text(MarginLeft, FooterRule + 5.0, left, small, Muted);
    canvas.textRight(ContentRight, FooterRule + 5.0, u"Seite %1 von %2"_s.arg(page).arg(pages),
                     small, Muted);
}

void drawPages(PdfCanvas &canvas, const PageFrame &frame, int pages,
               const std::function<void(int page)> &body)
{
    for (int page = 1; page <= pages; ++page) {
        if (page > 1)
            canvas.newPage();
        drawBand(canvas, frame.editionLabel);
        if (!frame.title.isEmpty())
            canvas.text(MarginLeft, 33.0, frame.title, font(15, true), Brand);
        if (!frame.subtitle.isEmpty())
            canvas.text(MarginLeft, 40.0, frame.subtitle, font(8.5), Muted);
        drawFooter(canvas, frame.footer, page, pages);
        body(page);
    }
}

double drawSectionHeading(PdfCanvas &canvas, double y, const QString &text)
{
    const QFont heading = font(9.5, true);
    canvas.text(MarginLeft, y + canvas.ascent(heading), text, heading, Brand);
    const double below = y + canvas.lineHeight(heading) + 0.6;
    canvas.line(MarginLeft, below, ContentRight, below, Brand, 0.3);
    return below + 2.0;
}

double drawTable(PdfCanvas &canvas, double y, const QList<double> &widths,
                 const QStringList &header, const QList<QStringList> &rows)
{
    constexpr double RowHeight = 5.2;
    constexpr double Padding = 1.5;
    const QFont headFont = font(7.5, true);
    const QFont cellFont = font(8);
    double total = 0;
    for (double w : widths)
        total += w;

    const auto drawRow = [&](const QStringList &cells, const QFont &f, const QColor &ink) {
        const double ascent = canvas.ascent(f);
        const double descent = canvas.lineHeight(f) - ascent;
        const double baseline = y + (RowHeight + ascent - descent) / 2;
        double x = MarginLeft;
        for (qsizetype i = 0; i < widths.size(); ++i) {
            const QString cell = canvas.elided(cells.value(i), f, widths[i] - 2 * Padding);
            if (i == 0)
                canvas.text(x + Padding, baseline, cell, f, ink);
            else
                canvas.textCentred(x + widths[i] / 2, baseline, cell, f, ink);
            x += widths[i];
        }
        y += RowHeight;
    };

    canvas.fill(QRectF(MarginLeft, y, total, RowHeight), Brand);
    drawRow(header, headFont, Qt::white);
    for (qsizetype r = 0; r < rows.size(); ++r) {
        if (r % 2 == 1)
            canvas.fill(QRectF(MarginLeft, y, total, RowHeight), Stripe);
        drawRow(rows[r], cellFont, Ink);
    }
    canvas.line(MarginLeft, y, MarginLeft + total, y, Rule, 0.25);
    return y + 3.0;
}

double drawLabelled(PdfCanvas &canvas, double y, const QList<std::pair<QString, QString>> &lines,
                    double labelWidth)
{
    const QFont labelFont = font(8, true);
    const QFont valueFont = font(8.5);
    const double valueX = MarginLeft + labelWidth;
    for (const auto &[label, value] : lines) {
        const double labelHeight =
            canvas.paragraph(MarginLeft, y + 0.3, labelWidth - 2, label, labelFont, Muted);
        const double height =
            canvas.paragraph(valueX, y, ContentRight - valueX, value, valueFont, Ink);
        y += std::max({height, labelHeight, canvas.lineHeight(valueFont)}) + 0.8;
    }
    return y + 2.0;
}

} // namespace DocumentStyle
