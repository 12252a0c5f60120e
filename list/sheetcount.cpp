#include "list/sheetcount.h"

#include <QLocale>

using namespace Qt::StringLiterals;

QString sheetCount(qsizetype count, GermanCase grammaticalCase)
{
    if (count == 1)
        return u"1 Kennblatt"_s;
    // German groups thousands with a point: 2.500.
    return QLocale(QLocale::German).toString(count) +
           (grammaticalCase == GermanCase::Dative ? u" Kennblättern"_s : u" Kennblätter"_s);
}
