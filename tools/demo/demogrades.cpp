#include "tools/demo/demogrades.h"

#include "tools/demo/demogradetables.h"

using namespace Qt::StringLiterals;

namespace Demo {

namespace Grades {

QString unalloyedSteels()
{
    return u"Unlegierte Baustähle S235 bis S355, Kesselbleche P235GH bis P355GH, Rohrstähle "
           u"L245 bis L360"_s;
}

QString fineGrainSteels()
{
    return u"Feinkornbaustähle S460N bis S690QL, vergütete Baustähle gleicher Festigkeit"_s;
}

QString creepSteels()
{
    return u"Warmfeste Stähle 16Mo3, 13CrMo4-5, 10CrMo9-10 und gleichartige Stahlguss-Sorten"_s;
}

QString stainlessSteels()
{
    return u"Austenitische nichtrostende Stähle 1.4301, 1.4306, 1.4541, 1.4401, 1.4404, 1.4571"_s;
}

Chemistry unalloyed(double c, double si, double mn)
{
    return {{u"C"_s, c}, {u"Si"_s, si}, {u"Mn"_s, mn}, {u"P"_s, 0.012}, {u"S"_s, 0.010}};
}

} // namespace Grades

const QList<Grade> &gradesOf(const ConsumableKind &kind)
{
    using namespace Grades;
    using enum Process;
    using enum Material;
    static const QList<Grade> eBasic = electrodeBasic(), eRutile = electrodeRutile(),
                              eRutileBasic = electrodeRutileBasic(),
                              eCellulosic = electrodeCellulosic(), eHigh = electrodeHighStrength(),
                              eCreep = electrodeCreep(), eStainless = electrodeStainless(),
                              eNickel = electrodeNickel(), eHard = electrodeHardfacing(),
                              swUnalloyed = solidWireUnalloyed(), swHigh = solidWireHighStrength(),
                              swCreep = solidWireCreep(), swStainless = solidWireStainless(),
                              swAluminium = solidWireAluminium(), fcRutile = fluxCoredRutile(),
                              fcBasic = fluxCoredBasic(), fcMetal = fluxCoredMetal(),
                              fcStainless = fluxCoredStainless(),
                              sawUnalloyed = submergedArcUnalloyed(),
                              sawCreep = submergedArcCreep(),
                              sawStainless = submergedArcStainless(), tig = tigUnalloyed(),
                              tigInox = tigStainless(), gas = gasRods();

    switch (kind.process) {
    case Electrode:
        switch (kind.material) {
        case HighStrength:
            return eHigh;
        case CreepResistant:
            return eCreep;
        case Stainless:
            return eStainless;
        case Nickel:
            return eNickel;
        case Hardfacing:
            return eHard;
        case Unalloyed:
        case Aluminium:
            break;
        }
        switch (kind.coating) {
        case Coating::Rutile:
            return eRutile;
        case Coating::RutileBasic:
            return eRutileBasic;
        case Coating::Cellulosic:
            return eCellulosic;
        default:
            return eBasic;
        }
    case SolidWire:
        switch (kind.material) {
        case HighStrength:
            return swHigh;
        case CreepResistant:
            return swCreep;
        case Stainless:
        case Nickel:
            return swStainless;
        case Aluminium:
            return swAluminium;
        default:
            return swUnalloyed;
        }
    case FluxCored:
        if (kind.material == Stainless)
            return fcStainless;
        if (kind.coating == Coating::Basic)
            return fcBasic;
        return kind.coating == Coating::MetalPowder ? fcMetal : fcRutile;
    case SubmergedArc:
        if (kind.material == CreepResistant)
            return sawCreep;
        return kind.material == Stainless ? sawStainless : sawUnalloyed;
    case Tig:
        return kind.material == Stainless ? tigInox : tig;
    case Gas:
        return gas;
    }
    return eBasic;
}

} // namespace Demo
