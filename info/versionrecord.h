#pragma once

#include <cstdint>

// The version record that the build embeds into an executable (kb_embed_version_record() in
// info/CMakeLists.txt) and GetFileVersionNumbers() reads back: a section of its own in the
// ELF file, beginning with this layout in little-endian byte order. Plain C++ without Qt,
// since the generated source that holds it compiles into any executable.
#define KB_VERSION_RECORD_SECTION ".kb_version"

namespace VersionRecord {

// "KBVERREC" as it lies in the file.
inline constexpr std::uint64_t Magic = 0x434552524556424bull;

struct Header
{
    std::uint64_t magic;
    std::uint32_t recordSize; // header, fixed part and product text
    std::uint32_t fixedSize;  // sizeof(FixedPart), or 0 when the record has no fixed part
};

// As in the fixed part of a Windows version record, each version is two 32-bit halves:
// major << 16 | minor, and release << 16 | build.
struct FixedPart
{
    std::uint32_t fileVersionMS;
    std::uint32_t fileVersionLS;
    std::uint32_t productVersionMS;
    std::uint32_t productVersionLS;
};

// What the build writes.
struct Record
{
    Header header;
    FixedPart fixed;
    char productVersion[64]; // the product version as the build names it, zero-terminated
};

static_assert(sizeof(Header) == 16 && sizeof(FixedPart) == 16 && sizeof(Record) == 96,
              "the layout is part of the file format");

} // namespace VersionRecord
