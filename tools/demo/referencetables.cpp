// The translation table and the stamp list of the stick electrodes.

#include "tools/demo/demoreferences.h"

#include "tools/demo/democatalogue.h"
#include "tools/demo/demorandom.h"
#include "tools/demo/pagedtable.h"

#include <QCollator>
#include <QLocale>
#include <QMap>

#include <algorithm>
#include <array>

using namespace Qt::StringLiterals;

namespace Demo {

namespace {

// German, English, French.
using Terms = std::array<QString, 3>;

QList<Terms> terms()
{
    return {
        {u"Abschmelzleistung"_s, u"deposition rate"_s, u"taux de dépôt"_s},
        {u"Aluminiumlegierung"_s, u"aluminium alloy"_s, u"alliage d'aluminium"_s},
        {u"Änderung"_s, u"change"_s, u"modification"_s},
        {u"Auftragschweißen"_s, u"surfacing"_s, u"rechargement"_s},
        {u"Ausbringung"_s, u"metal recovery"_s, u"rendement"_s},
        {u"Ausgabe"_s, u"edition"_s, u"édition"_s},
        {u"basisch"_s, u"basic"_s, u"basique"_s},
        {u"Baustahl"_s, u"structural steel"_s, u"acier de construction"_s},
        {u"Biegeprobe"_s, u"bend test specimen"_s, u"éprouvette de pliage"_s},
        {u"Bindefehler"_s, u"lack of fusion"_s, u"manque de fusion"_s},
        {u"Bruchdehnung"_s, u"elongation after fracture"_s, u"allongement après rupture"_s},
        {u"chemische Zusammensetzung"_s, u"chemical composition"_s, u"composition chimique"_s},
        {u"Decklage"_s, u"cap pass"_s, u"passe de finition"_s},
        {u"Drahtvorschub"_s, u"wire feed"_s, u"dévidage du fil"_s},
        {u"Durchmesser"_s, u"diameter"_s, u"diamètre"_s},
        {u"Eignungsprüfung"_s, u"approval test"_s, u"essai de qualification"_s},
        {u"Einbrand"_s, u"penetration"_s, u"pénétration"_s},
        {u"Fallposition"_s, u"vertical down position"_s, u"position verticale descendante"_s},
        {u"Feinkornbaustahl"_s, u"fine-grained structural steel"_s,
         u"acier de construction à grains fins"_s},
        {u"Fülldraht"_s, u"flux-cored wire"_s, u"fil fourré"_s},
        {u"Fülllage"_s, u"filling pass"_s, u"passe de remplissage"_s},
        {u"Geltungsbereich"_s, u"range of approval"_s, u"domaine de validité"_s},
        {u"Gleichstrom"_s, u"direct current"_s, u"courant continu"_s},
        {u"Grundwerkstoff"_s, u"parent metal"_s, u"métal de base"_s},
        {u"Gusseisen"_s, u"cast iron"_s, u"fonte"_s},
        {u"Härte"_s, u"hardness"_s, u"dureté"_s},
        {u"Hersteller"_s, u"manufacturer"_s, u"fabricant"_s},
        {u"hochfest"_s, u"high-strength"_s, u"à haute résistance"_s},
        {u"kaltzäh"_s, u"low-temperature tough"_s, u"tenace à basse température"_s},
        {u"Kehlnaht"_s, u"fillet weld"_s, u"soudure d'angle"_s},
        {u"Kennblatt"_s, u"data sheet"_s, u"fiche technique"_s},
        {u"Kerbschlagarbeit"_s, u"impact energy"_s, u"énergie de rupture"_s},
        {u"Lagerung"_s, u"storage"_s, u"stockage"_s},
        {u"Lichtbogen"_s, u"arc"_s, u"arc électrique"_s},
        {u"Lieferer"_s, u"supplier"_s, u"fournisseur"_s},
        {u"Makroschliff"_s, u"macro section"_s, u"coupe macrographique"_s},
        {u"Massivdraht"_s, u"solid wire"_s, u"fil plein"_s},
        {u"Nickellegierung"_s, u"nickel alloy"_s, u"alliage de nickel"_s},
        {u"nichtrostend"_s, u"stainless"_s, u"inoxydable"_s},
        {u"Poren"_s, u"porosity"_s, u"soufflures"_s},
        {u"Prüfbescheinigung"_s, u"test certificate"_s, u"certificat d'essai"_s},
        {u"Prüfstelle"_s, u"inspection body"_s, u"organisme de contrôle"_s},
        {u"Prüftemperatur"_s, u"test temperature"_s, u"température d'essai"_s},
        {u"Querposition"_s, u"horizontal position"_s, u"position en corniche"_s},
        {u"Querzugprobe"_s, u"transverse tensile test"_s, u"essai de traction transversale"_s},
        {u"Richtanalyse"_s, u"typical analysis"_s, u"analyse type"_s},
        {u"Riss"_s, u"crack"_s, u"fissure"_s},
        {u"Rücktrocknung"_s, u"re-drying"_s, u"re-étuvage"_s},
        {u"rutil"_s, u"rutile"_s, u"rutile"_s},
        {u"Schlacke"_s, u"slag"_s, u"laitier"_s},
        {u"Schutzgas"_s, u"shielding gas"_s, u"gaz de protection"_s},
        {u"Schweißgut"_s, u"weld metal"_s, u"métal fondu"_s},
        {u"Schweißnaht"_s, u"weld"_s, u"soudure"_s},
        {u"Schweißposition"_s, u"welding position"_s, u"position de soudage"_s},
        {u"Schweißpulver"_s, u"welding flux"_s, u"flux de soudage"_s},
        {u"Schweißzusatz"_s, u"welding consumable"_s, u"produit d'apport"_s},
        {u"Schweißzustand"_s, u"as welded"_s, u"brut de soudage"_s},
        {u"Sicherheitsdatenblatt"_s, u"safety data sheet"_s, u"fiche de données de sécurité"_s},
        {u"Spannungsarmglühen"_s, u"stress relieving"_s, u"recuit de détente"_s},
        {u"Spritzer"_s, u"spatter"_s, u"projections"_s},
        {u"Spule"_s, u"spool"_s, u"bobine"_s},
        {u"Stabelektrode"_s, u"covered electrode"_s, u"électrode enrobée"_s},
        {u"Stahlguss"_s, u"cast steel"_s, u"acier moulé"_s},
        {u"Steigposition"_s, u"vertical up position"_s, u"position verticale montante"_s},
        {u"Streckgrenze"_s, u"yield strength"_s, u"limite d'élasticité"_s},
        {u"Stromstärke"_s, u"welding current"_s, u"intensité de soudage"_s},
        {u"Stumpfnaht"_s, u"butt weld"_s, u"soudure bout à bout"_s},
        {u"Überkopfposition"_s, u"overhead position"_s, u"position au plafond"_s},
        {u"Umhüllung"_s, u"covering"_s, u"enrobage"_s},
        {u"Unterpulverschweißen"_s, u"submerged arc welding"_s, u"soudage à l'arc sous flux"_s},
        {u"Verbindungsschweißen"_s, u"joint welding"_s, u"soudage d'assemblage"_s},
        {u"Verpackung"_s, u"packaging"_s, u"emballage"_s},
        {u"Vorwärmtemperatur"_s, u"preheating temperature"_s, u"température de préchauffage"_s},
        {u"Wannenposition"_s, u"flat position"_s, u"position à plat"_s},
        {u"warmfest"_s, u"creep-resisting"_s, u"résistant au fluage"_s},
        {u"Wärmebehandlung"_s, u"heat treatment"_s, u"traitement thermique"_s},
        {u"Wärmeeinflusszone"_s, u"heat-affected zone"_s, u"zone affectée thermiquement"_s},
        {u"Wasserstoffgehalt"_s, u"hydrogen content"_s, u"teneur en hydrogène"_s},
        {u"Wechselstrom"_s, u"alternating current"_s, u"courant alternatif"_s},
        {u"WIG-Schweißen"_s, u"TIG welding"_s, u"soudage TIG"_s},
        {u"Wurzellage"_s, u"root pass"_s, u"passe de racine"_s},
        {u"Zugfestigkeit"_s, u"tensile strength"_s, u"résistance à la traction"_s},
        {u"zellulosisch"_s, u"cellulosic"_s, u"cellulosique"_s},
        {u"Zwischenlagentemperatur"_s, u"interpass temperature"_s, u"température entre passes"_s},
    };
}

// The first letter a German index files a word under: umlauts with their base letter.
QChar indexLetter(const QString &word)
{
    const QChar first = word.at(0).toUpper();
    switch (first.unicode()) {
    case u'Ä':
        return u'A';
    case u'Ö':
        return u'O';
    case u'Ü':
        return u'U';
    default:
        return first;
    }
}

} // namespace

bool writeTranslationTable(const Catalogue &catalogue, const QString &path, QString *error)
{
    QList<Terms> rows = terms();
    QCollator collator{QLocale(QLocale::German, QLocale::Germany)};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(rows.begin(), rows.end(), [&collator](const Terms &a, const Terms &b) {
        return collator.compare(a[0], b[0]) < 0;
    });
    PagedTable table(u"Übersetzungstabelle"_s,
                     u"Fachbegriffe der Kennblätter: Deutsch – Englisch – Französisch"_s,
                     {{u"Deutsch"_s, 58}, {u"English"_s, 58}, {u"Français"_s, 58}});
    table.addParagraph(u"Die Tabelle nennt die Begriffe, die in den Kennblättern und Listen "
                       u"vorkommen, mit ihren gebräuchlichen Entsprechungen in der englischen und "
                       u"französischen Normung."_s);
    QChar letter;
    for (const Terms &row : std::as_const(rows)) {
        if (indexLetter(row[0]) != letter) {
            letter = indexLetter(row[0]);
            table.addGroup(QString(letter));
        }
        table.addRow({row[0], row[1], row[2]});
    }
    return table.write(path, catalogue.edition.label, catalogue.edition.footer(), error);
}

bool writeStampList(const Catalogue &catalogue, const QString &path, QString *error)
{
    // One stamp per electrode brand, on the sheet with the lowest number: the maker's key,
    // the brand's stem shortened and its grade part, as pressed into the covering.
    static const QStringList colours = {u"schwarz"_s, u"blau"_s, u"weiß"_s,
                                        u"rot"_s,     u"grün"_s, u"silber"_s};
    QMap<QString, const DataSheet *> brands;
    for (const DataSheet &sheet : catalogue.sheets) {
        if (catalogue.kindOf(sheet).process != Process::Electrode)
            continue;
        const auto it = brands.constFind(sheet.brand);
        if (it == brands.cend() || std::pair(sheet.mainNumber, sheet.subNumber) <
                                       std::pair((*it)->mainNumber, (*it)->subNumber))
            brands.insert(sheet.brand, &sheet);
    }
    struct Stamp
    {
        QString stamp;
        QString colour;
        const DataSheet *sheet;
    };
    QList<Stamp> stamps;
    for (const DataSheet *sheet : std::as_const(brands)) {
        const Manufacturer &maker = catalogue.manufacturerOf(*sheet);
        QString stamp = sheet->brand;
        for (const QString &stem : maker.stems) {
            if (stamp.contains(stem))
                stamp.replace(stem, stem.left(4));
        }
        DemoRandom random = DemoRandom::forPart(catalogue.seed, quint64(sheet->mainNumber));
        stamps.append(
            {(maker.key + u' ' + stamp.simplified()).toUpper(), random.pick(colours), sheet});
    }
    QCollator collator{QLocale(QLocale::German, QLocale::Germany)};
    collator.setNumericMode(true);
    std::stable_sort(stamps.begin(), stamps.end(), [&collator](const Stamp &a, const Stamp &b) {
        return collator.compare(a.stamp, b.stamp) < 0;
    });

    PagedTable table(u"Prägeliste der Stabelektroden"_s,
                     u"Prägung auf der Umhüllung, alphabetisch, mit zugehörigem Kennblatt"_s,
                     {{u"Prägung"_s, 40},
                      {u"Farbe"_s, 14, true},
                      {u"Marke"_s, 50},
                      {u"Kennblatt-Nr."_s, 20, true},
                      {u"Hersteller / Lieferer"_s, 50}});
    table.addParagraph(u"Stabelektroden tragen nahe dem Einspannende eine Prägung, an der sie "
                       u"sich auch ohne Verpackung erkennen lassen. Die Liste nennt für jede "
                       u"Prägung die Marke und das Kennblatt mit der niedrigsten Nummer; weitere "
                       u"Kennblätter derselben Marke tragen dieselbe Prägung."_s);
    for (const Stamp &s : std::as_const(stamps)) {
        table.addRow({s.stamp, s.colour, s.sheet->brand, s.sheet->number(),
                      catalogue.manufacturerOf(*s.sheet).name});
    }
    if (stamps.isEmpty())
        table.addParagraph(u"Diese Ausgabe enthält keine Stabelektroden."_s);
    return table.write(path, catalogue.edition.label, catalogue.edition.footer(), error);
}

} // namespace Demo
