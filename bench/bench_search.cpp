// The full-text search on the demo catalogue (2,500 data sheets): the index built in the
// background while the search window is shown (with the longest stall of the event loop and
// the memory of the whole build, readers included); a start with nothing changed; the time
// from the last keystroke until the first screen of results is painted, warm and in a fresh
// process, beside `pdfgrep -r` over the same folder; the query work on a synthetic index of
// 100,000 sheets, warm and in a fresh process; and a build over a folder of hostile PDFs.
// Prints figures; asserts nothing.
//   bench_search [DEMO_FOLDER]   (default: the build's demo; written when missing)
#include "catalogue/cataloguedatabase.h"
#include "catalogue/catalogueloader.h"
#include "catalogue/loadedcatalogue.h"
#include "catalogue/tkennblattliste.h"
#include "samples.h"
#include "search/fts5extension.h"
#include "search/searchindex.h"
#include "search/searchqueries.h"
#include "search/searchresultmodel.h"
#include "search/searchwindow.h"
#include "search/sqlitedb.h"
#include "tools/demo/demoinstaller.h"
#include "tools/hostilepdf/hostilepdfs.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLineEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <sys/resource.h>

#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <memory>
#include <thread>

using namespace Qt::StringLiterals;

namespace {

constexpr int DemoCount = 2500;
constexpr int SyntheticCount = 100000;
constexpr int QueryRuns = 20;
constexpr int FreshRuns = 3;
// Between two keys of someone typing briskly.
constexpr int KeyGapMs = 120;
const QString Catalogue = u"bench"_s;
const QStringList Inputs = {u"S355J2"_s, u"Stähle"_s, u"\"Austenitische nichtrostende Stähle\""_s};

TextReading reading()
{
    return {QStringLiteral(KB_TEXTREADER), QStringLiteral(PDF_ENGINE)};
}

double cpuMs(int who)
{
    rusage usage{};
    getrusage(who, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

double elapsedMs(const QElapsedTimer &clock)
{
    return double(clock.nsecsElapsed()) / 1e6;
}

// How late a 10 ms timer fires: the longest time the event loop could not answer.
class StallMeter
{
public:
    StallMeter()
    {
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(IntervalMs);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            const double gap = elapsedMs(m_clock);
            m_clock.restart();
            m_longest = std::max(m_longest, gap - IntervalMs);
            m_over50 += gap - IntervalMs > 50.0;
        });
        m_clock.start();
        m_timer.start();
    }
    double longestMs() const { return m_longest; }
    int over50() const { return m_over50; }

private:
    static constexpr int IntervalMs = 10;
    QTimer m_timer;
    QElapsedTimer m_clock;
    double m_longest = 0.0;
    int m_over50 = 0;
};

// The resident memory of this process and of its children (the readers), sampled every
// 20 ms from /proc; pages shared between them count in each.
class MemoryMeter
{
public:
    MemoryMeter()
        : m_thread([this] {
            while (!m_stop.load()) {
                sample();
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            }
        })
    {
    }
    ~MemoryMeter() { stop(); }
    void stop()
    {
        m_stop.store(true);
        if (m_thread.joinable())
            m_thread.join();
    }
    double peakTotalMb() const { return double(m_peakTotal.load()) / 1e6; }
    double peakSelfMb() const { return double(m_peakSelf.load()) / 1e6; }
    double peakChildMb() const { return double(m_peakChild.load()) / 1e6; }

private:
    static qint64 rss(const QString &pid)
    {
        QFile statm(u"/proc/"_s + pid + u"/statm"_s);
        if (!statm.open(QIODevice::ReadOnly))
            return 0;
        const QList<QByteArray> fields = statm.readAll().split(' ');
        return fields.size() > 1 ? fields[1].toLongLong() * sysconf(_SC_PAGESIZE) : 0;
    }
    void sample()
    {
        const qint64 self = rss(u"self"_s);
        qint64 total = self;
        qint64 largest = 0;
        const QDir tasks(u"/proc/self/task"_s);
        for (const QString &task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            QFile children(tasks.filePath(task + u"/children"_s));
            if (!children.open(QIODevice::ReadOnly))
                continue;
            for (const QByteArray &child : children.readAll().split(' ')) {
                if (child.trimmed().isEmpty())
                    continue;
                const qint64 size = rss(QString::fromLatin1(child.trimmed()));
                total += size;
                largest = std::max(largest, size);
            }
        }
        m_peakSelf.store(std::max(m_peakSelf.load(), self));
        m_peakChild.store(std::max(m_peakChild.load(), largest));
        m_peakTotal.store(std::max(m_peakTotal.load(), total));
    }

