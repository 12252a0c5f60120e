#pragma once

#include <QtGlobal>

// How the index build talks to its reader processes (kb-textreader), which read one data
// sheet at a time with the engine's text extraction.
//
// Started with four arguments: the engine library's path, the text limit in characters, the
// time limit in milliseconds and the memory limit in bytes.
// To the reader: a file's path in the file system's encoding, ended by a zero byte.
// From the reader: frames of a kind byte, the payload's length (4 bytes, little-endian) and
// the payload: Page frames with a page's text (UTF-16, host order), then one End frame with
// the engine's answer (qint32, pages or a PDFViewCommands::Extract... code, host order) and a
// byte of Cut bits. A reader that cannot load the engine ends with NoEngineExitCode.
namespace TextReaderProtocol {

constexpr char Page = 'P';
constexpr char End = 'E';
constexpr qsizetype HeaderSize = 5;
constexpr qsizetype EndPayloadSize = 5;
constexpr int NoEngineExitCode = 65;

// Whether the reader holds itself to its memory limit (RLIMIT_DATA). Not under Address- or
// ThreadSanitizer, which reserve terabytes of shadow memory: a data limit would stop every
// allocation. Only the time limit holds then.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr bool MemoryLimitHolds = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
constexpr bool MemoryLimitHolds = false;
#else
constexpr bool MemoryLimitHolds = true;
#endif
#else
constexpr bool MemoryLimitHolds = true;
#endif

// Why a sheet was read only in part.
enum Cut : quint8 {
    NotCut = 0,
    TextLimit = 1,
    TimeLimit = 2,
    MemoryLimit = 4,
};

} // namespace TextReaderProtocol
