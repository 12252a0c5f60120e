#pragma once

#include "tools/demo/democatalogue.h"

#include <QList>
#include <QString>

#include <utility>

// The grades a kind of consumable comes in: how a brand of that grade is named, its standard
// designations and the properties of its weld metal. The brand and the data sheet of a
// data sheet come from the same grade, so they agree.
namespace Demo {

struct Impact
{
    int temperature; // °C
    int minimum;     // J
};

struct Grade
{
    QString brandPattern;                            // "%1" stands for the brand stem
    QList<std::pair<QString, QString>> designations; // standard, designation
    int yieldMin = 0;                                // N/mm²; 0: not tested (hardfacing)
    int tensileMin = 0;
    int tensileMax = 0;
    int elongationMin = 0; // %
    QList<Impact> impacts;
    QList<std::pair<QString, double>> chemistry; // element, typical mass %
    QString hardness;                            // hardfacing only
    QString shielding;                           // shielding gas or flux, where one is used
    QString baseMaterials;                       // what it is approved for
    bool stressRelieved = false;                 // tested also after stress relieving
};

// The grades of one kind (never empty), from grades.json.
const QList<Grade> &gradesOf(const ConsumableKind &kind);

} // namespace Demo
