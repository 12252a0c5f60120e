#pragma once

#include "tools/demo/democatalogue.h"

#include <QList>
#include <QStringList>

// The fixed vocabulary of the demo catalogue, read from the generator's data files. Every
// company, brand and organisation name is invented; places and standards are real, so the
// sheets read plausibly.
namespace Demo::Names {

// About sixty manufacturers and suppliers in a jumbled stored order; keys are short codes,
// some with umlauts, some in mixed case. Stems are filled in for some; the generator
// invents the rest.
const QList<Manufacturer> &manufacturers();

// The kinds of consumable in stored order, with how often each occurs.
const QList<ConsumableKind> &consumableKinds();

// The six inspection organisations, and how often each supplied a sheet (in their order).
const QList<Organisation> &organisations();
const QList<int> &organisationWeights();

Edition edition();

// The word lists of the vocabulary file.
enum class Words {
    StemPrefix, // brand stems are built from a prefix and a suffix ("Glut" + "naht")
    StemSuffix,
    FluxStem,      // words that begin flux brand names
    StampColour,   // colours of the stamps on electrode coverings
    ApprovalScope, // fields an approval may cover
};
const QStringList &words(Words list);

} // namespace Demo::Names