    std::atomic_bool m_stop = false;
    std::atomic<qint64> m_peakSelf = 0;
    std::atomic<qint64> m_peakChild = 0;
    std::atomic<qint64> m_peakTotal = 0;
    std::thread m_thread;
};

struct Build
{
    double wallMs = 0.0;
    double cpuMs = 0.0; // this process and the readers
    double stallMs = 0.0;
    int stallsOver50 = 0;
    double peakMb = 0.0;
    IndexSummary summary;
};

// A search window on the catalogue, from its creation until its index is up to date.
Build buildWithWindow(const SheetDirectory &sheets, const QString &path)
{
    Build build;
    StallMeter stalls;
    MemoryMeter memory;
    const double cpu = cpuMs(RUSAGE_SELF) + cpuMs(RUSAGE_CHILDREN);
    QElapsedTimer clock;
    clock.start();
    SearchWindow window(sheets, reading(), path, Catalogue);
    window.show();
    QEventLoop loop;
    QObject::connect(&window, &SearchWindow::indexFinished, &loop,
                     [&](const IndexSummary &summary) {
                         build.summary = summary;
                         loop.quit();
                     });
    loop.exec();
    build.wallMs = elapsedMs(clock);
    build.cpuMs = cpuMs(RUSAGE_SELF) + cpuMs(RUSAGE_CHILDREN) - cpu;
    build.stallMs = stalls.longestMs();
    build.stallsOver50 = stalls.over50();
    memory.stop();
    build.peakMb = memory.peakTotalMb();
    return build;
}

// Closing while the first build runs: how long the window's end waits for the readers.
double closeDuringBuildMs(const SheetDirectory &sheets, const QString &path)
{
    SearchIndex::removeFiles(path);
    auto window = std::make_unique<SearchWindow>(sheets, reading(), path, Catalogue);
    window->show();
    QTest::qWait(1000);
    QElapsedTimer clock;
    clock.start();
    window.reset();
    return elapsedMs(clock);
}

qint64 sizeOnDisk(const QString &path)
{
    return QFileInfo(path).size() + QFileInfo(path + u"-wal"_s).size();
}

// Types `input` into the window's search line as a person does, a key every KeyGapMs, and
// measures from the last key until the table has painted that input's results. The line is
// emptied first.
double typeUntilPainted(SearchWindow &window, const QString &input)
{
    auto *line = window.findChild<QLineEdit *>(u"edtSuche"_s);
    auto *viewport = window.findChild<QTableView *>(u"tvTreffer"_s)->viewport();
    line->clear();
    QTest::qWait(300);
    struct PaintClock : QObject
    {
        QElapsedTimer clock;
        bool armed = false;
        double ms = -1.0;
        QEventLoop loop;
        bool eventFilter(QObject *, QEvent *event) override
        {
            if (armed && event->type() == QEvent::Paint) {
                armed = false;
                // Right after the paint, which runs once this event is handled.
                QTimer::singleShot(0, this, [this] {
                    ms = elapsedMs(clock);
                    loop.quit();
                });
            }
            return false;
        }
    } paint;
    viewport->installEventFilter(&paint);
    const QMetaObject::Connection shown =
        QObject::connect(&window, &SearchWindow::resultsShown, &paint,
                         [&](const QString &text) { paint.armed = text == input; });
    for (qsizetype i = 0; i < input.size(); ++i) {
        if (i > 0)
            QTest::qWait(KeyGapMs);
        // The key's text is what the line takes; umlauts included.
        QTest::sendKeyEvent(QTest::Click, line, Qt::Key_A, QString(input.at(i)), Qt::NoModifier);
        if (i == input.size() - 1)
            paint.clock.start();
    }
    QTimer::singleShot(10000, &paint.loop, &QEventLoop::quit);
    paint.loop.exec();
    QObject::disconnect(shown);
    viewport->removeEventFilter(&paint);
    return paint.ms;
}

// The demo's catalogue and its sheets.
struct DemoCatalogue
{
    TKennblattListe catalogue;
    LoadedCatalogue lookups;
    std::unique_ptr<SheetDirectory> sheets;
};

void loadDemo(DemoCatalogue &demo, const QString &folder)
{
    const QByteArray pdfFolder = folder.toUtf8() + '/';
    CatalogueDatabase database;
    database.SetConnectionString(CatalogueDatabase::ConnectionString(pdfFolder));
    LoadCatalogue(database, demo.catalogue);
    LoadLookups(
        database,
        {demo.lookups.InfogeberLookup, demo.lookups.ZusatzLookup, demo.lookups.HerstellerLookup},
        [](LookupTable, const QByteArray &) {});
    demo.sheets = std::make_unique<SheetDirectory>(demo.catalogue, demo.lookups, pdfFolder);
}

// A catalogue of SyntheticCount sheets, numbered 00000.00 on, for the synthetic index.
std::shared_ptr<const SheetDirectory> syntheticSheets(TKennblattListe &catalogue)
{
    for (int i = 0; i < SyntheticCount; ++i) {
        const QByteArray nummer = QByteArray::number(i / 100) + '.' + QByteArray::number(i % 100);
        catalogue.Add(nummer, "Marke " + QByteArray::number(i), {}, "BOE", "E1", "TN", 1);
    }
    return std::make_shared<const SheetDirectory>(catalogue, LoadedCatalogue(), "/synthetisch/");
}

// The real sheets' texts over and over, each copy with other numbers, so that no two
// documents are alike. False when there are no texts to copy.
bool writeSynthetic(const QString &source, const QString &path, const QList<SheetFile> &files)
{
    QList<QString> texts;
    {
        Sqlite::Connection db(source, false);
        // Reading the texts goes through the index's tokenizer.
        if (!Fts5Extension::registerOn(db.handle()))
            return false;
        Sqlite::Statement rows(db, "SELECT body FROM texts");
        while (rows.step())
            texts.append(rows.text(0));
    }
    if (texts.isEmpty())
        return false;
    bool renewed = false;
    const std::unique_ptr<SearchIndex> index = SearchIndex::open(path, u"synthetisch"_s, &renewed);
    index->begin();
    for (int i = 0; i < files.size(); ++i) {
        const QString copy = QString::number(i / texts.size());
        QString text = texts.at(i % texts.size());
        text.replace(u"Kennblatt-Nr."_s, u"Kennblatt-Nr. "_s + copy);
        index->store(files.at(i).name, {1000 + i, i}, 0, text);
        if (i % 2000 == 1999) {
            index->commit();
            index->begin();
        }
    }
    index->commit();
    index->tidy();
    return true;
}

// From the call to the answer with the first screen (25 rows with their hit info).
double queryMs(SearchQueries &queries, const QString &input, qsizetype *found)
{
    QElapsedTimer clock;
    clock.start();
    QEventLoop loop;
    const QMetaObject::Connection done =
        QObject::connect(&queries, &SearchQueries::searched, &loop, [&](const SearchAnswer &a) {
            *found = qsizetype(a.found.size());
            loop.quit();
        });
    queries.search(input, 25);
    loop.exec();
    QObject::disconnect(done);
    return elapsedMs(clock);
}

// Runs this program again for a measurement in a fresh process; its figures (-1: failed).
QList<double> inFreshProcess(const QStringList &arguments, int figures = 1)
{
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), arguments);
    QList<double> values(figures, -1.0);
    if (!child.waitForFinished(120000) || child.exitCode() != 0)
        return values;
    const QList<QByteArray> words = child.readAllStandardOutput().simplified().split(' ');
    for (qsizetype i = 0; i < figures && i < words.size(); ++i)
        values[i] = words[i].toDouble();
    return values;
}

