// The steel group tables: the overview of the groups and the details of ferritic and
// austenitic steels, each with the consumables of this edition that suit them.

#include "tools/demo/demoreferences.h"

#include "tools/demo/democatalogue.h"
#include "tools/demo/demogrades.h"
#include "tools/demo/pagedtable.h"

#include <QHash>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace Demo {

namespace {

// Up to three data sheets of different products (lowest numbers first) whose designation
// contains `pattern`.
QString examples(const Catalogue &catalogue, const QString &pattern)
{
    QList<const DataSheet *> matches;
    for (const DataSheet &sheet : catalogue.sheets) {
        const Grade &grade = gradesOf(catalogue.kindOf(sheet))[sheet.grade];
        for (const auto &designation : grade.designations) {
            if (designation.second.contains(pattern)) {
                matches.append(&sheet);
                break;
            }
        }
    }
    std::sort(matches.begin(), matches.end(), [](const DataSheet *a, const DataSheet *b) {
        return std::pair(a->mainNumber, a->subNumber) < std::pair(b->mainNumber, b->subNumber);
    });
    QStringList numbers;
    int lastMain = -1;
    for (const DataSheet *sheet : std::as_const(matches)) {
        if (sheet->mainNumber == lastMain)
            continue; // one per product: its variants would say nothing new
        lastMain = sheet->mainNumber;
        numbers.append(sheet->number());
        if (numbers.size() == 3)
            break;
    }
    return numbers.isEmpty() ? u"–"_s : numbers.join(u", "_s);
}

struct Steel
{
    QString number;
    QString name;
    QString standard;
    QString group;
    QString consumable; // designation of a suitable consumable
    QString pattern;    // what a suitable grade's designation contains
    QString note;
};

} // namespace

