#include "search/sheetdirectory.h"

#include "catalogue/loadedcatalogue.h"
#include "catalogue/pdffilename.h"
#include "catalogue/tkennblattliste.h"
#include "platform/cp1252.h"
#include "settings/programsettings.h"

#include <algorithm>

SheetDirectory::SheetDirectory(const TKennblattListe &catalogue, const LoadedCatalogue &lookups,
                               QByteArrayView pdfFolder)
{
    for (qint32 record = 0; record < catalogue.Count(); ++record) {
        const TKennblatt &k = catalogue.Get(record);
        const QByteArray fileName = kennblattPdfFileName(k.nummerView());
        const QString name = Cp1252::toUnicode(fileName);
        auto sheet = m_sheets.find(name);
        if (sheet == m_sheets.end()) {
            const QByteArray maker = lookups.HerstellerLookup.NameOf(k.HerstLiefSchl);
            sheet =
                m_sheets.insert(name, {Cp1252::toUnicode(k.nummerView()),
                                       Cp1252::toUnicode(k.Marke),
                                       Cp1252::toUnicode(maker.isEmpty() ? k.HerstLiefSchl : maker),
                                       joinPath(pdfFolder, fileName),
                                       {},
                                       name,
                                       0});
            m_files.append({name, sheet->path});
        }
        sheet->records.push_back(record);
    }
    // Results are listed as the main list lists at first: by number.
    std::vector<Sheet *> byNumber;
    byNumber.reserve(std::size_t(m_sheets.size()));
    for (Sheet &sheet : m_sheets)
        byNumber.push_back(&sheet);
    std::sort(byNumber.begin(), byNumber.end(),
              [](const Sheet *a, const Sheet *b) { return a->nummer < b->nummer; });
    for (std::size_t rank = 0; rank < byNumber.size(); ++rank)
        byNumber[rank]->order = int(rank);
}

QList<SheetFile> SheetDirectory::files() const
{
    return m_files;
}

const SheetDirectory::Sheet *SheetDirectory::find(const QString &fileName) const
{
    const auto sheet = m_sheets.constFind(fileName);
    return sheet == m_sheets.constEnd() ? nullptr : &*sheet;
}
