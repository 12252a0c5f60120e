#pragma once

#include <QList>
#include <QString>
#include <QStringView>

namespace Demo {

struct Catalogue;

// One chapter of the user guide: its title (numbered by the layout) and its body as the
// subset of HTML that QTextDocument understands.
struct HelpChapter
{
    QString title;
    QString html;
};

// The user guide's text, in German: the chapters named in help/chapters.csv.
QList<HelpChapter> helpChapters(const Catalogue &catalogue);

// Writes "Hilfe.pdf": a title page with the contents and their page numbers, then the
// chapters, with the house header and footer on every page.
[[nodiscard]] bool writeHelpPdf(const Catalogue &catalogue, const QString &path, QString *error);

inline constexpr QStringView HelpFileName = u"Hilfe.pdf";

} // namespace Demo
