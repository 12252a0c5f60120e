#include "tools/jetwriter/headerpage.h"

#include "tools/jetwriter/jetformat.h"

#include <array>
#include <cstring>
#include <utility>

namespace Jet {

namespace {

// Readers "decrypt" this block of page 0 with RC4 under a fixed key before they read the
// database key and password from it, so it has to be stored masked: all-zero plain bytes
// would decode to a non-zero database key, and readers would then try to decrypt every page.
constexpr int MaskedOffset = 0x18;
constexpr int MaskedSizeJet3 = 126;
constexpr int MaskedSizeJet4 = 128;
constexpr std::array<unsigned char, 4> MaskKey = {0xC7, 0xDA, 0x39, 0x6B};

// RC4 is an XOR with a keystream, so the same call masks and unmasks.
void rc4(char *data, int size)
{
    std::array<unsigned char, 256> s;
    for (int i = 0; i < 256; ++i)
        s[i] = static_cast<unsigned char>(i);
    for (int i = 0, j = 0; i < 256; ++i) {
        j = (j + s[i] + MaskKey[i % MaskKey.size()]) & 0xFF;
        std::swap(s[i], s[j]);
    }
    for (int n = 0, i = 0, j = 0; n < size; ++n) {
        i = (i + 1) & 0xFF;
        j = (j + s[i]) & 0xFF;
        std::swap(s[i], s[j]);
        data[n] = char(static_cast<unsigned char>(data[n]) ^ s[(s[i] + s[j]) & 0xFF]);
    }
}

} // namespace

void writeHeaderPage(char *page, const Format::Traits &traits)
{
    using namespace Format;
    putU8(page, quint8(PageHeader));
    putU8(page + 1, 1);
    std::memcpy(page + 0x04, "Standard Jet DB", 16);
    putU8(page + 0x14, traits.versionByte);

    // Plain contents of the masked block. Left zero: the database key at 0x3E (no
    // encryption), the password at 0x42 (empty; in Jet 4 its mask derives from the creation
    // date at 0x72, also zero, which keeps the file the same from run to run).
    static constexpr unsigned char AccessPreamble[24] = {
        0x00, 0x01, 0x00, 0x00, 0x01, 0x01, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00,
        0x03, 0x00, 0x00, 0x00, 0x04, 0x00, 0x00, 0x00, 0x05, 0x00, 0x00, 0x00,
    };
    std::memcpy(page + MaskedOffset, AccessPreamble, sizeof AccessPreamble);
    constexpr quint16 GeneralSortOrder = 0x0409;
    putU16(page + 0x3C, 1252); // code page of Jet 3 texts; Jet 4 readers ignore it
    if (traits.isJet3()) {
        putU16(page + 0x3A, GeneralSortOrder);
        rc4(page + MaskedOffset, MaskedSizeJet3);
    } else {
        putU32(page + 0x6E, GeneralSortOrder);
        rc4(page + MaskedOffset, MaskedSizeJet4);
    }
}

} // namespace Jet
