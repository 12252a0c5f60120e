#include "tools/demo/sheetcontent.h"

#include "tools/demo/democatalogue.h"
#include "tools/demo/demodata.h"
#include "tools/demo/demogrades.h"
#include "tools/demo/demonames.h"
#include "tools/demo/demorandom.h"

#include <QMap>

#include <cmath>

using namespace Qt::StringLiterals;

namespace Demo {

QString germanNumber(double value, int decimals)
{
    return QString::number(value, 'f', decimals).replace(u'.', u',');
}

QString temperature(int celsius)
{
    if (celsius > 0)
        return u"+%1 °C"_s.arg(celsius);
    if (celsius < 0)
        return u"−%1 °C"_s.arg(-celsius);
    return u"0 °C"_s;
}

namespace {

QString chemistryValue(const QString &element, double typical, DemoRandom &random)
{
    if (element == u"Ni"_s && typical >= 50)
        return u"Rest"_s;
    const double value = typical * random.between(0.92, 1.08);
    if (value < 0.1)
        return germanNumber(value, 3);
    return germanNumber(value, value < 10 ? 2 : 1);
}

SimpleTable mechanicalTable(const Grade &grade, DemoRandom &random)
{
    SimpleTable table;
    if (grade.yieldMin == 0)
        return table;
    table.header = {u"Zustand"_s, u"Rp0,2 N/mm²"_s, u"Rm N/mm²"_s, u"A5 %"_s};
    for (const Impact &impact : grade.impacts)
        table.header.append(u"KV %1 J"_s.arg(temperature(impact.temperature)));

    QStringList minimum = {u"Mindestwerte"_s, u"≥ %1"_s.arg(grade.yieldMin),
                           grade.tensileMax > 0
                               ? u"%1 – %2"_s.arg(grade.tensileMin).arg(grade.tensileMax)
                               : u"≥ %1"_s.arg(grade.tensileMin),
                           u"≥ %1"_s.arg(grade.elongationMin)};
    for (const Impact &impact : grade.impacts)
        minimum.append(u"≥ %1"_s.arg(impact.minimum));
    table.rows.append(minimum);

    const auto typicalRow = [&](const QString &condition, double strengthFactor) {
        const int yield =
            int(std::lround(grade.yieldMin * strengthFactor * random.between(1.04, 1.16) / 5) * 5);
        const int upper = grade.tensileMax > 0 ? grade.tensileMax : grade.tensileMin + 80;
        const int tensile =
            std::max(yield + 40, int(std::lround(random.between(grade.tensileMin + 20, upper - 20) *
                                                 strengthFactor / 5) *
                                     5));
        QStringList row = {condition, QString::number(yield), QString::number(tensile),
                           QString::number(grade.elongationMin + random.between(2, 8))};
        for (const Impact &impact : grade.impacts)
            row.append(QString::number(int(impact.minimum * random.between(1.3, 2.6))));
        return row;
    };
    table.rows.append(typicalRow(u"Schweißzustand, typisch"_s, 1.0));
    if (grade.stressRelieved)
        table.rows.append(typicalRow(u"spannungsarmgeglüht, typisch"_s, 0.95));
    return table;
}

LabelledLines weldingData(const ConsumableKind &kind, const Grade &grade, const DataSheet &sheet)
{
    LabelledLines data;
    switch (kind.process) {
    case Process::Electrode: {
        const bool rutile = kind.coating == Coating::Rutile || kind.coating == Coating::RutileBasic;
        const bool stainless = kind.material == Material::Stainless;
        QString current = u"= (+)"_s;
        if (stainless)
            current = u"= (+) / ~ (Leerlaufspannung ≥ 50 V)"_s;
        else if (rutile)
            current = u"= (±) / ~ (Leerlaufspannung ≥ 50 V)"_s;
        QString redrying = u"300 – 350 °C, 2 h; höchstens dreimal"_s;
        if (stainless || kind.material == Material::Nickel)
            redrying = u"250 – 300 °C, 2 h"_s;
        else if (rutile || kind.coating == Coating::Cellulosic)
            redrying = u"nicht erforderlich"_s;
        data.append({u"Stromart"_s, current});
        data.append({u"Schweißpositionen"_s, kind.coating == Coating::Cellulosic
                                                 ? u"alle Positionen, Fallnaht PG bevorzugt"_s
                                                 : u"PA, PB, PC, PD, PE, PF"_s});
        data.append({u"Rücktrocknung"_s, redrying});
        break;
    }
    case Process::SolidWire:
    case Process::FluxCored:
        data.append({u"Stromart"_s, u"= (+)"_s});
        data.append({u"Schweißpositionen"_s, kind.process == Process::FluxCored
                                                 ? u"PA, PB, PC, PE, PF"_s
                                                 : u"alle außer PG"_s});
        data.append({u"Schutzgas"_s, grade.shielding});
        break;
    case Process::SubmergedArc:
        data.append({u"Stromart"_s, u"= (+) oder ~"_s});
        data.append({u"Schweißpositionen"_s, u"PA, PB"_s});
        data.append({u"Schweißpulver"_s, sheet.fluxBrand});
        data.append({u"Rücktrocknung Pulver"_s, u"300 – 350 °C, 2 h"_s});
        break;
    case Process::Tig:
        data.append({u"Stromart"_s, u"= (−)"_s});
        data.append({u"Schweißpositionen"_s, u"alle Positionen"_s});
        data.append({u"Schutzgas"_s, grade.shielding});
        break;
    case Process::Gas:
        data.append({u"Flamme"_s, grade.shielding});
        data.append({u"Schweißpositionen"_s, u"alle Positionen"_s});
        break;
    }
    return data;
}

// The delivery forms of a kind of consumable; the table's header is the file's.
const SimpleTable &deliveryTable(const ConsumableKind &kind)
{
    static const QMap<Process, SimpleTable> tables = [] {
        const QList<std::pair<Process, QString>> files = {
            {Process::Electrode, u"delivery-electrode.csv"_s},
            {Process::SolidWire, u"delivery-wire.csv"_s},
            {Process::FluxCored, u"delivery-wire.csv"_s},
            {Process::SubmergedArc, u"delivery-submergedarc.csv"_s},
            {Process::Tig, u"delivery-tig.csv"_s},
            {Process::Gas, u"delivery-gas.csv"_s}};
        QMap<Process, SimpleTable> result;
        for (const auto &[process, file] : files) {
            const Data::Table table = Data::table(file);
            if (table.rows.isEmpty())
                throw Data::Error(file + u": no rows"_s);
            SimpleTable &delivery = result[process];
            delivery.header = table.header;
            for (const Data::Row &row : table.rows)
                delivery.rows.append(row.cells());
        }
        return result;
    }();
    return *tables.constFind(kind.process); // every process has its file
}

// The processing notes: a few of the general ones and the one for the sheet's process, in
// random order, then the one that always comes last.
QStringList processingNotes(const ConsumableKind &kind, DemoRandom &random)
{
    static constexpr int General = -1;
    static constexpr int Last = -2;
    static const QList<std::pair<int, QString>> notes = [] {
        using enum Process;
        QList<std::pair<int, QString>> result;
        for (const Data::Row &row :
             Data::table(u"processingnotes.csv"_s, {u"applies"_s, u"text"_s}).rows) {
            result.append({row.choice<int>(u"applies", {{u"Any", General},
                                                        {u"Last", Last},
                                                        {u"Electrode", int(Electrode)},
                                                        {u"SolidWire", int(SolidWire)},
                                                        {u"FluxCored", int(FluxCored)},
                                                        {u"SubmergedArc", int(SubmergedArc)},
                                                        {u"Tig", int(Tig)},
                                                        {u"Gas", int(Gas)}}),
                           row.text(u"text")});
        }
        return result;
    }();
    QStringList all;
    QStringList last;
    for (const auto &[applies, text] : notes) {
        if (applies == General || applies == int(kind.process))
            all.append(text);
        else if (applies == Last)
            last.append(text);
    }
    random.shuffle(all);
    return all.mid(0, random.between(3, 4)) + last;
}

QString jointBaseMaterial(Material material)
{
    switch (material) {
    case Material::Unalloyed:
        return u"S355J2+N"_s;
    case Material::HighStrength:
        return u"S690QL"_s;
    case Material::CreepResistant:
        return u"13CrMo4-5"_s;
    case Material::Stainless:
        return u"X2CrNiMo17-12-2"_s;
    case Material::Nickel:
        return u"NiCr22Mo9Nb"_s;
    case Material::Aluminium:
        return u"EN AW-5083"_s;
    case Material::Hardfacing:
        break;
    }
    return {};
}

// The tests of the welded joint made for the approval, with results that meet the grade.
SimpleTable jointTests(const ConsumableKind &kind, const Grade &grade, DemoRandom &random)
{
    SimpleTable table;
    const QString base = jointBaseMaterial(kind.material);
    if (base.isEmpty() || grade.yieldMin == 0)
        return table;
    const QString thickness = QString::number(kind.material == Material::Aluminium ? 10 : 20);
    const int tensile = grade.tensileMin + random.between(15, 60);
    table.header = {u"Prüfung"_s, u"Grundwerkstoff"_s, u"Dicke mm"_s, u"Ergebnis"_s,
                    u"Bewertung"_s};
    table.rows = {
        {u"Querzugprobe"_s, base, thickness, u"Rm = %1 N/mm²"_s.arg(tensile),
         u"Bruch im Grundwerkstoff"_s},
        {u"Seitenbiegeprobe (4 Stück)"_s, base, thickness, u"180°, Dorn 4 a"_s, u"ohne Befund"_s},
        {u"Makroschliff"_s, base, thickness, u"Einbrand und Lagenaufbau"_s, u"einwandfrei"_s},
    };
    if (!grade.impacts.isEmpty()) {
        const Impact &coldest = grade.impacts.last();
        table.rows.append({u"Kerbschlagprobe Schweißgut"_s, base, thickness,
                           u"KV %1 = %2 J"_s.arg(temperature(coldest.temperature))
                               .arg(int(coldest.minimum * random.between(1.2, 2.2))),
                           u"erfüllt"_s});
    }
    return table;
}

QString changeNote(const ConsumableKind &kind, const Grade &grade, const DataSheet &sheet,
                   const SimpleTable &delivery, DemoRandom &random)
{
    // A changed test result names what the grade is tested for.
    QString tested = u"Festigkeitswerte nach erneuter Prüfung bestätigt."_s;
    if (!grade.impacts.isEmpty())
        tested = u"Kerbschlagarbeit bei %1 neu nachgewiesen."_s.arg(
            temperature(grade.impacts.last().temperature));
    else if (!grade.hardness.isEmpty())
        tested = u"Härteangaben nach erneuter Prüfung ergänzt."_s;
    QStringList notes = {
        u"Anschrift des Herstellers geändert."_s,
        u"Gültigkeit der Eignungsprüfung bis 31.12.%1 verlängert."_s.arg(
            random.between(2028, 2030)),
        u"Durchmesser %1 mm in den Lieferumfang aufgenommen."_s.arg(
            delivery.rows[random.below(int(delivery.rows.size()))].value(0)),
        tested,
        u"Normbezeichnung auf die aktuelle Ausgabe der Norm umgestellt."_s,
        u"Geltungsbereich um weitere Grundwerkstoffe erweitert."_s,
    };
    if (kind.process == Process::SubmergedArc)
        notes.append(u"Schweißpulver „%1“ neu aufgenommen."_s.arg(sheet.fluxBrand));
    return random.pick(notes);
}

} // namespace

SheetContent sheetContent(const Catalogue &catalogue, const DataSheet &sheet)
{
    DemoRandom random = DemoRandom::forPart(catalogue.seed, quint64(sheet.mainNumber) * 100 +
                                                                quint64(sheet.subNumber));
    const ConsumableKind &kind = catalogue.kindOf(sheet);
    const Manufacturer &maker = catalogue.manufacturerOf(sheet);
    const Organisation &organisation = catalogue.organisationOf(sheet);
    const Grade &grade = gradesOf(kind)[sheet.grade];

    SheetContent content;
    content.number = sheet.number();
    content.brand = sheet.brand;
    content.fluxBrand = sheet.fluxBrand;
    content.kind = kind.key + u" – "_s + kind.name;
    content.maker = {maker.name, maker.street, maker.postcode + u' ' + maker.city,
                     u"Schlüssel: "_s + maker.key};
    content.organisation = organisation.key + u" – "_s + organisation.name;
    content.designations = grade.designations;
    content.application = u"Geeignet für: "_s + grade.baseMaterials + u'.';
    content.weldingData = weldingData(kind, grade, sheet);
    content.mechanical = mechanicalTable(grade, random);
    content.hardness = grade.hardness;

    QStringList analysis;
    for (const auto &[element, typical] : grade.chemistry) {
        content.chemistry.header.append(element);
        analysis.append(chemistryValue(element, typical, random));
    }
    if (kind.material == Material::Aluminium) {
        content.chemistry.header.append(u"Al"_s);
        analysis.append(u"Rest"_s);
    }
    content.chemistry.rows = {analysis};

    const int firstYear = random.between(2004, 2022);
    const int lastCheck = random.between(std::max(firstYear, 2023), 2026);
    QStringList scope = Names::words(Names::Words::ApprovalScope);
    random.shuffle(scope);
    content.approval = {
        {u"Prüfstelle"_s, organisation.name + u", "_s + organisation.city},
        {u"Prüfbescheinigung"_s, u"%1 %2/%3-%4"_s.arg(organisation.key.toUpper())
                                     .arg(firstYear)
                                     .arg(sheet.mainNumber, 5, 10, QChar(u'0'))
                                     .arg(sheet.subNumber, 2, 10, QChar(u'0'))},
        {u"Erst-/Nachprüfung"_s, u"%1 / %2"_s.arg(firstYear).arg(lastCheck)},
        {u"Gültig bis"_s, u"31.12.%1"_s.arg(lastCheck + 3)},
        {u"Geltungsbereich"_s, scope.mid(0, random.between(1, 3)).join(u"; "_s)},
    };
    content.delivery = deliveryTable(kind);
    if (sheet.changed)
        content.changeNote = changeNote(kind, grade, sheet, content.delivery, random);

    content.twoPages = kind.process == Process::SubmergedArc || random.chance(0.3);
    if (content.twoPages) {
        content.jointTests = jointTests(kind, grade, random);
        content.notes = processingNotes(kind, random);
    }
    return content;
}

} // namespace Demo
