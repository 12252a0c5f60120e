#include "cataloguefixture.h"

#include "tools/jetwriter/jetwriter.h"

#include <QtDebug>

using namespace Qt::StringLiterals;

namespace {

Jet::Table lookupTable(const QString &name, const QString &keyColumn,
                       const QList<FixtureLookup> &rows)
{
    Jet::Table table{name, {{keyColumn, Jet::ColumnType::Text, 20}, {u"Name"_s}}, {}};
    for (const FixtureLookup &row : rows)
        table.rows.push_back({row.key, row.name});
    return table;
}

} // namespace

FixtureCatalogue FixtureCatalogue::sample()
{
    FixtureCatalogue c;
    c.sheets = {
        {u"1234.5"_s, u"Fox EV 50"_s, {}, u"BOE"_s, u"E1"_s, u"TN"_s, true},
        {u"00815.00"_s, u"Thermanit 25/14"_s, {}, u"THY"_s, u"E2"_s, u"TS"_s, false},
        {u"12000.01"_s, u"fox 2"_s, u"Flux UV 420"_s, u"BOE"_s, u"UP"_s, u"TN"_s, false},
        {u"7.10"_s, u"Öko-Draht SG 3"_s, {}, u"ÖKO"_s, u"M1"_s, u"TS"_s, true},
        {u"3000.02"_s, u"Union S 2"_s, u"UV 418 TT"_s, u"UNI"_s, u"UP"_s, u"DB"_s, false},
        {u"00042.00"_s, u"Schweißdraht Ä"_s, {}, u"THY"_s, u"M1"_s, u"DB"_s, false},
    };
    c.infogeber = {{u"TN"_s, u"Technische Überwachung Nord"_s},
                   {u"TS"_s, u"Technische Überwachung Süd"_s},
                   {u"DB"_s, u"Bahnprüfstelle"_s}};
    c.zusatz = {{u"E1"_s, u"Stabelektrode, basisch"_s},
                {u"E2"_s, u"Stabelektrode, rutil"_s},
                {u"M1"_s, u"Massivdraht MAG"_s},
                {u"UP"_s, u"UP-Draht/Pulver-Kombination"_s}};
    c.hersteller = {{u"UNI"_s, u"Union Schweißtechnik GmbH"_s},
                    {u"BOE"_s, u"Bergische Elektroden AG"_s},
                    {u"ÖKO"_s, u"Ökoschweiß KG"_s},
                    {u"THY"_s, u"Thyssen Drahtwerk GmbH"_s}};
    c.versions = {{u"2026"_s, u"2"_s, u"Ausgabe Herbst 2026"_s}};
    return c;
}

bool writeFixtureCatalogue(const QString &folder, const FixtureCatalogue &catalogue)
{
    Jet::Table verzeichnis{u"Verzeichnis"_s,
                           {{u"KBNr"_s, Jet::ColumnType::Text, 10},
                            {u"Marke"_s},
                            {u"Pulvermarke"_s},
                            {u"HerstLiefSchl"_s, Jet::ColumnType::Text, 20},
                            {u"ZusatzSchl"_s, Jet::ColumnType::Text, 20},
                            {u"InfoGeberSchl"_s, Jet::ColumnType::Text, 20},
                            {u"AenderungsFlag"_s, Jet::ColumnType::Boolean}},
                           {}};
    for (const FixtureSheet &s : catalogue.sheets) {
        const auto textOrNull = [](const QString &t) -> Jet::Value {
            return t.isNull() ? Jet::Value{} : Jet::Value{t};
        };
        verzeichnis.rows.push_back({s.nummer, s.marke, textOrNull(s.pulvermarke), s.hersteller,
                                    s.zusatz, s.infogeber, s.changed});
    }
    Jet::Table norvenz{u"norvenz"_s, {{u"Teil1"_s}, {u"Teil2"_s}, {u"Bezeichnung"_s}}, {}};
    for (const QStringList &v : catalogue.versions)
        norvenz.rows.push_back({v.value(0), v.value(1), v.value(2)});

    const std::vector<Jet::Table> tables = {
        verzeichnis,
        lookupTable(u"H-InformationsGeber"_s, u"InfoGeberSchl"_s, catalogue.infogeber),
        lookupTable(u"H-Schweißzusatz"_s, u"ZusatzSchl"_s, catalogue.zusatz),
        lookupTable(u"H-HerstellerLieferer"_s, u"HerstLiefSchl"_s, catalogue.hersteller),
        norvenz,
    };
    QString error;
    const QString path = folder + u"/Norvenz SZW Kennblätter.mde"_s;
    if (Jet::writeDatabase(path, tables, &error))
        return true;
    qWarning("cannot write the test catalogue: %s", qPrintable(error));
    return false;
}
