// kb-textreader: reads the text of data sheets for the full-text index, one after the other,
// in a process of its own, so that a hostile PDF costs the index build no more than this
// process's limits: the text it passes on, the time per sheet and its memory, which the
// kernel holds it to (RLIMIT_DATA). The index build starts, feeds and ends it
// (textreaderprotocol.h); it is no program for people.
#include "documents/pdfviewcommands.h"
#include "search/textreaderprotocol.h"

#include <QElapsedTimer>
#include <QFile>
#include <QLibrary>

#include <sys/prctl.h>
#include <sys/resource.h>

#include <malloc.h>
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

using namespace TextReaderProtocol;

namespace {

constexpr std::size_t FreeHeapToKeep = 16 * 1024 * 1024;

struct Sheet
{
    qsizetype textLeft = 0;
    qint64 timeLimitMs = 0;
    QElapsedTimer clock;
    std::atomic_bool cancel = false;
    quint8 cut = NotCut;
};

bool writeFrame(char kind, const void *payload, quint32 size)
{
    const unsigned char header[HeaderSize] = {
        static_cast<unsigned char>(kind), static_cast<unsigned char>(size),
        static_cast<unsigned char>(size >> 8), static_cast<unsigned char>(size >> 16),
        static_cast<unsigned char>(size >> 24)};
    return std::fwrite(header, 1, sizeof header, stdout) == sizeof header &&
           std::fwrite(payload, 1, size, stdout) == size;
}

// The engine calls this between pages: the text goes out at once, so that a sheet this
// process does not finish is indexed as far as it got.
void onPage(void *context, int, const char16_t *text, qsizetype length)
{
    auto *sheet = static_cast<Sheet *>(context);
    if (sheet->cancel.load())
        return;
    if (length >= sheet->textLeft) {
        length = sheet->textLeft;
        sheet->cut |= TextLimit;
    }
    sheet->textLeft -= length;
    if (!writeFrame(Page, text, quint32(length * qsizetype(sizeof(char16_t)))))
        std::exit(EXIT_FAILURE); // the index build is gone
    if (sheet->clock.elapsed() >= sheet->timeLimitMs)
        sheet->cut |= TimeLimit;
    if (sheet->cut != NotCut)
        sheet->cancel.store(true);
}

bool readRequest(std::string &path)
{
    path.clear();
    for (int c = std::getchar(); c != EOF; c = std::getchar()) {
        if (c == '\0')
            return true;
        path.push_back(char(c));
    }
    return false;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 5)
        return EXIT_FAILURE;
    // Ends with the index build, however that ends.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() == 1)
        return EXIT_FAILURE;
    const qsizetype textLimit = std::strtoll(argv[2], nullptr, 10);
    const qint64 timeLimitMs = std::strtoll(argv[3], nullptr, 10);
    const rlim_t memoryLimit = std::strtoull(argv[4], nullptr, 10);
    const rlimit memory{memoryLimit, memoryLimit};
    if (textLimit <= 0 || timeLimitMs <= 0 ||
        (MemoryLimitHolds && setrlimit(RLIMIT_DATA, &memory) != 0))
        return EXIT_FAILURE;

    QLibrary library(QFile::decodeName(argv[1]));
    const auto entry = reinterpret_cast<PDFViewCommands::EntryPoint>(
        library.resolve(PDFViewCommands::EntryPointName));
    const PDFViewCommands::EngineDescriptor *engine = entry != nullptr ? entry() : nullptr;
    if (engine == nullptr || engine->abiVersion != PDFViewCommands::AbiVersion ||
        engine->extractText == nullptr)
        return NoEngineExitCode;

    std::string path;
    while (readRequest(path)) {
        Sheet sheet;
        sheet.textLeft = textLimit;
        sheet.timeLimitMs = timeLimitMs;
        sheet.clock.start();
        qint32 answer = PDFViewCommands::ExtractCancelled;
        try {
            answer = engine->extractText(path.c_str(), onPage, &sheet, &sheet.cancel);
        } catch (const std::bad_alloc &) {
            sheet.cut |= MemoryLimit;
        }
        unsigned char end[EndPayloadSize];
        std::memcpy(end, &answer, sizeof answer);
        end[sizeof answer] = sheet.cut;
        if (!writeFrame(End, end, sizeof end) || std::fflush(stdout) != 0)
            return EXIT_FAILURE;
        // After a failed allocation nothing inside is to be trusted: the next reader is new.
        if (sheet.cut & MemoryLimit)
            return EXIT_SUCCESS;
        // Memory a large sheet took goes back to the system rather than staying with this
        // process for the small ones; trimming after every sheet would cost more than reading.
        if (mallinfo2().fordblks > FreeHeapToKeep)
            malloc_trim(0);
    }
    return EXIT_SUCCESS;
}
