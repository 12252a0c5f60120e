#include "tools/demo/demonames.h"

#include "platform/cp1252.h"
#include "tools/demo/demodata.h"

#include <QHash>
#include <QSet>

#include <array>

using namespace Qt::StringLiterals;

namespace Demo::Names {

namespace {

// How often each kind of consumable and each organisation occurs, relative to the others:
// settings of the generator rather than vocabulary, so they stay here, by key.
const QHash<QString, int> &weights()
{
    static const QHash<QString, int> table = {
        {u"SEB"_s, 14}, {u"SER"_s, 12}, {u"SeRB"_s, 5}, {u"SEZ"_s, 3},   {u"SEH"_s, 4},
        {u"SEW"_s, 5},  {u"SEA"_s, 7},  {u"SENi"_s, 2}, {u"AUF"_s, 2},   {u"MAG"_s, 12},
        {u"MAGh"_s, 3}, {u"MAGw"_s, 3}, {u"MIG"_s, 5},  {u"MIGAl"_s, 3}, {u"FÜD"_s, 6},
        {u"FÜB"_s, 2},  {u"FÜM"_s, 3},  {u"FÜN"_s, 3},  {u"UP"_s, 8},    {u"UPw"_s, 2},
        {u"UPN"_s, 2},  {u"WIG"_s, 4},  {u"WIGn"_s, 3}, {u"GAS"_s, 1},   {u"TÜN"_s, 30},
        {u"TÜS"_s, 28}, {u"SVR"_s, 16}, {u"EPM"_s, 10}, {u"MPO"_s, 10},  {u"Lsr"_s, 6},
    };
    return table;
}

int weightOf(const Data::Row &row, const QString &key)
{
    const auto weight = weights().constFind(key);
    if (weight == weights().cend())
        row.fail(u"the generator has no weight for the key \"%1\""_s.arg(key));
    return *weight;
}

// Keys become lookup keys of the database: at most ten Windows-1252 characters, and no two
// that the viewer's case-blind lookup would take for one.
QString checkedKey(const Data::Row &row, QSet<QString> &seen)
{
    const QString key = row.text(u"key");
    if (key.isEmpty() || key.size() > 10 || Cp1252::toUnicode(Cp1252::fromUnicode(key)) != key)
        row.fail(u"the key \"%1\" is not 1 to 10 Windows-1252 characters"_s.arg(key));
    if (seen.contains(key.toCaseFolded()))
        row.fail(u"the key \"%1\" differs from an earlier one only in letter case"_s.arg(key));
    seen.insert(key.toCaseFolded());
    return key;
}

} // namespace

const QList<Manufacturer> &manufacturers()
{
    static const QList<Manufacturer> list = [] {
        QList<Manufacturer> result;
        QSet<QString> keys;
        const Data::Table table =
            Data::table(u"manufacturers.csv"_s,
                        {u"key"_s, u"name"_s, u"street"_s, u"postcode"_s, u"city"_s, u"stems"_s});
        for (const Data::Row &row : table.rows) {
            result.append({checkedKey(row, keys), row.text(u"name"), row.text(u"street"),
                           row.text(u"postcode"), row.text(u"city"), row.words(u"stems")});
        }
        return result;
    }();
    return list;
}

const QList<ConsumableKind> &consumableKinds()
{
    static const QList<ConsumableKind> list = [] {
        using enum Process;
        using enum Material;
        QList<ConsumableKind> result;
        QSet<QString> keys;
        const Data::Table table = Data::table(
            u"kinds.csv"_s, {u"key"_s, u"name"_s, u"process"_s, u"material"_s, u"coating"_s});
        for (const Data::Row &row : table.rows) {
            ConsumableKind kind;
            kind.key = checkedKey(row, keys);
            kind.name = row.text(u"name");
            kind.process = row.choice<Process>(u"process", {{u"Electrode", Electrode},
                                                            {u"SolidWire", SolidWire},
                                                            {u"FluxCored", FluxCored},
                                                            {u"SubmergedArc", SubmergedArc},
                                                            {u"Tig", Tig},
                                                            {u"Gas", Gas}});
            kind.material = row.choice<Material>(u"material", {{u"Unalloyed", Unalloyed},
                                                               {u"HighStrength", HighStrength},
                                                               {u"CreepResistant", CreepResistant},
                                                               {u"Stainless", Stainless},
                                                               {u"Nickel", Nickel},
                                                               {u"Aluminium", Aluminium},
                                                               {u"Hardfacing", Hardfacing}});
            kind.coating =
                row.choice<Coating>(u"coating", {{u"None", Coating::None},
                                                 {u"Basic", Coating::Basic},
                                                 {u"Rutile", Coating::Rutile},
                                                 {u"RutileBasic", Coating::RutileBasic},
                                                 {u"Cellulosic", Coating::Cellulosic},
                                                 {u"MetalPowder", Coating::MetalPowder}});
            kind.weight = weightOf(row, kind.key);
            result.append(kind);
        }
        return result;
    }();
    return list;
}

const QList<Organisation> &organisations()
{
    static const QList<Organisation> list = [] {
        QList<Organisation> result;
        QSet<QString> keys;
        const Data::Table table =
            Data::table(u"organisations.csv"_s, {u"key"_s, u"name"_s, u"city"_s});
        for (const Data::Row &row : table.rows) {
            const QString key = checkedKey(row, keys);
            weightOf(row, key);
            result.append({key, row.text(u"name"), row.text(u"city")});
        }
        return result;
    }();
    return list;
}

const QList<int> &organisationWeights()
{
    static const QList<int> list = [] {
        QList<int> result;
        for (const Organisation &o : organisations())
            result.append(weights().value(o.key));
        return result;
    }();
    return list;
}

Edition edition()
{
    return {u"2026"_s, u"2"_s, u"Ausgabe Herbst 2026"_s};
}

const QStringList &words(Words list)
{
    static constexpr std::pair<QStringView, Words> names[] = {
        {u"StemPrefix", Words::StemPrefix},
        {u"StemSuffix", Words::StemSuffix},
        {u"FluxStem", Words::FluxStem},
        {u"StampColour", Words::StampColour},
        {u"ApprovalScope", Words::ApprovalScope}};
    static const std::array<QStringList, std::size(names)> lists = [] {
        std::array<QStringList, std::size(names)> result;
        const Data::Table table = Data::table(u"vocabulary.csv"_s, {u"list"_s, u"text"_s});
        for (const Data::Row &row : table.rows)
            result[std::size_t(row.choice(u"list", names))].append(row.text(u"text"));
        for (const auto &[name, which] : names) {
            if (result[std::size_t(which)].isEmpty())
                throw Data::Error(u"vocabulary.csv: no words in the list %1"_s.arg(name));
        }
        return result;
    }();
    return lists[std::size_t(list)];
}

} // namespace Demo::Names
