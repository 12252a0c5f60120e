#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The invented catalogue of the demo installation: manufacturers, kinds of consumable,
// inspection organisations, the edition and the data sheets, as the generator made them.
// Everything here is Unicode; the database writer and the PDF layouts take it from here.
namespace Demo {

// How a consumable is welded; decides the standards, the shielding and the properties.
enum class Process { Electrode, SolidWire, FluxCored, SubmergedArc, Tig, Gas };

// What it welds.
enum class Material {
    Unalloyed,
    HighStrength,
    CreepResistant,
    Stainless,
    Nickel,
    Aluminium,
    Hardfacing
};

// Electrode covering or type of flux core.
enum class Coating { None, Basic, Rutile, RutileBasic, Cellulosic, MetalPowder };

struct ConsumableKind
{
    QString key;
    QString name;
    Process process = Process::Electrode;
    Material material = Material::Unalloyed;
    Coating coating = Coating::None;
    int weight = 1; // how often it occurs, relative to the others
};

struct Manufacturer
{
    QString key;
    QString name;
    QString street;
    QString postcode; // with a country prefix ("A-", "CH-") outside Germany
    QString city;
    QStringList stems; // the words its brand names begin with
};

struct Organisation
{
    QString key;
    QString name;
    QString city;
};

struct Edition
{
    QString year;  // first part, "2026"
    QString part;  // second part, "2"
    QString label; // "Ausgabe Herbst 2026"

    // As the viewer shows it: first part "." second part.
    QString text() const { return year + u'.' + part; }
    // The footer line of the demo documents.
    QString footer() const
    {
        return QStringLiteral("Norvenz SZW Kennblätter · %1 (Stand %2)").arg(label, text());
    }
};

struct DataSheet
{
    int mainNumber = 0; // 1 to 99999
    int subNumber = 0;  // 0 to 99
    QString brand;
    QString fluxBrand;    // submerged-arc combinations only; empty otherwise
    int manufacturer = 0; // indexes into Catalogue's lists
    int kind = 0;
    int organisation = 0;
    int grade = 0;        // index into gradesOf(kind): names the brand, fills the sheet
    bool changed = false; // changed in this edition

    // "01234.05"
    QString number() const;
    // "01234_05.pdf", by the viewer's rule
    QString pdfFileName() const;
};

struct Catalogue
{
    quint64 seed = 0;
    Edition edition;
    QList<Manufacturer> manufacturers; // in stored order
    QList<ConsumableKind> kinds;
    QList<Organisation> organisations;
    QList<DataSheet> sheets; // in stored order: deliberately not sorted by number

    const Manufacturer &manufacturerOf(const DataSheet &sheet) const
    {
        return manufacturers[sheet.manufacturer];
    }
    const ConsumableKind &kindOf(const DataSheet &sheet) const { return kinds[sheet.kind]; }
    const Organisation &organisationOf(const DataSheet &sheet) const
    {
        return organisations[sheet.organisation];
    }
};

inline constexpr int DefaultCount = 2500;
inline constexpr int MinCount = 1;
// Main numbers have five digits; families of variants share one, so about twice as many
// sheets as main numbers fit (the benchmarks use 100,000 and 200,000; 200,000 leave more
// than 3,000 main numbers free).
inline constexpr int MaxCount = 200000;
inline constexpr quint64 DefaultSeed = 20262;

// The catalogue with `count` data sheets (MinCount to MaxCount), the same for the same
// count and seed. Data-sheet numbers are unique; every key a sheet uses is in its lookup list.
Catalogue generateCatalogue(int count, quint64 seed = DefaultSeed);

} // namespace Demo
