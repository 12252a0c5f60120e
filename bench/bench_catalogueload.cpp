// Loading the catalogue table "Verzeichnis" of 100,000 and 200,000 data sheets as the program
// does at start-up, against mdb-export of the same table. What the user waits for is the first
// load in a fresh process, so both are timed as whole processes, run after run; the load's
// own time inside its process and, labelled as such, a warm figure (best of several loads in
// one process, freed memory reused) are given beside it.
#include "benchcatalogue.h"
#include "samples.h"

#include "catalogue/cataloguedatabase.h"
#include "catalogue/catalogueloader.h"
#include "catalogue/tkennblattliste.h"
#include "platform/cp1252.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

constexpr int Runs = 7;

// One load; returns the milliseconds and the number of data sheets.
double loadOnce(const QString &folder, qint32 &count)
{
    QElapsedTimer timer;
    timer.start();
    CatalogueDatabase database;
    database.SetConnectionString(CatalogueDatabase::ConnectionString(Cp1252::fromUnicode(folder)));
    TKennblattListe catalogue;
    LoadCatalogue(database, catalogue);
    count = catalogue.Count();
    return double(timer.nsecsElapsed()) / 1e6;
}

// As a child: one load in this fresh process; prints its time and the peak memory.
int runAsLoader(const QString &folder)
{
    qint32 count = 0;
    const double ms = loadOnce(folder, count);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("%d %.3f %ld\n", count, ms, usage.ru_maxrss);
    return count > 0 ? 0 : 1;
}

double timeProcess(const QString &program, const QStringList &arguments, QByteArray *output)
{
    QProcess process;
    if (!output)
        process.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer timer;
    timer.start();
    process.start(program, arguments);
    if (!process.waitForFinished(-1) || process.exitCode() != 0)
        return -1;
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    if (output)
        *output = process.readAllStandardOutput();
    return ms;
}

void report(int count, const QString &folder)
{
    const QString file = folder + u'/' + BenchCatalogue::fileName();
    const QString self = QCoreApplication::applicationFilePath();
    Samples process;
    Samples inside;
    Samples exported;
    double peakMiB = 0;
    for (int run = 0; run < Runs; ++run) {
        QByteArray output;
        process.add(timeProcess(self, {u"--load"_s, folder}, &output));
        const QList<QByteArray> fields = output.trimmed().split(' ');
        if (fields.size() == 3) {
            inside.add(fields[1].toDouble());
            peakMiB = fields[2].toDouble() / 1024;
        }
        exported.add(timeProcess(u"mdb-export"_s, {file, u"Verzeichnis"_s}, nullptr));
    }
    Samples warm;
    for (int run = 0; run < 5; ++run) {
        qint32 loaded = 0;
        warm.add(loadOnce(folder, loaded));
    }
    std::printf("%d data sheets (%.1f MB file)\n", count, double(QFile(file).size()) / 1e6);
    std::printf("  load, whole process               %s\n", qPrintable(process.summary("ms")));
    std::printf("  mdb-export, whole process         %s\n", qPrintable(exported.summary("ms")));
    std::printf("  ratio of the medians              %8.2f\n",
                process.median() / exported.median());
    std::printf("  load inside its fresh process     %s\n", qPrintable(inside.summary("ms")));
    std::printf("  load, warm (same process again)   %s\n", qPrintable(warm.summary("ms")));
    std::printf("  peak memory of the load process   %8.1f MiB\n", peakMiB);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (const int status = BenchCatalogue::runAsWriter(arguments); status >= 0)
        return status;
    if (arguments.size() == 3 && arguments[1] == u"--load"_s)
        return runAsLoader(arguments[2]);

    std::printf("Loading the catalogue table; a fresh process every run\n");
    for (const int count : {100'000, 200'000}) {
        QTemporaryDir folder;
        if (!BenchCatalogue::writeCatalogue(folder.path(), count))
            return 1;
        report(count, folder.path());
        std::fflush(stdout);
    }
    return 0;
}