void printFreshTyping(const QString &folder, const QString &path, const QString &input)
{
    Samples fresh;
    for (int run = 0; run < FreshRuns; ++run)
        fresh.add(inFreshProcess({u"--fresh-typing"_s, folder, path, input}).first());
    std::printf("    fresh process, first search, %-38s %s\n", qPrintable(input),
                qPrintable(fresh.summary("ms", 1)));
}

// `pdfgrep -r`, what a user would do without the index: the wall time and the files found.
void printPdfgrep(const QString &folder, const QString &pattern, qsizetype ours)
{
    QElapsedTimer clock;
    clock.start();
    QProcess grep;
    grep.start(u"pdfgrep"_s, {u"-r"_s, u"-i"_s, u"-l"_s, pattern, folder});
    if (!grep.waitForStarted()) {
        std::printf("    pdfgrep -r: not installed (package pdfgrep)\n");
        return;
    }
    grep.waitForFinished(-1);
    const QList<QByteArray> lines = grep.readAllStandardOutput().split('\n');
    // Data sheets only, not the reference documents or the help.
    const QRegularExpression sheet(u"/\\d{5}_\\d{2}\\.pdf$"_s);
    const auto files = std::count_if(lines.begin(), lines.end(), [&](const QByteArray &line) {
        return sheet.match(QString::fromUtf8(line)).hasMatch();
    });
    std::printf("    pdfgrep -r -i -l %s (one run, the PDFs in the page cache): %.1f s, %lld "
                "data sheets; the search found %lld\n",
                qPrintable(pattern), elapsedMs(clock) / 1000.0, static_cast<long long>(files),
                static_cast<long long>(ours));
}

