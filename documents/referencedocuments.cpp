#include "documents/referencedocuments.h"

#include "settings/settingskeys.h"

using namespace Qt::StringLiterals;

const std::array<ReferenceDocument, 10> &referenceDocuments()
{
    static const std::array<ReferenceDocument, 10> documents = {{
        {SettingsKeys::NamePDFDeckblatt, u"mnuDeckblatt"_s, u"&Deckblatt"_s},
        {SettingsKeys::NamePDFHerstellerLieferer, u"mnuHerstellerLieferer"_s,
         u"&Hersteller/Lieferer"_s},
        {SettingsKeys::NamePDFKennblattListeNachMarke, u"mnuKennblattListeNachMarke"_s,
         u"&Kennblattliste (geordn. n. Markenbezeichnung)"_s},
        {SettingsKeys::NamePDFKennblattListeNachHersteller, u"mnuKennblattListeNachHersteller"_s,
         u"K&ennblattliste (geordn. n. Hersteller/Lieferer)"_s},
        {SettingsKeys::NamePDFKennblattListeNachNummer, u"mnuKennblattlisteNachNummer"_s,
         u"Ke&nnblattliste (geordn. n. Nummer)"_s},
        {SettingsKeys::NamePDFUebersetzungstabelle, u"mnuUebersetzungstabelle"_s,
         u"&Übersetzungstabelle"_s},
        {SettingsKeys::NamePDFPraegeliste, u"mnuPraegeliste"_s, u"&Prägeliste"_s},
        {SettingsKeys::NamePDFGruppeneinteilungStaehle, u"mnuGruppeneinteilungStaehle"_s,
         u"&Gruppeneinteilung Stähle (Übersicht)"_s},
        {SettingsKeys::NamePDFFerritischeStaehle, u"mnuFerritischeStaehle"_s,
         u"&Ferritische Stähle (Detail)"_s},
        {SettingsKeys::NamePDFAustenitischeStaehle, u"mnuAustenitischeStaehle"_s,
         u"&Austenitische Stähle (Detail)"_s},
    }};
    return documents;
}
