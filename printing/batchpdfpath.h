#pragma once

#include <QByteArrayView>
#include <QString>

// The PDF file the batch print takes for a data sheet: its file name (01234.05 ->
// 01234_05.pdf) in the folder PfadZuPDFDateien (Windows-1252). An absolute folder is taken as
// it is, a relative one below `executableFolder`, so "PDF" gives <executableFolder>/PDF/….
QString batchPdfPath(QByteArrayView PfadZuPDFDateien, QByteArrayView nummer,
                     const QString &executableFolder);
