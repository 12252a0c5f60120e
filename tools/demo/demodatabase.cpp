#include "tools/demo/demodatabase.h"

#include "tools/demo/democatalogue.h"

using namespace Qt::StringLiterals;

namespace Demo {

namespace {

Jet::Column text(const QString &name, int maxLength)
{
    return {name, Jet::ColumnType::Text, maxLength};
}

} // namespace

std::vector<Jet::Table> databaseTables(const Catalogue &catalogue)
{
    Jet::Table verzeichnis{u"Verzeichnis"_s,
                           {text(u"KBNr"_s, 8),
                            text(u"Marke"_s, 80),
                            text(u"Pulvermarke"_s, 80),
                            text(u"HerstLiefSchl"_s, 10),
                            text(u"ZusatzSchl"_s, 10),
                            text(u"InfoGeberSchl"_s, 10),
                            {u"AenderungsFlag"_s, Jet::ColumnType::Boolean}},
                           {}};
    verzeichnis.rows.reserve(std::size_t(catalogue.sheets.size()));
    for (const DataSheet &sheet : catalogue.sheets) {
        // Real data mixes both forms of "no flux": mostly NULL, now and then an empty text.
        Jet::Value flux;
        if (!sheet.fluxBrand.isEmpty())
            flux = sheet.fluxBrand;
        else if ((sheet.mainNumber + sheet.subNumber) % 5 == 0)
            flux = QString();
        verzeichnis.rows.push_back(
            {sheet.number(), sheet.brand, flux, catalogue.manufacturerOf(sheet).key,
             catalogue.kindOf(sheet).key, catalogue.organisationOf(sheet).key, sheet.changed});
    }

    Jet::Table organisations{
        u"H-InformationsGeber"_s, {text(u"InfoGeberSchl"_s, 10), text(u"InfoGeber"_s, 80)}, {}};
    for (const Organisation &o : catalogue.organisations)
        organisations.rows.push_back({o.key, o.name});

    Jet::Table kinds{u"H-Schweißzusatz"_s, {text(u"ZusatzSchl"_s, 10), text(u"Zusatz"_s, 80)}, {}};
    for (const ConsumableKind &k : catalogue.kinds)
        kinds.rows.push_back({k.key, k.name});

    Jet::Table manufacturers{u"H-HerstellerLieferer"_s,
                             {text(u"HerstLiefSchl"_s, 10), text(u"HerstellerLieferer"_s, 120),
                              text(u"Strasse"_s, 60), text(u"PLZ"_s, 10), text(u"Ort"_s, 60)},
                             {}};
    for (const Manufacturer &m : catalogue.manufacturers)
        manufacturers.rows.push_back({m.key, m.name, m.street, m.postcode, m.city});

    Jet::Table edition{u"norvenz"_s,
                       {text(u"Ausgabe"_s, 10), text(u"Teil"_s, 10), text(u"Bezeichnung"_s, 80)},
                       {{catalogue.edition.year, catalogue.edition.part, catalogue.edition.label}}};

    return {verzeichnis, organisations, kinds, manufacturers, edition};
}

bool writeDatabase(const Catalogue &catalogue, const QString &path, QString *error)
{
    return Jet::writeDatabase(path, databaseTables(catalogue), error);
}

} // namespace Demo
