#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QStringView>

#include <type_traits>

// The text rules of the catalogue list and the settings file. Texts are Windows-1252 bytes; every
// rule works on bytes, so umlauts are never case-folded.
namespace TextRules {

constexpr bool isTrimmed(char c)
{
    return static_cast<unsigned char>(c) <= 32;
}

// Upper-cases a to z only; works on bytes and on UTF-16 code units alike.
template<typename Char>
requires std::is_integral_v<Char>
constexpr Char upperAscii(Char c)
{
    return (c >= 'a' && c <= 'z') ? Char(c - 'a' + 'A') : c;
}

// Removes leading and trailing bytes with codes 0 to 32.
QByteArrayView trimmed(QByteArrayView text);
// Upper-cases a to z only.
QByteArray upperAscii(QByteArrayView text);
// Byte-wise comparison of unsigned bytes of both texts upper-cased by the ASCII rule, without
// copying them; a prefix is smaller than the longer text. Returns -1, 0 or 1.
int compareUpperAscii(QByteArrayView a, QByteArrayView b);
// Whether the upper-cased value begins with the (already upper-cased) needle.
bool startsWithUpper(QByteArrayView value, QByteArrayView upperNeedle);
// Whether the (already upper-cased) needle occurs in the upper-cased value; an empty
// needle is never found.
bool containsUpper(QByteArrayView value, QByteArrayView upperNeedle);
// Whether both texts are equal once upper-cased by the ASCII rule.
bool equalsUpper(QByteArrayView a, QByteArrayView b);
bool equalsUpper(QStringView a, QStringView b);

} // namespace TextRules
