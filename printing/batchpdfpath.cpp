#include "printing/batchpdfpath.h"

#include "catalogue/pdffilename.h"
#include "platform/cp1252.h"

#include <QDir>

QString batchPdfPath(QByteArrayView PfadZuPDFDateien, QByteArrayView nummer,
                     const QString &executableFolder)
{
    QString folder = Cp1252::toUnicode(PfadZuPDFDateien);
    if (QDir::isRelativePath(folder))
        folder = executableFolder + u'/' + folder;
    return folder + u'/' + Cp1252::toUnicode(kennblattPdfFileName(nummer));
}
