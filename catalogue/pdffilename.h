#pragma once

#include <QByteArray>
#include <QByteArrayView>

// The PDF file of a data sheet: its number text with the first "." replaced by "_", then
// ".pdf" (01234.05 -> 01234_05.pdf).
QByteArray kennblattPdfFileName(QByteArrayView nummer);
