#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <stdexcept>

// How much of one data sheet the index build reads at most, and with how many readers.
struct ReadLimits
{
    qsizetype textChars = 2 * 1024 * 1024;
    int timeMs = 10000;
    qint64 memoryBytes = 64 * 1024 * 1024; // of each reader process (RLIMIT_DATA)
    int processes = 2;

    bool operator==(const ReadLimits &) const = default;
    // One reader per core, up to four, sharing 128 MB: a typical sheet needs a few, and the
    // whole build stays within 300 MB with the viewer.
    static ReadLimits forThisMachine();
};

// Where the reader program (kb-textreader) and the engine it reads with are.
struct TextReading
{
    QString program;
    QString engine;
    ReadLimits limits = ReadLimits::forThisMachine();
};

// The reader program could not be started or could not load the engine.
class ReaderStartError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Reads data sheets' text in reader processes, several at once, each sheet within the limits:
// the reader stops a sheet at the text limit or, between pages, at the time limit; a sheet
// still busy a little later, or one that makes the reader die (its memory limit), is
// ended with the reader, which is started anew for the next. Such a sheet counts as read in
// part, with the pages that came before. Lives on one thread, which it blocks while reading
// (a local event loop).
class SheetReaders
{
public:
    struct Result
    {
        qint32 state = 0; // 0 read, else a PDFViewCommands::Extract... code
        bool partial = false;
        QStringList pages;
    };

    explicit SheetReaders(TextReading reading);
    ~SheetReaders();
    SheetReaders(const SheetReaders &) = delete;
    SheetReaders &operator=(const SheetReaders &) = delete;

    // Reads the files; `done` gets each file's index in `paths` and its result, in the order
    // they finish. Returns when all are read, or soon after `stop` answers true. Raises
    // ReaderStartError.
    void read(const QStringList &paths, const std::function<void(qsizetype, Result)> &done,
              const std::function<bool()> &stop);

private:
    struct Run;
    TextReading m_reading;
};
