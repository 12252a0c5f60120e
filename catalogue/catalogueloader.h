#pragma once

#include <QByteArray>

#include <functional>

class CatalogueDatabase;
class DialogService;
class LookupList;
class TKennblattListe;

// Loading the catalogue at start-up: each table is read once from its first row to its last.
// Errors of the database (missing table, missing column, damaged file) and a data-sheet number
// that cannot be read raise AppError; what was loaded before stays.

// Every row of "Verzeichnis" becomes a record: AenderungsFlag true gives flag 2, false 1.
void LoadCatalogue(CatalogueDatabase &database, TKennblattListe &catalogue);

enum class LookupTable { Infogeber, Zusatz, Hersteller };

struct LookupLists
{
    LookupList &Infogeber;
    LookupList &Zusatz;
    LookupList &Hersteller;
};

// Receives the drop-down items of a lookup filter: "Alle", then one key per row.
using LookupItemSink = std::function<void(LookupTable table, const QByteArray &item)>;

// The three lookup tables in the order organisations, consumable kinds, manufacturers; the
// manufacturers sorted by their key, the others in stored order.
void LoadLookups(CatalogueDatabase &database, const LookupLists &lists, const LookupItemSink &sink);

// The version record: Edition = first "." second column, EditionLabel = third column; both
// stay as they are when the table is empty. A second row brings a warning.
void LoadVersion(CatalogueDatabase &database, QByteArray &Edition, QByteArray &EditionLabel,
                 DialogService &dialogs);
