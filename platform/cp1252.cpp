#include "platform/cp1252.h"

#include <algorithm>
#include <array>

namespace {

// Characters for the bytes 0x80 to 0x9F; every other byte is the character of the same value.
constexpr std::array<char16_t, 32> highTable = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, //
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, //
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, //
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char16_t byteToChar(unsigned char b)
{
    return (b >= 0x80 && b < 0xA0) ? highTable[b - 0x80] : char16_t(b);
}

char charToByte(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return char(c);
    for (std::size_t i = 0; i < highTable.size(); ++i) {
        if (highTable[i] == c)
            return char(0x80 + i);
    }
    return '?';
}

} // namespace

namespace Cp1252 {

QString toUnicode(QByteArrayView bytes)
{
    QString result(bytes.size(), Qt::Uninitialized);
    QChar *out = result.data();
    for (char b : bytes)
        *out++ = QChar(byteToChar(static_cast<unsigned char>(b)));
    return result;
}

QByteArray fromUnicode(QStringView text)
{
    QByteArray result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        // A surrogate pair is one character outside Windows-1252: one "?".
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        result.append(charToByte(c.unicode()));
    }
    return result;
}

QByteArray fromUtf8(QByteArrayView utf8)
{
    // Most catalogue texts are plain ASCII, which is the same in both encodings.
    if (std::all_of(utf8.begin(), utf8.end(), [](char c) { return (c & 0x80) == 0; }))
        return utf8.toByteArray();
    return fromUnicode(QString::fromUtf8(utf8));
}

QByteArray toUtf8(QByteArrayView bytes)
{
    return toUnicode(bytes).toUtf8();
}

} // namespace Cp1252