bool writeSteelGroups(const Catalogue &catalogue, const QString &path, QString *error)
{
    struct Group
    {
        QString number;
        QString text;
        QStringList subgroups; // "1.1  text"
    };
    const QList<Group> groups = {
        {u"1"_s,
         u"Stähle mit festgelegter Mindeststreckgrenze ReH ≤ 460 N/mm²"_s,
         {u"1.1\tReH ≤ 275 N/mm²"_s, u"1.2\t275 N/mm² < ReH ≤ 360 N/mm²"_s,
          u"1.3\tnormalgeglühte Feinkornbaustähle mit ReH > 360 N/mm²"_s,
          u"1.4\tStähle mit verbesserter atmosphärischer Korrosionsbeständigkeit"_s}},
        {u"2"_s,
         u"Thermomechanisch behandelte Feinkornbaustähle und Stahlguss, ReH > 360 N/mm²"_s,
         {u"2.1\t360 N/mm² < ReH ≤ 460 N/mm²"_s, u"2.2\tReH > 460 N/mm²"_s}},
        {u"3"_s,
         u"Vergütete und ausscheidungsgehärtete Feinkornbaustähle, ReH > 360 N/mm²"_s,
         {u"3.1\t360 N/mm² < ReH ≤ 690 N/mm²"_s, u"3.2\tReH > 690 N/mm²"_s,
          u"3.3\tausscheidungsgehärtete Feinkornbaustähle"_s}},
        {u"4"_s,
         u"Niedrig vanadiumlegierte Cr-Mo-(Ni)-Stähle, Mo ≤ 0,7 %, V ≤ 0,1 %"_s,
         {u"4.1\tCr ≤ 0,3 % und Ni ≤ 0,7 %"_s, u"4.2\tCr ≤ 0,7 % und Ni ≤ 1,5 %"_s}},
        {u"5"_s,
         u"Vanadiumfreie Cr-Mo-Stähle mit C ≤ 0,35 %"_s,
         {u"5.1\t0,75 % ≤ Cr ≤ 1,5 % und Mo ≤ 0,7 %"_s,
          u"5.2\t1,5 % < Cr ≤ 3,5 % und 0,7 % < Mo ≤ 1,2 %"_s,
          u"5.3\t3,5 % < Cr ≤ 7,0 % und 0,4 % < Mo ≤ 0,7 %"_s,
          u"5.4\t7,0 % < Cr ≤ 10,0 % und 0,7 % < Mo ≤ 1,2 %"_s}},
        {u"6"_s,
         u"Hoch vanadiumlegierte Cr-Mo-(Ni)-Stähle"_s,
         {u"6.1\t0,3 % ≤ Cr ≤ 0,75 %, Mo ≤ 0,7 %, V ≤ 0,35 %"_s,
          u"6.2\t0,75 % < Cr ≤ 3,5 %, 0,7 % < Mo ≤ 1,2 %, V ≤ 0,35 %"_s,
          u"6.3\t3,5 % < Cr ≤ 7,0 %, Mo ≤ 0,7 %, 0,45 % ≤ V ≤ 0,55 %"_s,
          u"6.4\t7,0 % < Cr ≤ 12,5 %, 0,7 % < Mo ≤ 1,2 %, V ≤ 0,35 %"_s}},
        {u"7"_s,
         u"Ferritische, martensitische oder ausscheidungsgehärtete nichtrostende Stähle"_s,
         {u"7.1\tferritische nichtrostende Stähle"_s, u"7.2\tmartensitische nichtrostende Stähle"_s,
          u"7.3\tausscheidungsgehärtete nichtrostende Stähle"_s}},
        {u"8"_s,
         u"Austenitische nichtrostende Stähle mit Ni ≤ 31 %"_s,
         {u"8.1\tCr ≤ 19 %"_s, u"8.2\tCr > 19 %"_s,
          u"8.3\tmanganhaltige austenitische Stähle, 4,0 % < Mn ≤ 12,0 %"_s}},
        {u"9"_s,
         u"Nickellegierte Stähle mit Ni ≤ 10,0 %"_s,
         {u"9.1\tNi ≤ 3,0 %"_s, u"9.2\t3,0 % < Ni ≤ 8,0 %"_s, u"9.3\t8,0 % < Ni ≤ 10,0 %"_s}},
        {u"10"_s,
         u"Austenitisch-ferritische nichtrostende Stähle (Duplex)"_s,
         {u"10.1\tCr ≤ 24,0 %"_s, u"10.2\tCr > 24,0 %"_s}},
        {u"11"_s,
         u"Stähle wie Gruppe 1, jedoch mit 0,25 % < C ≤ 0,85 %"_s,
         {u"11.1\t0,25 % < C ≤ 0,35 %"_s, u"11.2\t0,35 % < C ≤ 0,5 %"_s,
          u"11.3\t0,5 % < C ≤ 0,85 %"_s}},
    };
    const QHash<QString, QString> consumables = {
        {u"1.1"_s, u"E 38 x RR, G 38 x C1 3Si1"_s},
        {u"1.2"_s, u"E 42 x B, G 42 x M21 3Si1"_s},
        {u"1.3"_s, u"E 46 x B, S 46 x FB S3Si"_s},
        {u"2.1"_s, u"E 46 x B, T 46 x P M21"_s},
        {u"3.1"_s, u"E 69 x Mn2NiCrMo B"_s},
        {u"3.2"_s, u"G 89 x M21 Mn4Ni2CrMo"_s},
        {u"4.1"_s, u"E Mo B, G MoSi"_s},
        {u"5.1"_s, u"E CrMo1 B, G CrMo1Si"_s},
        {u"5.2"_s, u"E CrMo2 B"_s},
        {u"6.4"_s, u"E CrMo91 B"_s},
        {u"8.1"_s, u"19 9 L, 19 12 3 L, 19 9 Nb"_s},
        {u"8.2"_s, u"23 12 L, 25 20"_s},
        {u"9.1"_s, u"S 46 6 FB S2Ni2"_s},
        {u"9.3"_s, u"E Ni 6625, E Ni 6182"_s},
        {u"10.1"_s, u"22 9 3 N L"_s},
    };

    PagedTable table(u"Gruppeneinteilung der Stähle (Übersicht)"_s,
                     u"Einteilung der Stähle für die Zuordnung der Schweißzusätze"_s,
                     {{u"Gruppe"_s, 16, true},
                      {u"Stahlart und Grenzwerte"_s, 98},
                      {u"Schweißzusätze (Beispiele)"_s, 60}});
    table.addParagraph(u"Die Einteilung folgt der in Europa üblichen Gruppierung der Stähle "
                       u"nach Festigkeit, Wärmebehandlungszustand und Legierungsgehalt. Die "
                       u"Angaben der Legierungsgehalte sind Massenanteile. Zu jeder Untergruppe "
                       u"sind Bezeichnungen geeigneter Schweißzusätze beispielhaft genannt; "
                       u"maßgebend ist der Geltungsbereich im jeweiligen Kennblatt."_s);
    for (const Group &group : groups) {
        table.addGroup(u"Gruppe %1: %2"_s.arg(group.number, group.text));
        for (const QString &sub : group.subgroups) {
            const QStringList parts = sub.split(u'\t');
            table.addRow({parts[0], parts[1], consumables.value(parts[0], u"–"_s)});
        }
    }
    table.addParagraph(u"Nickelbasislegierungen, Aluminium und seine Legierungen sowie "
                       u"Gusseisen sind nicht Gegenstand dieser Einteilung; die Kennblätter "
                       u"der dafür bestimmten Schweißzusätze nennen die Grundwerkstoffe "
                       u"einzeln."_s);
    return table.write(path, catalogue.edition.label, catalogue.edition.footer(), error);
}

