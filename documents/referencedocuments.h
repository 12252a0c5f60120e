#pragma once

#include "settings/settingskeys.h"

#include <QStringView>

#include <array>

// The reference documents of the menu "&Kennblatt Pilvo", in menu order: the settings key
// that names each file, the menu item and its caption.
struct ReferenceDocument
{
    QByteArrayView settingsKey;
    QStringView menuItem;
    QStringView caption;
};

inline constexpr std::array ReferenceDocuments = {
    ReferenceDocument{SettingsKeys::NamePDFDeckblatt, u"mnuDeckblatt", u"&Deckblatt"},
    ReferenceDocument{SettingsKeys::NamePDFHerstellerLieferer, u"mnuHerstellerLieferer",
                      u"&Hersteller/Lieferer"},
    ReferenceDocument{SettingsKeys::NamePDFKennblattListeNachMarke, u"mnuKennblattListeNachMarke",
                      u"&Kennblattliste (geordn. n. Markenbezeichnung)"},
    ReferenceDocument{SettingsKeys::NamePDFKennblattListeNachHersteller,
                      u"mnuKennblattListeNachHersteller",
                      u"K&ennblattliste (geordn. n. Hersteller/Lieferer)"},
    ReferenceDocument{SettingsKeys::NamePDFKennblattListeNachNummer, u"mnuKennblattlisteNachNummer",
                      u"Ke&nnblattliste (geordn. n. Nummer)"},
    ReferenceDocument{SettingsKeys::NamePDFUebersetzungstabelle, u"mnuUebersetzungstabelle",
                      u"&Übersetzungstabelle"},
    ReferenceDocument{SettingsKeys::NamePDFPraegeliste, u"mnuPraegeliste", u"&Prägeliste"},
    ReferenceDocument{SettingsKeys::NamePDFGruppeneinteilungStaehle, u"mnuGruppeneinteilungStaehle",
                      u"&Gruppeneinteilung Stähle (Übersicht)"},
    ReferenceDocument{SettingsKeys::NamePDFFerritischeStaehle, u"mnuFerritischeStaehle",
                      u"&Ferritische Stähle (Detail)"},
    ReferenceDocument{SettingsKeys::NamePDFAustenitischeStaehle, u"mnuAustenitischeStaehle",
                      u"&Austenitische Stähle (Detail)"},
};
static_assert(ReferenceDocuments.size() == SettingsKeys::NamePDFKeys.size());
