#include "catalogue/jetcolumns.h"

#include "catalogue/jetbytes.h"

#include <algorithm>
#include <bitset>
#include <utility>
#include <vector>

namespace JetColumns {

namespace {

constexpr quint8 FixedLengthFlag = 0x01;
constexpr int MaxColumnNumber = 255; // libmdb reads the number's low byte
constexpr int MaxTextCharacters = 255;

using JetBytes::u16;

// The fixed length of a type, 0 for a variable one, -1 for a code neither format knows.
int fixedLength(quint8 type)
{
    switch (type) {
    case Boolean:
    case Byte:
        return 1;
    case Integer:
        return 2;
    case Long:
    case Single:
        return 4;
    case Money:
    case Double:
    case DateTime:
        return 8;
    case Guid:
        return 16;
    case Numeric:
        return 17;
    case Binary:
    case Text:
    case Ole:
    case Memo:
        return 0;
    default:
        return -1;
    }
}

bool lengthFits(const JetFormat &format, quint8 type, int length)
{
    if (type == Boolean) // Access writes 1, Jackcess 0; a yes/no value takes no bytes
        return length <= 1;
    if (type == Text) {
        const int bytesPerCharacter = format.textIsUcs2 ? 2 : 1;
        return length >= bytesPerCharacter && length <= MaxTextCharacters * bytesPerCharacter;
    }
    const int fixed = fixedLength(type);
    return fixed <= 0 || length == fixed;
}

} // namespace

bool areSound(const JetFormat &format, const Counts &counts, QByteArrayView entries)
{
    if (entries.size() != qsizetype(counts.columns) * format.columnEntrySize)
        return false;
    const JetFormat::ColumnEntry &at = format.entry;
    std::bitset<MaxColumnNumber + 1> numbers;
    std::vector<bool> variableIndexes(std::size_t(counts.variableColumns), false);
    std::vector<std::pair<int, int>> fixedAreas; // offset and length of each fixed column
    for (int i = 0; i < counts.columns; ++i) {
        const auto *entry =
            reinterpret_cast<const unsigned char *>(entries.data()) + i * format.columnEntrySize;
        const quint8 type = entry[0];
        const int number = u16(entry + at.number);
        const int length = u16(entry + at.length);
        const int fixed = fixedLength(type);
        const bool flaggedFixed = entry[at.flags] & FixedLengthFlag;
        if (number >= counts.numberLimit || number > MaxColumnNumber || numbers[number] ||
            fixed < 0 || flaggedFixed != (fixed > 0) || !lengthFits(format, type, length))
            return false;
        numbers[number] = true;
        if (!flaggedFixed) {
            const int index = u16(entry + at.varIndex);
            if (index >= counts.variableColumns || variableIndexes[std::size_t(index)])
                return false;
            variableIndexes[std::size_t(index)] = true;
        } else if (type != Boolean) {
            fixedAreas.emplace_back(u16(entry + at.fixedOffset), length);
        }
    }
    std::sort(fixedAreas.begin(), fixedAreas.end());
    for (std::size_t i = 1; i < fixedAreas.size(); ++i) {
        if (fixedAreas[i - 1].first + fixedAreas[i - 1].second > fixedAreas[i].first)
            return false;
    }
    return true;
}

} // namespace JetColumns
