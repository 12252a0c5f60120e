#pragma once

#include <QByteArrayView>
#include <QtGlobal>

// Sections, keys and defaults of the settings file, in one place. The sections of the
// window-state operations are formed from control names and live with those operations.
namespace SettingsKeys {

// The installation's configuration; the program never writes it.
inline constexpr QByteArrayView Einstellungen = "Einstellungen";
// The user's view state, written when the main window closes.
inline constexpr QByteArrayView View = "View";

// Section "Einstellungen". The default of both folders is the executable's folder
// (ProgramSettings' defaultFolder()); it is known only at run time.
inline constexpr QByteArrayView PfadZuMDEDatei = "PfadZuMDEDatei";
inline constexpr QByteArrayView PfadZuPDFDateien = "PfadZuPDFDateien";
inline constexpr QByteArrayView TimerSplash = "TimerSplash";
inline constexpr qint32 TimerSplashDefault = 500;
inline constexpr QByteArrayView FilterImmerAlsTeilString = "FilterImmerAlsTeilString";
inline constexpr qint32 FilterImmerAlsTeilStringDefault = 0;

// The file names of the reference documents, in the order of their menu items; a missing
// key means no document (default empty).
inline constexpr QByteArrayView NamePDFDeckblatt = "NamePDFDeckblatt";
inline constexpr QByteArrayView NamePDFHerstellerLieferer = "NamePDFHerstellerLieferer";
inline constexpr QByteArrayView NamePDFKennblattListeNachMarke = "NamePDFKennblattListeNachMarke";
inline constexpr QByteArrayView NamePDFKennblattListeNachHersteller =
    "NamePDFKennblattListeNachHersteller";
inline constexpr QByteArrayView NamePDFKennblattListeNachNummer = "NamePDFKennblattListeNachNummer";
inline constexpr QByteArrayView NamePDFUebersetzungstabelle = "NamePDFUebersetzungstabelle";
inline constexpr QByteArrayView NamePDFPraegeliste = "NamePDFPraegeliste";
inline constexpr QByteArrayView NamePDFGruppeneinteilungStaehle = "NamePDFGruppeneinteilungStaehle";
inline constexpr QByteArrayView NamePDFFerritischeStaehle = "NamePDFFerritischeStaehle";
inline constexpr QByteArrayView NamePDFAustenitischeStaehle = "NamePDFAustenitischeStaehle";

// Section "View": item numbers of combo boxes, counted from 0; -1 is no selection.
inline constexpr QByteArrayView LetzteDruckliste = "LetzteDruckliste";
inline constexpr QByteArrayView Aenderungsfilter = "Aenderungsfilter";
inline constexpr QByteArrayView TUEOfilter = "TUEOfilter";
inline constexpr QByteArrayView Zusatzfilter = "Zusatzfilter";
inline constexpr QByteArrayView Herstellerfilter = "Herstellerfilter";
// The default of every "View" key: the first item.
inline constexpr qint32 ViewItemDefault = 0;

} // namespace SettingsKeys
