#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <utility>

namespace Demo {

struct Catalogue;
struct DataSheet;

using LabelledLines = QList<std::pair<QString, QString>>;

struct SimpleTable
{
    QStringList header;
    QList<QStringList> rows;
};

// Everything a data sheet's PDF says, worked out from its catalogue row and its grade. The
// invented details (measured values, certificate numbers) depend only on the seed and the
// sheet's number, so sheets come out the same in any order.
struct SheetContent
{
    QString number;
    QString brand;
    QString fluxBrand;
    QString kind;         // "SEB – Stabelektrode, basisch"
    QStringList maker;    // name, street, postcode and city, "Schlüssel: …"
    QString organisation; // "TÜN – Technische Überwachung Nord e. V."
    LabelledLines designations;
    QString application;
    LabelledLines weldingData;
    SimpleTable mechanical; // empty for hardfacing grades
    QString hardness;       // hardfacing grades only
    SimpleTable chemistry;
    LabelledLines approval;
    SimpleTable delivery;
    QString changeNote; // empty when the sheet is unchanged
    bool twoPages = false;
    // On the second page:
    SimpleTable jointTests; // tests of a welded joint; empty for hardfacing grades
    QStringList notes;
};

SheetContent sheetContent(const Catalogue &catalogue, const DataSheet &sheet);

// German number formatting: decimal comma, `decimals` places.
QString germanNumber(double value, int decimals);
// "+20 °C", "0 °C", "−40 °C" (with a real minus sign)
QString temperature(int celsius);

} // namespace Demo
