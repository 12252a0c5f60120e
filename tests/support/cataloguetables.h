#pragma once

#include "tools/jetwriter/jetwriter.h"

#include <QString>

#include <vector>

// The five tables of the catalogue as the viewer reads them, for fixtures written with the
// Jet writer. Each function takes the rows; the columns are those of the published file.
namespace CatalogueTables {

Jet::Column text(const QString &name, int maxLength = Jet::MaxTextLength);
Jet::Column boolean(const QString &name);
Jet::Column longInt(const QString &name);

using Rows = std::vector<std::vector<Jet::Value>>;

// KBNr, Marke, Pulvermarke, HerstLiefSchl, ZusatzSchl, InfoGeberSchl, AenderungsFlag.
Jet::Table verzeichnis(Rows rows);
// Key and name.
Jet::Table infoGeber(Rows rows);
Jet::Table zusatz(Rows rows);
Jet::Table hersteller(Rows rows);
// Ausgabe, Teil, Bezeichnung.
Jet::Table norvenz(Rows rows);

// A small complete catalogue with umlauts, NULLs and both flag values.
std::vector<Jet::Table> sample();

// Writes `tables` to `path`; returns the writer's reason on failure, else an empty string.
QString write(const QString &path, const std::vector<Jet::Table> &tables,
              Jet::FileFormat format = Jet::FileFormat::Jet4);

} // namespace CatalogueTables
