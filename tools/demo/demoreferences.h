#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>

namespace Demo {

struct Catalogue;

// One of the ten reference documents: the settings key that names it and its file name.
struct ReferenceFile
{
    QByteArrayView settingsKey;
    QString fileName;
};

// The ten, in the order of the viewer's menu.
const QList<ReferenceFile> &referenceFiles();

// Writes the ten reference PDFs into `folder`.
[[nodiscard]] bool writeReferenceDocuments(const Catalogue &catalogue, const QString &folder,
                                           QString *error);

// The writers, one per document.
[[nodiscard]] bool writeCoverSheet(const Catalogue &catalogue, const QString &path, QString *error);
[[nodiscard]] bool writeManufacturerList(const Catalogue &catalogue, const QString &path,
                                         QString *error);
[[nodiscard]] bool writeListByBrand(const Catalogue &catalogue, const QString &path,
                                    QString *error);
[[nodiscard]] bool writeListByManufacturer(const Catalogue &catalogue, const QString &path,
                                           QString *error);
[[nodiscard]] bool writeListByNumber(const Catalogue &catalogue, const QString &path,
                                     QString *error);
[[nodiscard]] bool writeTranslationTable(const Catalogue &catalogue, const QString &path,
                                         QString *error);
[[nodiscard]] bool writeStampList(const Catalogue &catalogue, const QString &path, QString *error);
[[nodiscard]] bool writeSteelGroups(const Catalogue &catalogue, const QString &path,
                                    QString *error);
[[nodiscard]] bool writeFerriticSteels(const Catalogue &catalogue, const QString &path,
                                       QString *error);
[[nodiscard]] bool writeAusteniticSteels(const Catalogue &catalogue, const QString &path,
                                         QString *error);

} // namespace Demo
