#include "tools/demo/demogrades.h"

#include "tools/demo/demodata.h"
#include "tools/demo/demonames.h"

#include <QHash>

using namespace Qt::StringLiterals;

namespace Demo {

namespace {

// The group of grades.json a kind of consumable draws its grades from.
QString groupOf(const ConsumableKind &kind)
{
    using enum Process;
    using enum Material;
    switch (kind.process) {
    case Electrode:
        switch (kind.material) {
        case HighStrength:
            return u"electrodeHighStrength"_s;
        case CreepResistant:
            return u"electrodeCreep"_s;
        case Stainless:
            return u"electrodeStainless"_s;
        case Nickel:
            return u"electrodeNickel"_s;
        case Hardfacing:
            return u"electrodeHardfacing"_s;
        case Unalloyed:
        case Aluminium:
            break;
        }
        switch (kind.coating) {
        case Coating::Rutile:
            return u"electrodeRutile"_s;
        case Coating::RutileBasic:
            return u"electrodeRutileBasic"_s;
        case Coating::Cellulosic:
            return u"electrodeCellulosic"_s;
        default:
            return u"electrodeBasic"_s;
        }
    case SolidWire:
        switch (kind.material) {
        case HighStrength:
            return u"solidWireHighStrength"_s;
        case CreepResistant:
            return u"solidWireCreep"_s;
        case Stainless:
        case Nickel:
            return u"solidWireStainless"_s;
        case Aluminium:
            return u"solidWireAluminium"_s;
        default:
            return u"solidWireUnalloyed"_s;
        }
    case FluxCored:
        if (kind.material == Stainless)
            return u"fluxCoredStainless"_s;
        if (kind.coating == Coating::Basic)
            return u"fluxCoredBasic"_s;
        return kind.coating == Coating::MetalPowder ? u"fluxCoredMetal"_s : u"fluxCoredRutile"_s;
    case SubmergedArc:
        if (kind.material == CreepResistant)
            return u"submergedArcCreep"_s;
        return kind.material == Stainless ? u"submergedArcStainless"_s : u"submergedArcUnalloyed"_s;
    case Tig:
        return kind.material == Stainless ? u"tigStainless"_s : u"tigUnalloyed"_s;
    case Gas:
        return u"gasRods"_s;
    }
    return u"electrodeBasic"_s;
}

QList<std::pair<QString, QString>> textPairs(const Data::Value &list)
{
    QList<std::pair<QString, QString>> result;
    for (const Data::Value &item : list.items()) {
        const QList<Data::Value> pair = item.items(2);
        result.append({pair[0].text(), pair[1].text()});
    }
    return result;
}

// One grade; `texts` are the shared texts its fields may name as {{placeholders}}.
Grade readGrade(const Data::Record &record, const Data::Values &texts)
{
    Grade grade;
    const Data::Value brand = record.value(u"brand");
    grade.brandPattern = brand.text();
    if (!grade.brandPattern.contains(u"%1"_s))
        brand.fail(u"the brand has no %1 for the stem"_s);
    grade.designations = textPairs(record.value(u"designations"));
    if (const auto value = record.optional(u"yield"))
        grade.yieldMin = value->integer();
    if (const auto value = record.optional(u"tensile")) {
        const QList<Data::Value> range = value->items(2);
        grade.tensileMin = range[0].integer();
        grade.tensileMax = range[1].integer();
    }
    if (const auto value = record.optional(u"elongation"))
        grade.elongationMin = value->integer();
    if (const auto value = record.optional(u"impacts")) {
        for (const Data::Value &item : value->items()) {
            const QList<Data::Value> impact = item.items(2);
            grade.impacts.append({impact[0].integer(), impact[1].integer()});
        }
    }
    for (const Data::Value &item : record.value(u"chemistry").items()) {
        const QList<Data::Value> element = item.items(2);
        grade.chemistry.append({element[0].text(), element[1].number()});
    }
    if (const auto value = record.optional(u"hardness"))
        grade.hardness = value->text();
    if (const auto value = record.optional(u"shielding"))
        grade.shielding = value->text();
    grade.baseMaterials = record.value(u"approvedFor").text(texts);
    if (const auto value = record.optional(u"stressRelieved"))
        grade.stressRelieved = value->truth();
    record.finish();
    return grade;
}

// Every group of grades.json, checked against the kinds: each kind finds a group that is
// not empty, and no group is left that no kind uses.
QHash<QString, QList<Grade>> loadGrades()
{
    const Data::Record file = Data::record(u"grades.json"_s);
    Data::Values texts;
    const Data::Record shared = file.value(u"texts").record();
    for (const QString &key : shared.keys())
        texts.insert(key, shared.value(key).text());
    const Data::Record groups = file.value(u"groups").record();
    file.finish();

    QHash<QString, QList<Grade>> result;
    for (const ConsumableKind &kind : Names::consumableKinds()) {
        const QString group = groupOf(kind);
        if (result.contains(group))
            continue;
        const QList<Data::Value> records = groups.value(group).items();
        if (records.isEmpty())
            throw Data::Error(u"grades.json: groups.%1 has no grades"_s.arg(group));
        for (const Data::Value &record : records)
            result[group].append(readGrade(record.record(), texts));
    }
    groups.finish();
    return result;
}

} // namespace

const QList<Grade> &gradesOf(const ConsumableKind &kind)
{
    static const QHash<QString, QList<Grade>> grades = loadGrades();
    const auto found = grades.constFind(groupOf(kind));
    if (found == grades.cend())
        throw Data::Error(u"grades.json: no grades for the kind %1"_s.arg(kind.key));
    return *found;
}

} // namespace Demo
