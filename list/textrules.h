#pragma once

#include <QByteArray>
#include <QByteArrayView>

// The text rules of the catalogue list. Texts are Windows-1252 bytes; every rule works on
// bytes, so umlauts are never case-folded.
namespace TextRules {

constexpr bool isTrimmed(char c)
{
    return static_cast<unsigned char>(c) <= 32;
}

constexpr char upperAscii(char c)
{
    return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c;
}

// Removes leading and trailing bytes with codes 0 to 32.
QByteArrayView trimmed(QByteArrayView text);
// Upper-cases a to z only.
QByteArray upperAscii(QByteArrayView text);
// Byte-wise comparison of unsigned bytes; a prefix is smaller than the longer text.
// Returns a negative number, zero or a positive number.
int compareBytes(QByteArrayView a, QByteArrayView b);
// compareBytes of both texts upper-cased by the ASCII rule, without copying them.
int compareUpperAscii(QByteArrayView a, QByteArrayView b);
// Whether the upper-cased value begins with the (already upper-cased) needle.
bool startsWithUpper(QByteArrayView value, QByteArrayView upperNeedle);
// Whether the (already upper-cased) needle occurs in the upper-cased value; an empty
// needle is never found.
bool containsUpper(QByteArrayView value, QByteArrayView upperNeedle);
// Whether both texts are equal once upper-cased by the ASCII rule.
bool equalsUpper(QByteArrayView a, QByteArrayView b);

} // namespace TextRules
