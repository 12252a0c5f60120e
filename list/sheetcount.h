#pragma once

#include <QString>

// A number of data sheets in German: "1 Kennblatt", "2.500 Kennblätter", and after "von" or
// "mit" the dative plural, "von 2.500 Kennblättern".
enum class GermanCase { Nominative, Dative };

QString sheetCount(qsizetype count, GermanCase grammaticalCase = GermanCase::Nominative);
