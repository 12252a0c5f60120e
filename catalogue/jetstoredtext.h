#pragma once

#include <QByteArray>
#include <QByteArrayView>

// Texts as Access stores them turned straight into the Windows-1252 bytes the core keeps.
// - Jet 4 stores UCS-2, little-endian, or its "compressed" form that starts with FF FE. The
//   result is what libmdb's own conversion to UTF-8 followed by Cp1252::fromUtf8 gives,
//   without either step (and without depending on libmdb's MDBICONV variable): a UTF-16 unit
//   with a Windows-1252 form gives that byte, any other unit (a surrogate half included)
//   gives "?"; the text ends at an odd last byte.
// - Jet 3 stores one byte per character in the file's code page, Windows-1252 for the
//   catalogue; the bytes are taken as they are (libmdb would turn the five bytes
//   Windows-1252 leaves undefined into "?").
// In both, the text ends at a character 0, as libmdb's C strings do, and `utf8Limit` caps it
// where libmdb's UTF-8 buffer would be full (memo fields).
namespace JetStoredText {

enum class Form { Ucs2, Windows1252 };

inline constexpr qsizetype NoLimit = -1;

// Without a copy where it can be: a Jet 3 text is a view of `stored` itself; a Jet 4 text is
// converted into `buffer` (whose capacity is reused from text to text) and a view of it.
QByteArrayView toCp1252(QByteArrayView stored, Form form, QByteArray &buffer,
                        qsizetype utf8Limit = NoLimit);

QByteArray toCp1252(QByteArrayView stored, Form form, qsizetype utf8Limit = NoLimit);

} // namespace JetStoredText
