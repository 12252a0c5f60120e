#pragma once

#include "tools/demo/demogrades.h"

// The grade tables, by process; gradesOf() picks from them. Internal to the generator.
namespace Demo::Grades {

using Chemistry = QList<std::pair<QString, double>>;

// What the common grades are approved for.
QString unalloyedSteels();
QString fineGrainSteels();
QString creepSteels();
QString stainlessSteels();

// C, Si and Mn as given, with the usual low P and S.
Chemistry unalloyed(double c, double si, double mn);

QList<Grade> electrodeBasic();
QList<Grade> electrodeRutile();
QList<Grade> electrodeRutileBasic();
QList<Grade> electrodeCellulosic();
QList<Grade> electrodeHighStrength();
QList<Grade> electrodeCreep();
QList<Grade> electrodeStainless();
QList<Grade> electrodeNickel();
QList<Grade> electrodeHardfacing();

QList<Grade> solidWireUnalloyed();
QList<Grade> solidWireHighStrength();
QList<Grade> solidWireCreep();
QList<Grade> solidWireStainless();
QList<Grade> solidWireAluminium();
QList<Grade> fluxCoredRutile();
QList<Grade> fluxCoredBasic();
QList<Grade> fluxCoredMetal();
QList<Grade> fluxCoredStainless();
QList<Grade> submergedArcUnalloyed();
QList<Grade> submergedArcCreep();
QList<Grade> submergedArcStainless();
QList<Grade> tigUnalloyed();
QList<Grade> tigStainless();
QList<Grade> gasRods();

} // namespace Demo::Grades
