#include "catalogue/catalogueloader.h"

#include "catalogue/accesstable.h"
#include "catalogue/cataloguedatabase.h"
#include "catalogue/lookuplist.h"
#include "catalogue/tkennblattliste.h"
#include "platform/cp1252.h"
#include "platform/dialogservice.h"
#include "platform/stdiosilencer.h"

#include <QCollator>
#include <QLocale>

#include <algorithm>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

struct LookupRow
{
    QByteArray key;
    QByteArray name;
    QString sortKey;
};

// All rows sorted by one column the way Access sorts text (letter case and accents ignored;
// equal keys keep their order). A sorted snapshot is complete before its first row is seen.
std::vector<LookupRow> sortedRows(AccessTable &table, QByteArrayView sortColumn)
{
    std::vector<LookupRow> rows;
    for (; !table.Eof(); table.Next())
        rows.push_back({table.Text(0), table.Text(1), Cp1252::toUnicode(table.Text(sortColumn))});
    QCollator collator{QLocale(QLocale::German, QLocale::Germany)};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(rows.begin(), rows.end(), [&collator](const LookupRow &a, const LookupRow &b) {
        return collator.compare(a.sortKey, b.sortKey) < 0;
    });
    return rows;
}

} // namespace

void LoadCatalogue(CatalogueDatabase &database, TKennblattListe &catalogue)
{
    const StdioSilencer quiet;
    const auto table = database.OpenTable("Verzeichnis", u"qKennblaetter"_s);
    if (!table->Eof()) {
        // Looked up once, with the first row, and in the order in which the values are read,
        // so that the first missing column is the one named.
        const auto flag = table->truthValueColumn("AenderungsFlag");
        const auto KBNr = table->textColumn("KBNr");
        const auto Marke = table->textColumn("Marke");
        const auto Pulvermarke = table->textColumn("Pulvermarke");
        const auto HerstLiefSchl = table->textColumn("HerstLiefSchl");
        const auto ZusatzSchl = table->textColumn("ZusatzSchl");
        const auto InfoGeberSchl = table->textColumn("InfoGeberSchl");
        // A number where a text belongs is damage here; the flag may be a yes/no value or a
        // number, which unlike the former can be NULL.
        for (const auto column :
             {KBNr, Marke, Pulvermarke, HerstLiefSchl, ZusatzSchl, InfoGeberSchl})
            table->requireStoredText(column);
        for (; !table->Eof(); table->Next()) {
            const quint8 flagValue = table->TruthValue(flag) ? 2 : 1;
            catalogue.addLoaded(table->textView(KBNr), table->textView(Marke),
                                table->textView(Pulvermarke), table->textView(HerstLiefSchl),
                                table->textView(ZusatzSchl), table->textView(InfoGeberSchl),
                                flagValue);
        }
    }
    table->Close();
}

void LoadLookups(CatalogueDatabase &database, const LookupLists &lists, const LookupItemSink &sink)
{
    struct Source
    {
        LookupTable table;
        QByteArrayView name;
        QString component;
        LookupList &list;
        QByteArrayView sortColumn;
    };
    const Source sources[] = {
        {LookupTable::Infogeber, "H-InformationsGeber", u"adotInfogeber"_s, lists.Infogeber, {}},
        {LookupTable::Zusatz, "H-Schwei\xdfzusatz", u"adotZusatz"_s, lists.Zusatz, {}},
        {LookupTable::Hersteller, "H-HerstellerLieferer", u"adotHersteller"_s, lists.Hersteller,
         "HerstLiefSchl"},
    };
    const StdioSilencer quiet;
    for (const Source &source : sources) {
        sink(source.table, "Alle");
        const auto table = database.OpenTable(source.name, source.component);
        const auto add = [&source, &sink](const QByteArray &key, const QByteArray &name) {
            source.list.Add(key, name);
            sink(source.table, key);
        };
        if (source.sortColumn.isEmpty()) {
            // Row by row, so that the rows before a failing one are in the list.
            for (; !table->Eof(); table->Next())
                add(table->Text(0), table->Text(1));
        } else {
            for (const LookupRow &row : sortedRows(*table, source.sortColumn))
                add(row.key, row.name);
        }
        table->Close();
    }
}

void LoadVersion(CatalogueDatabase &database, QByteArray &Edition, QByteArray &EditionLabel,
                 DialogService &dialogs)
{
    bool moreThanOne = false;
    {
        const StdioSilencer quiet;
        const auto table = database.OpenTable("norvenz", u"adotNorvenz"_s);
        if (!table->Eof()) {
            EditionLabel = table->Text(2);
            Edition = table->Text(0) + '.' + table->Text(1);
            table->Next();
            moreThanOne = !table->Eof();
        }
        table->Close();
    }
    if (moreThanOne)
        dialogs.warning(u"Mehr als einen Versionssatz NORVENZ gefunden!"_s);
}
