#include "platform/textrules.h"

#include <algorithm>

namespace TextRules {

QByteArrayView trimmed(QByteArrayView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isTrimmed(text[begin]))
        ++begin;
    while (end > begin && isTrimmed(text[end - 1]))
        --end;
    return text.sliced(begin, end - begin);
}

QByteArray upperAscii(QByteArrayView text)
{
    QByteArray result(text.size(), Qt::Uninitialized);
    std::transform(text.begin(), text.end(), result.begin(), [](char c) { return upperAscii(c); });
    return result;
}

int compareUpperAscii(QByteArrayView a, QByteArrayView b)
{
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        const auto x = static_cast<unsigned char>(upperAscii(a[i]));
        const auto y = static_cast<unsigned char>(upperAscii(b[i]));
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool startsWithUpper(QByteArrayView value, QByteArrayView upperNeedle)
{
    if (value.size() < upperNeedle.size())
        return false;
    for (qsizetype i = 0; i < upperNeedle.size(); ++i) {
        if (upperAscii(value[i]) != upperNeedle[i])
            return false;
    }
    return true;
}

bool containsUpper(QByteArrayView value, QByteArrayView upperNeedle)
{
    if (upperNeedle.isEmpty())
        return false;
    const char first = upperNeedle[0];
    const qsizetype last = value.size() - upperNeedle.size();
    for (qsizetype i = 0; i <= last; ++i) {
        if (upperAscii(value[i]) == first && startsWithUpper(value.sliced(i), upperNeedle))
            return true;
    }
    return false;
}

bool equalsUpper(QByteArrayView a, QByteArrayView b)
{
    return a.size() == b.size() && compareUpperAscii(a, b) == 0;
}

bool equalsUpper(QStringView a, QStringView b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](QChar x, QChar y) {
        return upperAscii(x.unicode()) == upperAscii(y.unicode());
    });
}

} // namespace TextRules
