// Loading the catalogue table "Verzeichnis" of 2,500, 100,000 and 200,000 data sheets (or the
// counts given as arguments) as the program does at start-up, against mdb-export of the same table.
// What the user waits for is the first load in a fresh process, so both are timed as whole
// processes, run after run; the load's own time inside its process and, labelled as such, a warm
// figure (best of several loads in one process, freed memory reused) are given beside it.
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

#include <algorithm>
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

// Every record as loaded, one line each, for comparing two builds of the loader:
// bench_catalogueload --write-only <folder> <count>, then --dump <folder> with each.
int dump(const QString &folder)
{
    CatalogueDatabase database;
    database.SetConnectionString(CatalogueDatabase::ConnectionString(Cp1252::fromUnicode(folder)));
    TKennblattListe catalogue;
    LoadCatalogue(database, catalogue);
    for (qint32 index = 0; index < catalogue.Count(); ++index) {
        const TKennblatt &sheet = catalogue.Get(index);
        const QByteArray line = QList<QByteArray>{sheet.GetNummer(),
                                                  sheet.Marke,
                                                  sheet.Pulvermarke,
                                                  sheet.HerstLiefSchl,
                                                  sheet.ZusatzSchl,
                                                  sheet.InfoGeberSchl,
                                                  QByteArray::number(sheet.AenderungsFlag)}
                                    .join('\t');
        std::fwrite(line.constData(), 1, std::size_t(line.size()), stdout);
        std::fputc('\n', stdout);
    }
    return 0;
}

// CPU time (user and system) of the children waited for so far, in ms.
double childrenCpuMs()
{
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    const auto ms = [](const timeval &t) {
        return double(t.tv_sec) * 1e3 + double(t.tv_usec) / 1e3;
    };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

struct ProcessTimes
{
    double wallMs = -1;
    double cpuMs = -1;
};

ProcessTimes timeProcess(const QString &program, const QStringList &arguments, QByteArray *output)
{
    QProcess process;
    if (!output)
        process.setStandardOutputFile(QProcess::nullDevice());
    const double cpuBefore = childrenCpuMs();
    QElapsedTimer timer;
    timer.start();
    process.start(program, arguments);
    if (!process.waitForFinished(-1) || process.exitCode() != 0)
        return {};
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    if (output)
        *output = process.readAllStandardOutput();
    return {ms, childrenCpuMs() - cpuBefore};
}

// Prints the figures for one catalogue; returns the peak memory of a load process, in MiB.
double report(int count, const QString &folder)
{
    const QString file = folder + u'/' + BenchCatalogue::fileName();
    const QString self = QCoreApplication::applicationFilePath();
    Samples process;
    Samples processCpu;
    Samples inside;
    Samples exported;
    Samples exportedCpu;
    double peakMiB = 0;
    for (int run = 0; run < Runs; ++run) {
        QByteArray output;
        const ProcessTimes load = timeProcess(self, {u"--load"_s, folder}, &output);
        process.add(load.wallMs);
        processCpu.add(load.cpuMs);
        const QList<QByteArray> fields = output.trimmed().split(' ');
        if (fields.size() == 3 && fields[0].toInt() != count)
            std::printf("  the load read %s data sheets, not %d\n", fields[0].constData(), count);
        if (fields.size() == 3) {
            inside.add(fields[1].toDouble());
            peakMiB = std::max(peakMiB, fields[2].toDouble() / 1024);
        }
        const ProcessTimes exportRun =
            timeProcess(u"mdb-export"_s, {file, u"Verzeichnis"_s}, nullptr);
        exported.add(exportRun.wallMs);
        exportedCpu.add(exportRun.cpuMs);
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
    std::printf("  ratio of the best runs            %8.2f\n", process.min() / exported.min());
    // A busy machine stretches the wall-clock times; the CPU time of each process less so.
    std::printf("  load, whole process, CPU time     %s\n", qPrintable(processCpu.summary("ms")));
    std::printf("  mdb-export, whole process, CPU    %s\n", qPrintable(exportedCpu.summary("ms")));
    std::printf("  ratio of the CPU medians          %8.2f\n",
                processCpu.median() / exportedCpu.median());
    std::printf("  load inside its fresh process     %s\n", qPrintable(inside.summary("ms")));
    std::printf("  load, warm (same process again)   %s\n", qPrintable(warm.summary("ms")));
    std::printf("  peak memory of the load process   %8.1f MiB (highest of the runs)\n", peakMiB);
    return peakMiB;
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
    if (arguments.size() == 3 && arguments[1] == u"--dump"_s)
        return dump(arguments[2]);
    if (arguments.size() == 4 && arguments[1] == u"--write-only"_s)
        return BenchCatalogue::writeCatalogue(arguments[2], arguments[3].toInt()) ? 0 : 1;

    // The counts to load may be given as arguments.
    QList<int> counts = {2'500, 100'000, 200'000};
    if (arguments.size() > 1) {
        counts.clear();
        for (const QString &argument : arguments.mid(1))
            counts.append(argument.toInt());
    }
    std::printf("Loading the catalogue table; a fresh process every run\n");
    int previousCount = 0;
    double previousPeakMiB = 0;
    for (const int count : counts) {
        QTemporaryDir folder;
        if (!BenchCatalogue::writeCatalogue(folder.path(), count))
            return 1;
        const double peakMiB = report(count, folder.path());
        // The growth from the catalogue before leaves out what every process has anyway.
        if (previousCount > 0 && count > previousCount) {
            std::printf("  memory per data sheet             %8.3f KiB (growth from %d sheets)\n",
                        (peakMiB - previousPeakMiB) * 1024 / (count - previousCount),
                        previousCount);
        }
        previousCount = count;
        previousPeakMiB = peakMiB;
        std::fflush(stdout);
    }
    return 0;
}