bool writeFerriticSteels(const Catalogue &catalogue, const QString &path, QString *error)
{
    const QList<Steel> steels = {
        {u"1.0038"_s, u"S235JR"_s, u"EN 10025-2"_s, u"1.1"_s, u"E 38 0 RR 12"_s, u"E 38 0 RR"_s,
         u"nicht erforderlich"_s},
        {u"1.0044"_s, u"S275JR"_s, u"EN 10025-2"_s, u"1.1"_s, u"E 38 2 RB 12"_s, u"E 38 2"_s,
         u"nicht erforderlich"_s},
        {u"1.0045"_s, u"S355JR"_s, u"EN 10025-2"_s, u"1.2"_s, u"E 42 4 B 42 H5"_s, u"E 42 4 B"_s,
         u"ab 30 mm: 75 – 100 °C"_s},
        {u"1.0577"_s, u"S355J2"_s, u"EN 10025-2"_s, u"1.2"_s, u"G 42 4 M21 3Si1"_s, u"G 42 4 M21"_s,
         u"ab 30 mm: 75 – 100 °C"_s},
        {u"1.0596"_s, u"S355K2"_s, u"EN 10025-2"_s, u"1.2"_s, u"T 46 4 P M21 1 H5"_s, u"T 46 4"_s,
         u"ab 30 mm: 75 – 100 °C"_s},
        {u"1.0545"_s, u"S355N"_s, u"EN 10025-3"_s, u"1.2"_s, u"S 42 4 AB S2"_s, u"S 42 4"_s,
         u"ab 30 mm: 75 – 100 °C"_s},
        {u"1.8901"_s, u"S460N"_s, u"EN 10025-3"_s, u"1.3"_s, u"S 46 5 FB S3Si"_s, u"S 46 5"_s,
         u"ab 20 mm: 100 – 125 °C"_s},
        {u"1.8903"_s, u"S460NL"_s, u"EN 10025-3"_s, u"1.3"_s, u"E 46 6 Mn1Ni B 42 H5"_s,
         u"E 46 6"_s, u"ab 20 mm: 100 – 125 °C"_s},
        {u"1.8823"_s, u"S355M"_s, u"EN 10025-4"_s, u"2.1"_s, u"G 46 4 M21 4Si1"_s, u"G 46 4"_s,
         u"in der Regel nicht erforderlich"_s},
        {u"1.8827"_s, u"S460M"_s, u"EN 10025-4"_s, u"2.1"_s, u"T 46 4 M M21 1 H5"_s, u"T 46 4 M"_s,
         u"ab 40 mm: 75 °C"_s},
        {u"1.8928"_s, u"S690QL"_s, u"EN 10025-6"_s, u"3.1"_s, u"E 69 5 Mn2NiCrMo B 42 H5"_s,
         u"69"_s, u"100 – 150 °C"_s},
        {u"1.8983"_s, u"S890QL"_s, u"EN 10025-6"_s, u"3.2"_s, u"G 89 5 M21 Mn4Ni2CrMo"_s, u"89"_s,
         u"125 – 175 °C"_s},
        {u"1.0345"_s, u"P235GH"_s, u"EN 10028-2"_s, u"1.1"_s, u"E 38 4 B 12 H10"_s, u"E 38 4 B"_s,
         u"nicht erforderlich"_s},
        {u"1.0425"_s, u"P265GH"_s, u"EN 10028-2"_s, u"1.1"_s, u"W 42 5 W3Si1"_s, u"W 42"_s,
         u"nicht erforderlich"_s},
        {u"1.0473"_s, u"P355GH"_s, u"EN 10028-2"_s, u"1.2"_s, u"E 42 3 B 32 H10"_s, u"E 42 3 B"_s,
         u"ab 25 mm: 100 °C"_s},
        {u"1.0566"_s, u"P355NL1"_s, u"EN 10028-3"_s, u"1.2"_s, u"S 46 6 FB S2Ni2"_s, u"S2Ni2"_s,
         u"ab 25 mm: 100 °C"_s},
        {u"1.5415"_s, u"16Mo3"_s, u"EN 10028-2"_s, u"1.2"_s, u"E Mo B 42 H5"_s, u" Mo B"_s,
         u"ab 15 mm: 100 – 150 °C"_s},
        {u"1.7335"_s, u"13CrMo4-5"_s, u"EN 10028-2"_s, u"5.1"_s, u"E CrMo1 B 42 H5"_s, u"CrMo1"_s,
         u"150 – 250 °C"_s},
        {u"1.7380"_s, u"10CrMo9-10"_s, u"EN 10028-2"_s, u"5.2"_s, u"E CrMo2 B 42 H5"_s, u"CrMo2"_s,
         u"200 – 300 °C"_s},
        {u"1.4903"_s, u"X10CrMoVNb9-1"_s, u"EN 10216-2"_s, u"6.4"_s, u"E CrMo91 B 42 H5"_s,
         u"CrMo91"_s, u"200 – 300 °C"_s},
        {u"1.5637"_s, u"12Ni14"_s, u"EN 10028-4"_s, u"9.2"_s, u"S 46 6 FB S2Ni2"_s, u"S2Ni2"_s,
         u"bis 100 °C"_s},
        {u"1.5662"_s, u"X8Ni9"_s, u"EN 10028-4"_s, u"9.3"_s, u"E Ni 6625 (NiCr22Mo9Nb)"_s,
         u"Ni 6625"_s, u"nicht erforderlich"_s},
        {u"1.0619"_s, u"GP240GH"_s, u"EN 10213"_s, u"1.1"_s, u"E 42 4 B 42 H5"_s, u"E 42 4 B"_s,
         u"nach Wanddicke, 100 – 150 °C"_s},
        {u"1.7379"_s, u"G17CrMo9-10"_s, u"EN 10213"_s, u"5.2"_s, u"E CrMo2 B 42 H5"_s, u"CrMo2"_s,
         u"200 – 300 °C"_s},
        {u"1.0582"_s, u"L360NB"_s, u"EN ISO 3183"_s, u"1.2"_s, u"E 42 3 C 25"_s, u"C 25"_s,
         u"50 – 100 °C (Fallnaht)"_s},
    };
    PagedTable table(u"Ferritische Stähle (Detail)"_s,
                     u"Werkstoffe mit Gruppe, geeignetem Schweißzusatz und Vorwärmung"_s,
                     {{u"Werkstoff-Nr."_s, 18, true},
                      {u"Kurzname"_s, 26},
                      {u"Norm"_s, 20},
                      {u"Gruppe"_s, 13, true},
                      {u"Schweißzusatz (Beispiel)"_s, 38},
                      {u"Vorwärmung (Richtwert)"_s, 28},
                      {u"Kennblätter"_s, 31}});
    table.addParagraph(u"Die Vorwärmtemperaturen sind Richtwerte für Verbindungen mittlerer "
                       u"Steifigkeit; im Einzelfall sind sie nach EN 1011-2 aus dem "
                       u"Kohlenstoffäquivalent, der Wanddicke, dem Wasserstoffgehalt des "
                       u"Schweißguts und der Streckenenergie zu bestimmen. Die Spalte "
                       u"Kennblätter nennt bis zu drei Kennblätter dieser Ausgabe mit passender "
                       u"Normbezeichnung."_s);
    const auto category = [](const QString &standard) {
        if (standard.startsWith(u"EN 10025"_s))
            return u"Baustähle"_s;
        if (standard.startsWith(u"EN 10213"_s))
            return u"Stahlguss"_s;
        if (standard.startsWith(u"EN ISO"_s))
            return u"Leitungsrohrstähle"_s;
        return u"Druckbehälter- und Rohrstähle"_s;
    };
    QString lastCategory;
    for (const Steel &s : steels) {
        if (category(s.standard) != lastCategory) {
            lastCategory = category(s.standard);
            table.addGroup(lastCategory);
        }
        table.addRow({s.number, s.name, s.standard, s.group, s.consumable, s.note,
                      examples(catalogue, s.pattern)});
    }
    return table.write(path, catalogue.edition.label, catalogue.edition.footer(), error);
}

