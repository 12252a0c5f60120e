#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Catalogue and settings texts are Windows-1252 bytes inside the core, so that trimming,
// upper-casing and comparison work byte for byte. These functions convert at the edges
// (widgets, file names, libmdb's UTF-8).
namespace Cp1252 {

// Every byte maps to one character; the five bytes Windows-1252 leaves undefined map to the
// C1 control characters of the same value, so all 256 bytes survive a round trip.
QString toUnicode(QByteArrayView bytes);

// A character with no Windows-1252 form becomes "?".
QByteArray fromUnicode(QStringView text);

QByteArray fromUtf8(QByteArrayView utf8);
QByteArray toUtf8(QByteArrayView bytes);

} // namespace Cp1252
