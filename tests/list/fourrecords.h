#pragma once

#include "catalogue/tkennblattliste.h"

// Four records whose catalogue order is deliberately not number order, with two "fox" brands
// of different letter case, shared keys and both change flags.
inline void addFourRecords(TKennblattListe &catalogue)
{
    catalogue.Add("30.1", "Fox EV 50", "", "H1", "Z1", "T1", 2);
    catalogue.Add("10.2", "Thermanit", "Flux 1", "H2", "Z1", "T2", 1);
    catalogue.Add("20.3", "fox 2", "", "H1", "Z2", "T1", 1);
    catalogue.Add("12.0", "Union", "", "H3", "Z2", "T3", 2);
}
