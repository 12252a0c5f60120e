// The full-text search on the demo catalogue (2,500 data sheets): the index built in the
// background while the search window is shown, with the longest stall of the event loop
// meanwhile; a start with nothing changed; searches for a word and a three-word phrase on
// it and on a synthetic index of 100,000 sheets; the index's size. Prints figures; asserts
// nothing.
//   bench_search [DEMO_FOLDER]   (default: the build's demo; written when missing)
#include "catalogue/cataloguedatabase.h"
#include "catalogue/catalogueloader.h"
#include "catalogue/loadedcatalogue.h"
#include "catalogue/tkennblattliste.h"
#include "documents/pdfviewcommands.h"
#include "documents/pdfviewlibrary.h"
#include "documents/search/fts5extension.h"
#include "documents/search/searchindex.h"
#include "documents/search/searchquery.h"
#include "documents/search/searchwindow.h"
#include "documents/search/sqlitedb.h"
#include "samples.h"
#include "silentdialogs.h"
#include "tools/demo/demoinstaller.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>

#include <sys/resource.h>

#include <memory>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

constexpr int DemoCount = 2500;
constexpr int SyntheticCount = 100000;
constexpr int QueryRuns = 20;

double cpuMs()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
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
            const double gap = double(m_clock.nsecsElapsed()) / 1e6;
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

struct Build
{
    double wallMs = 0.0;
    double cpuMs = 0.0;
    double stallMs = 0.0;
    int stallsOver50 = 0;
    IndexSummary summary;
};

// A search window on the catalogue, from its creation until its index is up to date.
Build buildWithWindow(const SheetDirectory &sheets, PDFViewCommands::TextExtraction extract,
                      const QString &path)
{
    Build build;
    StallMeter stalls;
    const double cpu = cpuMs();
    QElapsedTimer clock;
    clock.start();
    SearchWindow window(sheets, extract, path, u"bench"_s);
    window.show();
    QEventLoop loop;
    QObject::connect(&window, &SearchWindow::indexFinished, &loop,
                     [&](const IndexSummary &summary) {
                         build.summary = summary;
                         loop.quit();
                     });
    loop.exec();
    build.wallMs = double(clock.nsecsElapsed()) / 1e6;
    build.cpuMs = cpuMs() - cpu;
    build.stallMs = stalls.longestMs();
    build.stallsOver50 = stalls.over50();
    return build;
}

// Closing while the first build runs: how long the window's end waits for the readers.
double closeDuringBuildMs(const SheetDirectory &sheets, PDFViewCommands::TextExtraction extract,
                          const QString &path)
{
    SearchIndex::removeFiles(path);
    auto window = std::make_unique<SearchWindow>(sheets, extract, path, u"bench"_s);
    window->show();
    QEventLoop loop;
    QTimer::singleShot(1000, &loop, &QEventLoop::quit);
    loop.exec();
    QElapsedTimer clock;
    clock.start();
    window.reset();
    return double(clock.nsecsElapsed()) / 1e6;
}

qint64 sizeOnDisk(const QString &path)
{
    return QFileInfo(path).size() + QFileInfo(path + u"-wal"_s).size();
}

// The first search on a freshly opened index (SQLite's own cache empty, the file in the
// system's page cache) and the warm ones after it.
void printQueries(const QString &path, const char *label)
{
    const QStringList inputs = {u"S355J2"_s, u"Stähle"_s,
                                u"\"Austenitische nichtrostende Stähle\""_s};
    for (const QString &input : inputs) {
        const std::unique_ptr<SearchIndex> index = SearchIndex::openForSearching(path);
        const QString expression = SearchQuery::matchExpression(input);
        Samples warm;
        double first = 0.0;
        qsizetype found = 0;
        for (int run = 0; run <= QueryRuns; ++run) {
            QElapsedTimer clock;
            clock.start();
            found = index->search(expression).size();
            const double ms = double(clock.nsecsElapsed()) / 1e6;
            if (run == 0)
                first = ms;
            else
                warm.add(ms);
        }
        std::printf("  %s, %-40s %6lld found: first %.2f ms, warm %s\n", label, qPrintable(input),
                    static_cast<long long>(found), first, qPrintable(warm.summary("ms", 2)));
    }
}

