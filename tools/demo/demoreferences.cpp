#include "tools/demo/demoreferences.h"

#include "documents/referencedocuments.h"
#include "settings/settingskeys.h"
#include "tools/demo/democatalogue.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace Demo {

const QList<ReferenceFile> &referenceFiles()
{
    using namespace SettingsKeys;
    static const QList<ReferenceFile> files = {
        {NamePDFDeckblatt, u"Deckblatt.pdf"_s},
        {NamePDFHerstellerLieferer, u"Hersteller-Lieferer.pdf"_s},
        {NamePDFKennblattListeNachMarke, u"Kennblattliste nach Marke.pdf"_s},
        {NamePDFKennblattListeNachHersteller, u"Kennblattliste nach Hersteller.pdf"_s},
        {NamePDFKennblattListeNachNummer, u"Kennblattliste nach Nummer.pdf"_s},
        {NamePDFUebersetzungstabelle, u"Übersetzungstabelle.pdf"_s},
        {NamePDFPraegeliste, u"Prägeliste.pdf"_s},
        {NamePDFGruppeneinteilungStaehle, u"Gruppeneinteilung Stähle.pdf"_s},
        {NamePDFFerritischeStaehle, u"Ferritische Stähle.pdf"_s},
        {NamePDFAustenitischeStaehle, u"Austenitische Stähle.pdf"_s},
    };
    return files;
}

bool writeReferenceDocuments(const Catalogue &catalogue, const QString &folder, QString *error)
{
    using Writer = bool (*)(const Catalogue &, const QString &, QString *);
    static const Writer writers[] = {
        writeCoverSheet,     writeManufacturerList, writeListByBrand, writeListByManufacturer,
        writeListByNumber,   writeTranslationTable, writeStampList,   writeSteelGroups,
        writeFerriticSteels, writeAusteniticSteels,
    };
    static_assert(std::size(writers) == ReferenceDocuments.size());
    const QDir dir(folder);
    for (qsizetype i = 0; i < referenceFiles().size(); ++i) {
        if (!writers[i](catalogue, dir.filePath(referenceFiles()[i].fileName), error))
            return false;
    }
    return true;
}

} // namespace Demo
