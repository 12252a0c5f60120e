#include "cataloguefixture.h"

#include "cataloguetables.h"
#include "platform/cp1252.h"
#include "testfiles.h"

#include <QtDebug>

using namespace Qt::StringLiterals;

namespace {

CatalogueTables::Rows lookupRows(const QList<FixtureLookup> &lookups)
{
    CatalogueTables::Rows rows;
    for (const FixtureLookup &row : lookups)
        rows.push_back({row.key, row.name});
    return rows;
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
    CatalogueTables::Rows sheets;
    for (const FixtureSheet &s : catalogue.sheets) {
        const Jet::Value pulver = s.pulvermarke.isNull() ? Jet::Value{} : Jet::Value{s.pulvermarke};
        sheets.push_back(
            {s.nummer, s.marke, pulver, s.hersteller, s.zusatz, s.infogeber, s.changed});
    }
    CatalogueTables::Rows versions;
    for (const QStringList &v : catalogue.versions)
        versions.push_back({v.value(0), v.value(1), v.value(2)});
    const QString error =
        CatalogueTables::write(folder + u"/Norvenz SZW Kennblätter.mde"_s,
                               {CatalogueTables::verzeichnis(std::move(sheets)),
                                CatalogueTables::infoGeber(lookupRows(catalogue.infogeber)),
                                CatalogueTables::zusatz(lookupRows(catalogue.zusatz)),
                                CatalogueTables::hersteller(lookupRows(catalogue.hersteller)),
                                CatalogueTables::norvenz(std::move(versions))});
    if (error.isEmpty())
        return true;
    qWarning("cannot write the test catalogue: %s", qPrintable(error));
    return false;
}

void writeFixtureSettings(const QString &path, const QString &folder, const QByteArray &more)
{
    const QByteArray named = Cp1252::fromUnicode(folder) + '/';
    writeFile(path, "[Einstellungen]\r\nPfadZuMDEDatei=" + named + "\r\nPfadZuPDFDateien=" + named +
                        "\r\n" + more);
}
