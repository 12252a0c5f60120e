#include "tools/demo/democatalogue.h"

#include "catalogue/pdffilename.h"
#include "tools/demo/demogrades.h"
#include "tools/demo/demonames.h"
#include "tools/demo/demorandom.h"

#include <QSet>

#include <algorithm>
#include <stdexcept>

using namespace Qt::StringLiterals;

namespace Demo {

QString DataSheet::number() const
{
    return u"%1.%2"_s.arg(mainNumber, 5, 10, QChar(u'0')).arg(subNumber, 2, 10, QChar(u'0'));
}

QString DataSheet::pdfFileName() const
{
    return QString::fromLatin1(kennblattPdfFileName(number().toLatin1()));
}

namespace {

// Brand stems for the manufacturers that have none of their own, one to three each, none
// used twice.
void inventStems(QList<Manufacturer> &manufacturers, DemoRandom &random)
{
    QSet<QString> used;
    for (const Manufacturer &m : std::as_const(manufacturers))
        for (const QString &stem : m.stems)
            used.insert(stem);
    const QStringList &prefixes = Names::words(Names::Words::StemPrefix);
    const QStringList &suffixes = Names::words(Names::Words::StemSuffix);
    for (Manufacturer &m : manufacturers) {
        const int wanted = random.between(1, 3);
        for (int tries = 0; m.stems.size() < wanted && tries < 50; ++tries) {
            const QString stem = random.pick(prefixes) + random.pick(suffixes);
            if (!used.contains(stem)) {
                used.insert(stem);
                m.stems.append(stem);
            }
        }
    }
}

// The kinds a manufacturer offers: specialists by what their names say, the others a
// random selection.
QList<int> offeredKinds(const Manufacturer &m, const QList<ConsumableKind> &kinds,
                        DemoRandom &random)
{
    const auto byMaterial = [&kinds](std::initializer_list<Material> materials) {
        QList<int> result;
        for (int i = 0; i < kinds.size(); ++i)
            if (std::find(materials.begin(), materials.end(), kinds[i].material) != materials.end())
                result.append(i);
        return result;
    };
    if (m.key == u"ALW"_s)
        return byMaterial({Material::Aluminium});
    if (m.key == u"ALP"_s || m.key == u"BOD"_s)
        return byMaterial({Material::Stainless, Material::Nickel});
    if (m.key == u"NIC"_s)
        return byMaterial({Material::Nickel, Material::Stainless});
    if (m.key == u"DUR"_s)
        return byMaterial({Material::Hardfacing});
    if (m.key == u"CHR"_s)
        return byMaterial({Material::CreepResistant, Material::Stainless});
    if (m.key == u"NOR"_s) {
        QList<int> result;
        for (int i = 0; i < kinds.size(); ++i)
            if (kinds[i].process == Process::FluxCored)
                result.append(i);
        return result;
    }
    QList<int> all;
    for (int i = 0; i < kinds.size(); ++i)
        all.append(i);
    random.shuffle(all);
    QList<int> chosen = all.mid(0, random.between(6, int(kinds.size()) - 4));
    std::sort(chosen.begin(), chosen.end());
    return chosen;
}

QString fluxBrand(const Manufacturer &m, Material material, DemoRandom &random)
{
    static const QStringList unalloyedTypes = {u"FB"_s, u"AB"_s, u"AR"_s, u"MS"_s};
    const QStringList &stems = Names::words(Names::Words::FluxStem);
    const QString type = material == Material::Stainless        ? u"Cr"_s
                         : material == Material::CreepResistant ? u"FB"_s
                                                                : random.pick(unalloyedTypes);
    switch (random.below(3)) {
    case 0:
        return u"%1 %2 %3"_s.arg(random.pick(stems)).arg(random.between(10, 99) * 10).arg(type);
    case 1:
        return u"%1 UP-Pulver %2 %3"_s.arg(random.pick(m.stems))
            .arg(random.between(10, 80))
            .arg(type);
    default:
        return u"Schweißpulver %1 %2.%3"_s.arg(type)
            .arg(random.between(10, 19))
            .arg(random.between(10, 99));
    }
}

// How many sheets one main number has: mostly one, sometimes a family of variants.
int subCount(DemoRandom &random)
{
    static const QList<int> counts = {1, 2, 3, 4, 5, 6, 8, 12};
    static const QList<int> weights = {55, 20, 10, 6, 4, 2, 2, 1};
    return counts[random.weighted(weights)];
}

// `count` distinct main numbers in increasing order, spread over a range with gaps as a
// catalogue grown over decades has (selection sampling, so no number is drawn twice).
QList<int> mainNumbers(int count, DemoRandom &random)
{
    const int first = random.between(100, 400);
    const int range = std::min(99999 - first + 1, std::max(count, count * 6));
    QList<int> numbers;
    numbers.reserve(count);
    for (int n = 0; n < range && numbers.size() < count; ++n) {
        const int needed = count - int(numbers.size());
        if (random.below(range - n) < needed)
            numbers.append(first + n);
    }
    return numbers;
}

} // namespace

Catalogue generateCatalogue(int count, quint64 seed)
{
    if (count < MinCount || count > MaxCount)
        throw std::invalid_argument("data-sheet count out of range");
    DemoRandom random(seed);
    Catalogue catalogue;
    catalogue.seed = seed;
    catalogue.edition = Names::edition();
    catalogue.manufacturers = Names::manufacturers();
    catalogue.kinds = Names::consumableKinds();
    catalogue.organisations = Names::organisations();
    inventStems(catalogue.manufacturers, random);

    // A few large manufacturers and many small ones, which ones differs with the seed.
    QList<int> manufacturerWeights;
    {
        QList<int> ranks;
        for (int i = 0; i < catalogue.manufacturers.size(); ++i)
            ranks.append(i);
        random.shuffle(ranks);
        for (int rank : std::as_const(ranks))
            manufacturerWeights.append(1000 / (rank + 3));
    }
    QList<QList<int>> offers;
    for (const Manufacturer &m : std::as_const(catalogue.manufacturers))
        offers.append(offeredKinds(m, catalogue.kinds, random));
    const QList<int> organisationWeights = Names::organisationWeights();

    // Families of sheets that share a main number; the last one is cut to fit the count.
    QList<int> families;
    for (int total = 0; total < count;) {
        const int n = std::min(subCount(random), count - total);
        families.append(n);
        total += n;
    }
    const QList<int> mains = mainNumbers(int(families.size()), random);
    if (mains.size() < families.size())
        throw std::invalid_argument("more data sheets than five-digit numbers allow");

    catalogue.sheets.reserve(count);
    for (qsizetype f = 0; f < families.size(); ++f) {
        const int manufacturer = random.weighted(manufacturerWeights);
        const Manufacturer &m = catalogue.manufacturers[manufacturer];
        const QList<int> &offer = offers[manufacturer];
        QList<int> kindWeights;
        for (int k : offer)
            kindWeights.append(catalogue.kinds[k].weight);
        const int kind = offer[random.weighted(kindWeights)];
        const ConsumableKind &kindInfo = catalogue.kinds[kind];
        const QList<Grade> &grades = gradesOf(kindInfo);
        const int grade = random.below(int(grades.size()));
        const QString brand = grades[grade].brandPattern.arg(random.pick(m.stems));
        const int organisation = random.weighted(organisationWeights);

        int sub = 0;
        for (int i = 0; i < families[f]; ++i) {
            DataSheet sheet;
            sheet.mainNumber = mains[f];
            sheet.subNumber = sub;
            sheet.brand = brand;
            sheet.manufacturer = manufacturer;
            sheet.kind = kind;
            sheet.grade = grade;
            // Variants are mostly re-approvals by the same organisation, sometimes another.
            sheet.organisation =
                random.chance(0.8) ? organisation : random.weighted(organisationWeights);
            if (kindInfo.process == Process::SubmergedArc)
                sheet.fluxBrand = fluxBrand(m, kindInfo.material, random);
            sheet.changed = random.chance(0.15);
            catalogue.sheets.append(sheet);
            // Withdrawn variants leave gaps in the sub numbers.
            sub += random.chance(0.1) ? 2 : 1;
        }
    }
    // The table's order is the order the sheets were entered, not their numbers.
    random.shuffle(catalogue.sheets);
    return catalogue;
}

} // namespace Demo