bool writeAusteniticSteels(const Catalogue &catalogue, const QString &path, QString *error)
{
    const QList<Steel> steels = {
        {u"1.4301"_s,
         u"X5CrNi18-10"_s,
         {},
         u"8.1"_s,
         u"19 9 L"_s,
         u"19 9 L"_s,
         u"Standardstahl für allgemeine Anwendungen"_s},
        {u"1.4306"_s,
         u"X2CrNi19-11"_s,
         {},
         u"8.1"_s,
         u"19 9 L"_s,
         u"19 9 L"_s,
         u"kohlenstoffarm, interkristallin beständig"_s},
        {u"1.4307"_s, u"X2CrNi18-9"_s, {}, u"8.1"_s, u"19 9 L"_s, u"19 9 L"_s, u"kohlenstoffarm"_s},
        {u"1.4541"_s,
         u"X6CrNiTi18-10"_s,
         {},
         u"8.1"_s,
         u"19 9 Nb"_s,
         u"19 9 Nb"_s,
         u"titanstabilisiert; 19 9 L ebenfalls möglich"_s},
        {u"1.4550"_s,
         u"X6CrNiNb18-10"_s,
         {},
         u"8.1"_s,
         u"19 9 Nb"_s,
         u"19 9 Nb"_s,
         u"niobstabilisiert"_s},
        {u"1.4401"_s,
         u"X5CrNiMo17-12-2"_s,
         {},
         u"8.1"_s,
         u"19 12 3 L"_s,
         u"19 12 3 L"_s,
         u"molybdänhaltig"_s},
        {u"1.4404"_s,
         u"X2CrNiMo17-12-2"_s,
         {},
         u"8.1"_s,
         u"19 12 3 L"_s,
         u"19 12 3 L"_s,
         u"molybdänhaltig, kohlenstoffarm"_s},
        {u"1.4571"_s,
         u"X6CrNiMoTi17-12-2"_s,
         {},
         u"8.1"_s,
         u"19 12 3 Nb oder 19 12 3 L"_s,
         u"19 12 3"_s,
         u"titanstabilisiert"_s},
        {u"1.4435"_s,
         u"X2CrNiMo18-14-3"_s,
         {},
         u"8.1"_s,
         u"19 12 3 L"_s,
         u"19 12 3 L"_s,
         u"erhöhter Nickelgehalt, Ferritgehalt beachten"_s},
        {u"1.4439"_s,
         u"X2CrNiMoN17-13-5"_s,
         {},
         u"8.1"_s,
         u"18 16 5 N L oder Ni 6625"_s,
         u"Ni 6625"_s,
         u"hoher Molybdängehalt"_s},
        {u"1.4318"_s,
         u"X2CrNiN18-7"_s,
         {},
         u"8.1"_s,
         u"19 9 L"_s,
         u"19 9 L"_s,
         u"kaltverfestigt, Schienenfahrzeugbau"_s},
        {u"1.4539"_s,
         u"X1NiCrMoCu25-20-5"_s,
         {},
         u"8.2"_s,
         u"20 25 5 Cu N L"_s,
         u"20 25"_s,
         u"vollaustenitisch, heißrissempfindlich"_s},
        {u"1.4529"_s,
         u"X1NiCrMoCuN25-20-7"_s,
         {},
         u"8.2"_s,
         u"Ni 6625"_s,
         u"Ni 6625"_s,
         u"6Mo-Stahl, Nickelbasis-Schweißzusatz"_s},
        {u"1.4828"_s,
         u"X15CrNiSi20-12"_s,
         {},
         u"8.2"_s,
         u"22 12 H"_s,
         u"23 12"_s,
         u"hitzebeständig bis 1000 °C"_s},
        {u"1.4845"_s,
         u"X8CrNi25-21"_s,
         {},
         u"8.2"_s,
         u"25 20"_s,
         u"25 20"_s,
         u"hitzebeständig bis 1100 °C"_s},
        {u"1.4372"_s,
         u"X12CrMnNiN17-7-5"_s,
         {},
         u"8.3"_s,
         u"18 8 Mn"_s,
         u"18 8 Mn"_s,
         u"manganlegiert"_s},
        {u"1.4362"_s,
         u"X2CrNiN23-4"_s,
         {},
         u"10.1"_s,
         u"23 7 N L oder 22 9 3 N L"_s,
         u"22 9 3 N L"_s,
         u"Lean-Duplex"_s},
        {u"1.4462"_s,
         u"X2CrNiMoN22-5-3"_s,
         {},
         u"10.1"_s,
         u"22 9 3 N L"_s,
         u"22 9 3 N L"_s,
         u"Duplex; Ferritgehalt im Schweißgut 30 – 60 %"_s},
        {u"1.4410"_s,
         u"X2CrNiMoN25-7-4"_s,
         {},
         u"10.2"_s,
         u"25 9 4 N L"_s,
         u"25 9 4"_s,
         u"Superduplex"_s},
    };
    PagedTable table(u"Austenitische Stähle (Detail)"_s,
                     u"Nichtrostende austenitische und austenitisch-ferritische Stähle "
                     u"(EN 10088-2) mit geeignetem Schweißzusatz"_s,
                     {{u"Werkstoff-Nr."_s, 18, true},
                      {u"Kurzname"_s, 34},
                      {u"Gruppe"_s, 13, true},
                      {u"Schweißzusatz (Legierungskurzzeichen)"_s, 38},
                      {u"Hinweis"_s, 40},
                      {u"Kennblätter"_s, 31}});
    table.addParagraph(u"Austenitische Stähle werden in der Regel ohne Vorwärmung geschweißt; "
                       u"die Zwischenlagentemperatur soll 150 °C nicht überschreiten. Die "
                       u"Schweißzusätze sind mit dem Legierungskurzzeichen angegeben; es gilt "
                       u"sinngemäß für Stabelektroden, Drähte, Stäbe und Fülldrähte."_s);
    QString lastGroup;
    for (const Steel &s : steels) {
        const QString group = s.group.section(u'.', 0, 0);
        if (group != lastGroup) {
            lastGroup = group;
            table.addGroup(group == u"8"_s ? u"Austenitische Stähle (Gruppe 8)"_s
                                           : u"Austenitisch-ferritische Stähle (Gruppe 10)"_s);
        }
        table.addRow(
            {s.number, s.name, s.group, s.consumable, s.note, examples(catalogue, s.pattern)});
    }
    return table.write(path, catalogue.edition.label, catalogue.edition.footer(), error);
}

} // namespace Demo
