#include "search/sheetreaders.h"

#include "documents/pdfviewcommands.h"
#include "search/textreaderprotocol.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <QTimer>

#include <csignal>
#include <cstring>
#include <memory>
#include <vector>

using namespace Qt::StringLiterals;
using namespace TextReaderProtocol;

namespace {

// How often the readers are looked at: for `stop` and for sheets over their time.
constexpr int TickMs = 25;
// A reader stops a sheet between pages; one page may take this much longer.
constexpr int GraceMs = 1000;
// Readers that crash before they ever finish a sheet: then something is wrong with them.
constexpr int StartAttempts = 3;

quint32 payloadSize(const QByteArray &buffer)
{
    quint32 size = 0;
    for (int i = 4; i >= 1; --i)
        size = (size << 8) | static_cast<unsigned char>(buffer.at(i));
    return size;
}

bool isCrashOfItsOwn(int signal)
{
    return signal == SIGSEGV || signal == SIGBUS || signal == SIGILL || signal == SIGFPE;
}

} // namespace

struct SheetReaders::Run
{
    struct Reader
    {
        std::unique_ptr<QProcess> process;
        qsizetype file = -1; // being read; -1 while idle
        QByteArray buffer;
        Result result;
        qsizetype chars = 0;
        QElapsedTimer clock;
        bool timedOut = false;
        bool answered = false; // has finished a sheet
        bool retiring = false; // ends after this sheet
    };

    Run(const TextReading &reading, const QStringList &paths,
        const std::function<void(qsizetype, Result)> &done)
        : reading(reading)
        , paths(paths)
        , done(done)
    {
    }

    const TextReading &reading;
    const QStringList &paths;
    const std::function<void(qsizetype, Result)> &done;
    std::vector<Reader> readers;
    QEventLoop loop;
    qsizetype next = 0;
    qsizetype finished = 0;
    int failedStarts = 0;
    QString error;
    std::exception_ptr thrown; // by `done`; raised again once the readers are ended

    void launch(Reader &reader)
    {
        reader = Reader();
        reader.process = std::make_unique<QProcess>();
        QProcess *process = reader.process.get();
        process->setProgram(reading.program);
        process->setArguments({reading.engine, QString::number(reading.limits.textChars),
                               QString::number(reading.limits.timeMs),
                               QString::number(reading.limits.memoryBytes)});
        // Poppler's complaints about damaged files.
        process->setStandardErrorFile(QProcess::nullDevice());
        QObject::connect(process, &QProcess::readyReadStandardOutput, &loop,
                         [this, &reader] { receive(reader); });
        QObject::connect(process, &QProcess::finished, &loop,
                         [this, &reader](int code, QProcess::ExitStatus status) {
                             ended(reader, code, status);
                         });
        QObject::connect(process, &QProcess::errorOccurred, &loop,
                         [this, process](QProcess::ProcessError problem) {
                             if (problem == QProcess::FailedToStart)
                                 fail(reading.program + u": "_s + process->errorString());
                         });
        process->start();
        assign(reader);
    }

    void assign(Reader &reader)
    {
        if (next >= paths.size() || failed() || reader.retiring)
            return;
        reader.file = next++;
        reader.result = Result();
        reader.chars = 0;
        reader.timedOut = false;
        reader.clock.start();
        reader.process->write(QFile::encodeName(paths.at(reader.file)) + '\0');
    }

    void finish(Reader &reader)
    {
        const qsizetype file = std::exchange(reader.file, -1);
        ++finished;
        // Not through the event loop, which does not carry exceptions.
        try {
            done(file, std::move(reader.result));
        } catch (...) {
            thrown = std::current_exception();
            loop.quit();
            return;
        }
        if (finished == paths.size())
            loop.quit();
        else
            assign(reader);
    }

