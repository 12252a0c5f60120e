#pragma once

#include <QString>

namespace Demo {

struct Catalogue;
struct DataSheet;

// Writes the PDF of one data sheet: one or two A4 pages of vector text. Safe to call from
// several threads at once, each with its own sheet.
[[nodiscard]] bool writeDataSheetPdf(const Catalogue &catalogue, const DataSheet &sheet,
                                     const QString &path, QString *error);

} // namespace Demo
