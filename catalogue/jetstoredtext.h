#pragma once

#include <QByteArray>
#include <QByteArrayView>

// Texts as Jet 4 stores them (UCS-2, little-endian, or its "compressed" form that starts with
// FF FE) turned straight into the Windows-1252 bytes the core keeps. The result is what
// libmdb's own conversion to UTF-8 followed by Cp1252::fromUtf8 gives, without either step
// (and without depending on libmdb's MDBICONV variable):
// - a UTF-16 unit with a Windows-1252 form gives that byte, any other unit (a surrogate half
//   included) gives "?";
// - the text ends at a U+0000, as libmdb's C strings do, and at an odd last byte;
// - `utf8Limit` caps the text where libmdb's UTF-8 buffer would be full (memo fields).
namespace JetStoredText {

inline constexpr qsizetype NoLimit = -1;

QByteArray toCp1252(QByteArrayView stored, qsizetype utf8Limit = NoLimit);

} // namespace JetStoredText
