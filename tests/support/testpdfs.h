#pragma once

#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>

// PDF files for the tests of the document display, written by the tests themselves.
namespace TestPdfs {

constexpr QSizeF A4(595.0, 842.0);

// One page per text, the text large at the top, with a few lines below it (QPdfWriter).
[[nodiscard]] bool writeTextPdf(const QString &path, const QStringList &pageTexts,
                                QSizeF pagePoints = A4);

// A4 pages of text: each string of `pageLines` one page, each of its lines ("\n") one line of
// text, in a font with umlauts (QPdfWriter; Poppler reads the text back).
[[nodiscard]] bool writeLinesPdf(const QString &path, const QStringList &pageLines);

// A4 pages with one line of ASCII text each in a standard font, written byte by byte: QPdfWriter
// makes no links, and its embedded fonts lose their text when CUPS rewrites a PDF. With a
// `url`, the upper half of page 1 links to the last page, the lower half to `url`.
[[nodiscard]] bool writePlainPdf(const QString &path, const QStringList &pageTexts,
                                 const QString &url = QString());

// Three files in `folder` that no engine can show: "leer.pdf" (empty), "text.pdf" (no PDF)
// and "ohne Seiten.pdf" (a PDF without pages).
[[nodiscard]] bool writeUnshowablePdfs(const QString &folder);

// A copy of `source` encrypted with `password` by qpdf; false when qpdf is not installed or
// fails.
[[nodiscard]] bool encryptWithQpdf(const QString &source, const QString &target,
                                   const QString &password);

} // namespace TestPdfs