// The real sheets' texts over and over, each copy with other numbers, so that no two
// documents are alike. False when there are no texts to copy.
bool writeSynthetic(const QString &source, const QString &path)
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
    for (int i = 0; i < SyntheticCount; ++i) {
        const QString copy = QString::number(i / texts.size());
        QString text = texts.at(i % texts.size());
        text.replace(u"Kennblatt-Nr."_s, u"Kennblatt-Nr. "_s + copy);
        index->store(u"%1.pdf"_s.arg(i, 6, 10, QChar(u'0')), {1000 + i, i}, 0, text);
        if (i % 2000 == 1999) {
            index->commit();
            index->begin();
        }
    }
    index->commit();
    index->tidy();
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    QString folder = app.arguments().value(1, QStringLiteral(KB_BUILD_DIR "/demo"));
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
    SilentDialogs dialogs;
    if (!PDFViewLibrary::load(QStringLiteral(PDF_ENGINE), dialogs))
        return 1;
    const PDFViewCommands::TextExtraction extract = PDFViewLibrary::descriptor()->extractText;

    const QByteArray pdfFolder = folder.toUtf8() + '/';
    TKennblattListe catalogue;
    LoadedCatalogue lookups;
    CatalogueDatabase database;
    database.SetConnectionString(CatalogueDatabase::ConnectionString(pdfFolder));
    LoadCatalogue(database, catalogue);
    LoadLookups(database, {lookups.InfogeberLookup, lookups.ZusatzLookup, lookups.HerstellerLookup},
                [](LookupTable, const QByteArray &) {});
    const SheetDirectory sheets(catalogue, lookups, pdfFolder);
    const QString path = work.filePath(u"cache/volltext.sqlite"_s);
    std::printf("Full-text search, %d data sheets of %s, %d threads reading\n",
                int(sheets.files().size()), qPrintable(folder), QThread::idealThreadCount());

    Samples wall;
    Samples cpu;
    Samples stall;
    int over50 = 0;
    for (int run = 0; run < 3; ++run) {
        SearchIndex::removeFiles(path);
        const Build build = buildWithWindow(sheets, extract, path);
        wall.add(build.wallMs / 1000.0);
        cpu.add(build.cpuMs / 1000.0);
        stall.add(build.stallMs);
        over50 += build.stallsOver50;
        if (run == 0)
            std::printf("  first build: %d files read, %d not readable\n", build.summary.read,
                        int(build.summary.unreadable.size()));
    }
    std::printf("  index build from no index (the PDFs in the page cache), window shown:\n"
                "    wall %s\n    cpu  %s\n    longest event-loop stall %s, stalls over "
                "50 ms: %d\n",
                qPrintable(wall.summary("s", 2)), qPrintable(cpu.summary("s", 2)),
                qPrintable(stall.summary("ms", 1)), over50);

    Samples closing;
    for (int run = 0; run < 5; ++run)
        closing.add(closeDuringBuildMs(sheets, extract, path));
    std::printf("  window closed 1 s into a build, until the readers stopped: %s\n",
                qPrintable(closing.summary("ms", 1)));
    SearchIndex::removeFiles(path);
    buildWithWindow(sheets, extract, path);

    Samples unchanged;
    Samples unchangedStall;
    for (int run = 0; run < 10; ++run) {
        const Build build = buildWithWindow(sheets, extract, path);
        unchanged.add(build.wallMs);
        unchangedStall.add(build.stallMs);
    }
    std::printf("  start with nothing changed (warm): %s, longest stall %s\n",
                qPrintable(unchanged.summary("ms", 0)),
                qPrintable(unchangedStall.summary("ms", 1)));
    std::printf("  index size: %.1f MB\n", sizeOnDisk(path) / 1e6);
    printQueries(path, "2,500 sheets");

    const QString synthetic = work.filePath(u"synthetisch.sqlite"_s);
    QElapsedTimer clock;
    clock.start();
    if (!writeSynthetic(path, synthetic)) {
        std::fprintf(stderr, "No texts in the index to copy.\n");
        return 1;
    }
    std::printf("  synthetic index of %d sheets written in %.0f s, %.0f MB\n", SyntheticCount,
                double(clock.elapsed()) / 1000.0, sizeOnDisk(synthetic) / 1e6);
    printQueries(synthetic, "100,000 sheets");
    return 0;
}