    void receive(Reader &reader)
    {
        reader.buffer += reader.process->readAllStandardOutput();
        while (reader.buffer.size() >= HeaderSize && reader.file >= 0) {
            const quint32 size = payloadSize(reader.buffer);
            if (qint64(size) > qint64(reading.limits.textChars) * 2 + EndPayloadSize) {
                // Not the reader's doing: out of step, ended as if out of time.
                reader.timedOut = true;
                reader.process->kill();
                return;
            }
            if (reader.buffer.size() < HeaderSize + qsizetype(size))
                return;
            const char kind = reader.buffer.at(0);
            const char *payload = reader.buffer.constData() + HeaderSize;
            if (kind == Page) {
                // Held to the limit here too: what comes from a reader is input like any.
                const qsizetype length = std::min<qsizetype>(
                    size / sizeof(char16_t), reading.limits.textChars - reader.chars);
                reader.result.pages.append(
                    QString(reinterpret_cast<const QChar *>(payload), length));
                reader.chars += length;
                reader.result.partial |= length < qsizetype(size / sizeof(char16_t));
            } else if (kind == End && size == EndPayloadSize) {
                qint32 answer = 0;
                std::memcpy(&answer, payload, sizeof answer);
                const auto cut = static_cast<quint8>(payload[sizeof answer]);
                reader.result.partial |= cut != NotCut;
                reader.retiring = (cut & MemoryLimit) != 0;
                reader.answered = true;
                failedStarts = 0;
                reader.result.state = answer < 0 && !reader.result.partial ? answer : 0;
                reader.buffer.remove(0, HeaderSize + size);
                finish(reader);
                continue;
            }
            reader.buffer.remove(0, HeaderSize + size);
        }
    }

    void ended(Reader &reader, int code, QProcess::ExitStatus status)
    {
        // Frames still in the pipe come first.
        receive(reader);
        if (status == QProcess::NormalExit && code != 0) {
            // Never a sheet's doing: the reader cannot work at all.
            fail(code == NoEngineExitCode
                     ? u"%1 kann die PDF-Engine %2 nicht laden"_s.arg(reading.program,
                                                                      reading.engine)
                     : u"%1 endet mit dem Code %2"_s.arg(reading.program).arg(code));
            return;
        }
        const bool ownCrash =
            status == QProcess::CrashExit && !reader.timedOut && isCrashOfItsOwn(code);
        if (ownCrash && !reader.answered && ++failedStarts >= StartAttempts) {
            fail(u"%1 endet gleich nach dem Start (Signal %2)"_s.arg(reading.program).arg(code));
            return;
        }
        reader.retiring = true;
        if (reader.file >= 0) {
            // Killed for its time, or ended by its memory limit (an allocation that failed
            // aborts it): the sheet is too much to read whole. A crash of its own is a
            // damaged file.
            if (ownCrash) {
                reader.result.state = PDFViewCommands::ExtractDamaged;
                reader.result.pages.clear();
            } else {
                reader.result.partial = true;
            }
            finish(reader);
        }
        if (next < paths.size() && !failed()) {
            // Replaced by a new one, which `launch` gives the next sheet.
            QMetaObject::invokeMethod(
                &loop, [this, &reader] { launch(reader); }, Qt::QueuedConnection);
        }
    }

    bool failed() const { return !error.isEmpty() || thrown; }

    void fail(const QString &why)
    {
        if (error.isEmpty())
            error = why;
        loop.quit();
    }

    void checkTimes()
    {
        for (Reader &reader : readers) {
            if (reader.file >= 0 && !reader.timedOut &&
                reader.clock.elapsed() > reading.limits.timeMs + GraceMs) {
                reader.timedOut = true;
                reader.process->kill();
            }
        }
    }
};

ReadLimits ReadLimits::forThisMachine()
{
    ReadLimits limits;
    limits.processes = std::clamp(QThread::idealThreadCount(), 1, 4);
    limits.memoryBytes = 128 * 1024 * 1024 / limits.processes;
    return limits;
}

SheetReaders::SheetReaders(TextReading reading)
    : m_reading(std::move(reading))
{
}

SheetReaders::~SheetReaders() = default;

void SheetReaders::read(const QStringList &paths,
                        const std::function<void(qsizetype, Result)> &done,
                        const std::function<bool()> &stop)
{
    if (paths.isEmpty())
        return;
    Run run(m_reading, paths, done);
    run.readers.resize(
        std::size_t(std::clamp<qsizetype>(m_reading.limits.processes, 1, paths.size())));
    QTimer tick;
    tick.setInterval(TickMs);
    QObject::connect(&tick, &QTimer::timeout, &run.loop, [&] {
        if (stop())
            run.loop.quit();
        else
            run.checkTimes();
    });
    tick.start();
    for (Run::Reader &reader : run.readers)
        run.launch(reader);
    if (!run.failed() && run.finished < paths.size())
        run.loop.exec();
    // Ended at once: a stopped build does not wait for the sheets being read.
    for (Run::Reader &reader : run.readers) {
        if (reader.process) {
            reader.process->disconnect();
            reader.process->kill();
            reader.process->waitForFinished(-1);
        }
    }
    if (run.thrown)
        std::rethrow_exception(run.thrown);
    if (!run.error.isEmpty())
        throw ReaderStartError(run.error.toStdString());
}
