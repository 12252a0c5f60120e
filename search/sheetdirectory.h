#pragma once

#include "search/searchindexer.h"

#include <QByteArrayView>
#include <QHash>
#include <QList>
#include <QString>

#include <vector>

class TKennblattListe;
struct LoadedCatalogue;

// The data sheets of the loaded catalogue as the search sees them: each sheet's PDF in the
// PDF folder (the file-name rule of the opening commands), and what a result row shows of it.
class SheetDirectory
{
public:
    struct Sheet
    {
        QString nummer;
        QString marke;
        QString hersteller; // the manufacturer's name, or its key when the name is unknown
        QString path;
        std::vector<qint32> records; // catalogue indices with this file, ascending
        QString file;                // the file's name
        int order = 0;               // its rank by number, the order of the results
    };

    SheetDirectory(const TKennblattListe &catalogue, const LoadedCatalogue &lookups,
                   QByteArrayView pdfFolder);

    QList<SheetFile> files() const;
    // The sheet of a file name; null for a name the catalogue does not know.
    const Sheet *find(const QString &fileName) const;

private:
    QHash<QString, Sheet> m_sheets;
    QList<SheetFile> m_files; // in catalogue order
};