void printSyntheticQueries(const QString &synthetic,
                           const std::shared_ptr<const SheetDirectory> &sheets)
{
    for (const QString &input : Inputs) {
        qsizetype found = 0;
        SearchQueries queries(sheets);
        queries.setIndexPath(synthetic);
        const double first = queryMs(queries, input, &found);
        Samples warm;
        for (int run = 0; run < QueryRuns; ++run)
            warm.add(queryMs(queries, input, &found));
        Samples cold;
        Samples prepared;
        for (int run = 0; run < FreshRuns; ++run) {
            const QList<double> figures = inFreshProcess({u"--fresh-query"_s, synthetic, input}, 2);
            cold.add(figures[0]);
            prepared.add(figures[1]);
        }
        std::printf("  100,000 sheets, %-38s %6lld found:\n    warm %s\n    first on a new "
                    "connection, this process %.1f ms\n    fresh process, index opened by the "
                    "search itself %s\n    fresh process, index opened beforehand (as the "
                    "window does when it opens) %s\n",
                    qPrintable(input), static_cast<long long>(found),
                    qPrintable(warm.summary("ms", 1)), first, qPrintable(cold.summary("ms", 1)),
                    qPrintable(prepared.summary("ms", 1)));
    }
}

// A folder of hostile PDFs beside a few demo sheets, indexed with the program's limits in a
// fresh process that holds the demo catalogue, as the viewer does.
void printHostileBuild(const QString &demoFolder, const QString &folder)
{
    DemoCatalogue viewer;
    loadDemo(viewer, demoFolder);
    QDir().mkpath(folder);
    QElapsedTimer clock;
    clock.start();
    const bool written = HostilePdfs::writeTextHeavy(folder + u"/textreich.pdf"_s, 20) &&
                         HostilePdfs::writeManyPages(folder + u"/seiten.pdf"_s, 200000) &&
                         HostilePdfs::writeInflatingPage(folder + u"/flut.pdf"_s, 256) &&
                         HostilePdfs::writeDeepNesting(folder + u"/tief.pdf"_s, 50000) &&
                         HostilePdfs::writeUnterminatedStream(folder + u"/offen.pdf"_s);
    if (!written) {
        std::printf("  hostile PDFs: cannot write them to %s\n", qPrintable(folder));
        return;
    }
    QList<SheetFile> files;
    for (const QString &name : QDir(folder).entryList({u"*.pdf"_s}, QDir::Files, QDir::Name))
        files.append({name, folder + u'/' + name});
    const QStringList demo =
        QDir(demoFolder).entryList({u"0*.pdf"_s}, QDir::Files, QDir::Name).mid(0, 20);
    for (const QString &name : demo)
        files.append({name, demoFolder + u'/' + name});
    std::printf("  hostile folder written in %.1f s: a 20 MB text-heavy PDF, one of 200,000 "
                "pages, a page inflating to 256 MB, nesting 50,000 deep, an unterminated "
                "stream, and %lld demo sheets\n",
                elapsedMs(clock) / 1000.0, static_cast<long long>(demo.size()));

    const TextReading limits = reading();
    MemoryMeter memory;
    SearchIndexer indexer(limits);
    QEventLoop loop;
    IndexSummary summary;
    QObject::connect(&indexer, &SearchIndexer::finished, &loop, [&](const IndexSummary &s) {
        summary = s;
        loop.quit();
    });
    clock.restart();
    indexer.start(folder + u"/volltext.sqlite"_s, u"feindlich"_s, files);
    loop.exec();
    memory.stop();
    std::printf("    built in %.1f s (%d readers, limits %lld characters, %d s, %lld MB each); "
                "memory peak: this process %.0f MB, largest reader %.0f MB, all together "
                "%.0f MB\n    read in part: %s\n    not readable: %s\n    failure: %s\n",
                elapsedMs(clock) / 1000.0, limits.limits.processes,
                static_cast<long long>(limits.limits.textChars), limits.limits.timeMs / 1000,
                static_cast<long long>(limits.limits.memoryBytes >> 20), memory.peakSelfMb(),
                memory.peakChildMb(), memory.peakTotalMb(),
                qPrintable(summary.partial.join(u", "_s)),
                qPrintable(summary.unreadable.join(u", "_s)),
                summary.failure.isNull() ? "none" : qPrintable(summary.failure.text));
}

