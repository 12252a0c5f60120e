#pragma once

#include "tools/jetwriter/jetwriter.h"

#include <QString>
#include <QStringView>

#include <vector>

namespace Demo {

struct Catalogue;

// The five tables of the catalogue database, in the layout the viewer reads: "Verzeichnis"
// with its named columns, the three lookup tables key first and name second (the
// manufacturers with their address after that), and the edition record "norvenz".
std::vector<Jet::Table> databaseTables(const Catalogue &catalogue);

// Writes them as a Jet 4 file (atomically, through the Jet writer).
[[nodiscard]] bool writeDatabase(const Catalogue &catalogue, const QString &path, QString *error);

inline constexpr QStringView DatabaseFileName = u"Norvenz SZW Kennblätter.mde";

} // namespace Demo
