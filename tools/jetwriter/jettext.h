#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

namespace Jet {

// Appends `text` in Jet 4's text form: "Unicode compression" when that is strictly shorter
// than plain UCS-2LE (or when the text starts with U+FEFF, which plain form would mistake for
// the compression mark), plain UCS-2LE otherwise. An empty text is zero bytes.
// Returns false, appends nothing and explains in `error` when the text cannot be stored so
// that readers get it back: U+0000, characters outside the Basic Multilingual Plane, or a
// leading U+FEFF together with a character whose low byte is zero.
[[nodiscard]] bool appendJetText(QByteArray &out, QStringView text, QString *error);

// Appends `text` in Jet 3's text form: one Windows-1252 byte per character (the file declares
// that code page). Returns false, appends nothing and explains in `error` when a character has
// no Windows-1252 byte (the five bytes Windows-1252 leaves undefined included) or is U+0000.
[[nodiscard]] bool appendJet3Text(QByteArray &out, QStringView text, QString *error);

} // namespace Jet