// Child modes, one figure on standard output.
int freshTyping(const QString &folder, const QString &path, const QString &input)
{
    DemoCatalogue demo;
    loadDemo(demo, folder);
    SearchWindow window(*demo.sheets, reading(), path, Catalogue);
    window.show();
    QSignalSpy finished(&window, &SearchWindow::indexFinished);
    if (!finished.wait(60000))
        return 1;
    std::printf("%.2f\n", typeUntilPainted(window, input));
    return 0;
}

// The first search with the index not yet opened, then one on a fresh connection opened
// beforehand.
int freshQuery(const QString &synthetic, const QString &input)
{
    TKennblattListe catalogue;
    const std::shared_ptr<const SheetDirectory> sheets = syntheticSheets(catalogue);
    qsizetype found = 0;
    SearchQueries cold(sheets);
    cold.setIndexPath(synthetic);
    const double coldMs = queryMs(cold, input, &found);
    SearchQueries prepared(sheets);
    prepared.setIndexPath(synthetic);
    QSignalSpy ready(&prepared, &SearchQueries::prepared);
    prepared.prepare();
    if (!ready.wait(60000))
        return 1;
    std::printf("%.2f %.2f\n", coldMs, queryMs(prepared, input, &found));
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    const QStringList arguments = app.arguments();
    if (arguments.value(1) == u"--fresh-typing"_s)
        return freshTyping(arguments.value(2), arguments.value(3), arguments.value(4));
    if (arguments.value(1) == u"--fresh-query"_s)
        return freshQuery(arguments.value(2), arguments.value(3));
    if (arguments.value(1) == u"--hostile-build"_s) {
        printHostileBuild(arguments.value(2), arguments.value(3));
        return 0;
    }

    QElapsedTimer total;
    total.start();
    QString folder = arguments.value(1, QStringLiteral(KB_BUILD_DIR "/demo"));
    QTemporaryDir work;
    if (!Demo::isCompleteDemo(folder)) {
        folder = work.filePath(u"demo"_s);
        std::printf("Writing a demo catalogue of %d sheets to %s ...\n", DemoCount,
                    qPrintable(folder));
        Demo::InstallOptions options;
        options.folder = folder;
        options.count = DemoCount;
        Demo::InstallReport report;
        QString error;
        if (!Demo::installDemo(options, &report, &error)) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 1;
        }
    }
    DemoCatalogue demo;
    loadDemo(demo, folder);
    const SheetDirectory &sheets = *demo.sheets;
    const QString path = work.filePath(u"cache/volltext.sqlite"_s);
    const ReadLimits limits = ReadLimits::forThisMachine();
    std::printf("Full-text search, %d data sheets of %s, %d reader processes\n",
                int(sheets.files().size()), qPrintable(folder), limits.processes);

    Samples wall;
    Samples cpu;
    Samples stall;
    Samples peak;
    int over50 = 0;
    for (int run = 0; run < 2; ++run) {
        SearchIndex::removeFiles(path);
        const Build build = buildWithWindow(sheets, path);
        wall.add(build.wallMs / 1000.0);
        cpu.add(build.cpuMs / 1000.0);
        stall.add(build.stallMs);
        peak.add(build.peakMb);
        over50 += build.stallsOver50;
        if (run == 0)
            std::printf("  first build: %d files read, %d not readable, %d read in part\n",
                        build.summary.read, int(build.summary.unreadable.size()),
                        int(build.summary.partial.size()));
    }
    std::printf("  index build from no index (the PDFs in the page cache), window shown:\n"
                "    wall %s\n    cpu (with the readers) %s\n    longest event-loop stall %s, "
                "stalls over 50 ms: %d\n    memory, this process and the readers together: %s\n",
                qPrintable(wall.summary("s", 2)), qPrintable(cpu.summary("s", 2)),
                qPrintable(stall.summary("ms", 1)), over50, qPrintable(peak.summary("MB", 0)));

    Samples closing;
    for (int run = 0; run < 3; ++run)
        closing.add(closeDuringBuildMs(sheets, path));
    std::printf("  window closed 1 s into a build, until the readers stopped: %s\n",
                qPrintable(closing.summary("ms", 1)));
    SearchIndex::removeFiles(path);
    buildWithWindow(sheets, path);

    Samples unchanged;
    Samples unchangedStall;
    for (int run = 0; run < 5; ++run) {
        const Build build = buildWithWindow(sheets, path);
        unchanged.add(build.wallMs);
        unchangedStall.add(build.stallMs);
    }
    std::printf("  start with nothing changed (warm): %s, longest stall %s\n",
                qPrintable(unchanged.summary("ms", 0)),
                qPrintable(unchangedStall.summary("ms", 1)));
    std::printf("  index size: %.1f MB\n", sizeOnDisk(path) / 1e6);

    std::printf("  last keystroke to first screen painted, 2,500 sheets (typing pause %d ms "
                "included, a key every %d ms):\n",
                SearchWindow::TypingPauseMs, KeyGapMs);
    {
        SearchWindow window(sheets, reading(), path, Catalogue);
        window.resize(900, 600);
        window.show();
        QSignalSpy finished(&window, &SearchWindow::indexFinished);
        finished.wait(60000);
        for (const QString &input : Inputs) {
            Samples warm;
            for (int run = 0; run < 5; ++run)
                warm.add(typeUntilPainted(window, input));
            std::printf("    warm, %-38s %5d found: %s\n", qPrintable(input),
                        window.results().rowCount(), qPrintable(warm.summary("ms", 1)));
        }
        printFreshTyping(folder, path, Inputs.first());
        typeUntilPainted(window, Inputs.first());
        printPdfgrep(folder, Inputs.first(), window.results().rowCount());
    }

    const QString synthetic = work.filePath(u"synthetisch.sqlite"_s);
    TKennblattListe syntheticCatalogue;
    const std::shared_ptr<const SheetDirectory> syntheticDirectory =
        syntheticSheets(syntheticCatalogue);
    QElapsedTimer clock;
    clock.start();
    if (!writeSynthetic(path, synthetic, syntheticDirectory->files())) {
        std::fprintf(stderr, "No texts in the index to copy.\n");
        return 1;
    }
    std::printf("  synthetic index of %d sheets written in %.0f s, %.0f MB; query work until "
                "the first screen (25 rows with hits and excerpts) is known:\n",
                SyntheticCount, double(clock.elapsed()) / 1000.0, sizeOnDisk(synthetic) / 1e6);
    printSyntheticQueries(synthetic, syntheticDirectory);

    QProcess hostile;
    hostile.setProcessChannelMode(QProcess::ForwardedOutputChannel);
    hostile.start(app.applicationFilePath(),
                  {u"--hostile-build"_s, folder, work.filePath(u"feindlich"_s)});
    hostile.waitForFinished(-1);
    std::printf("  (benchmark ran %.0f s)\n", double(total.elapsed()) / 1000.0);
    return 0;
}
