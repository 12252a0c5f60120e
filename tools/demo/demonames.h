#pragma once

#include "tools/demo/democatalogue.h"

#include <QList>
#include <QStringList>

// The fixed vocabulary of the demo catalogue. Every company, brand and organisation name is
// invented; places and standards are real, so the sheets read plausibly.
namespace Demo::Names {

// About sixty manufacturers and suppliers in a jumbled stored order; keys are short codes,
// some with umlauts, some in mixed case. Stems are filled in for some; the generator
// invents the rest.
QList<Manufacturer> manufacturers();

// The kinds of consumable in stored order, with how often each occurs.
QList<ConsumableKind> consumableKinds();

// The six inspection organisations, with how often each supplied a sheet.
QList<Organisation> organisations();
QList<int> organisationWeights();

Edition edition();

// Syllables from which brand stems are built ("Glut" + "naht").
QStringList stemPrefixes();
QStringList stemSuffixes();

// Words that begin flux brand names.
QStringList fluxStems();

} // namespace Demo::Names
