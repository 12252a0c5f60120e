#pragma once

#include <QColor>
#include <QFont>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <utility>

class PdfCanvas;

// The look shared by every demo document: fonts, colours, the header band and the footer.
namespace DocumentStyle {

// DejaVu Sans (fonts-dejavu-core), regular or bold; the only faces the documents use.
QFont font(double pointSize, bool bold = false);

inline const QColor Ink{0x1a, 0x1a, 0x1a};
inline const QColor Muted{0x5f, 0x66, 0x70};
inline const QColor Brand{0x1f, 0x3a, 0x5f};      // header band, headings
inline const QColor BrandLight{0xdc, 0xe6, 0xf0}; // group rows, boxes
inline const QColor Stripe{0xf2, 0xf4, 0xf7};     // every other table row
inline const QColor Rule{0xb8, 0xc2, 0xcc};
inline const QColor Alert{0xb4, 0x3c, 0x1e}; // change notes
inline const QColor AlertLight{0xfb, 0xec, 0xe6};

inline constexpr double MarginLeft = 18.0;
inline constexpr double MarginRight = 18.0;
inline constexpr double ContentRight = 210.0 - MarginRight;
inline constexpr double ContentWidth = ContentRight - MarginLeft;
inline constexpr double BandHeight = 21.0;
inline constexpr double FooterRule = 281.0; // the content ends above it

// The header band with the catalogue's name and the edition label at the right.
void drawBand(PdfCanvas &canvas, const QString &editionLabel);

// A rule and one line: `left` text and "Seite x von y" at the right.
void drawFooter(PdfCanvas &canvas, const QString &left, int page, int pages);

// What every page of a document carries: the band with the edition label (none when
// empty), the title and subtitle below it when given, and the footer.
struct PageFrame
{
    QString editionLabel;
    QString title;
    QString subtitle;
    QString footer;
};

// Draws `pages` pages onto `canvas`, whose first page is open: on each the frame, then
// `body` with the page number counted from 1.
void drawPages(PdfCanvas &canvas, const PageFrame &frame, int pages,
               const std::function<void(int page)> &body);

// A section heading with a thin rule under it; returns the y below it.
double drawSectionHeading(PdfCanvas &canvas, double y, const QString &text);

// A small one-page table at the content's left edge: a coloured header row, then striped
// rows; cells are one line (elided when too long), numbers are centred. Column widths in mm.
// Returns the y below it.
double drawTable(PdfCanvas &canvas, double y, const QList<double> &widths,
                 const QStringList &header, const QList<QStringList> &rows);

// Lines of "label  value", the values wrapped in their column; returns the y below them.
double drawLabelled(PdfCanvas &canvas, double y, const QList<std::pair<QString, QString>> &lines,
                    double labelWidth);

} // namespace DocumentStyle
