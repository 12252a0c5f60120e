#include "catalogue/pdffilename.h"

QByteArray kennblattPdfFileName(QByteArrayView nummer)
{
    QByteArray name = nummer.toByteArray();
    const qsizetype dot = name.indexOf('.');
    if (dot >= 0)
        name[dot] = '_';
    return name.append(".pdf");
}
