#pragma once

#include "catalogue/lookuplist.h"

#include <QByteArray>

// What the loaded catalogue provides besides its data sheets: the edition of its version
// record and the three lookup tables (Windows-1252 bytes).
struct LoadedCatalogue
{
    QByteArray Edition;
    QByteArray EditionLabel;
    LookupList HerstellerLookup;
    LookupList ZusatzLookup;
    LookupList InfogeberLookup;
};
