// Times LoadCatalogue on the demo generator's "Verzeichnis" of 100,000 rows against mdb-export of the
// same table, and reports the process's peak memory. The database is written by a child run of
// this program (--write FILE), so that the writer's memory does not count here.
#include "catalogue/cataloguedatabase.h"
#include "catalogue/catalogueloader.h"
#include "catalogue/tkennblattliste.h"
#include "platform/cp1252.h"
#include "tools/demo/democatalogue.h"
#include "tools/demo/demodatabase.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <limits>
#include <sys/resource.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int rowCount = 100'000;
constexpr int rounds = 5;

qint64 loadOnce(const QString &folder, qint32 &count)
{
    QElapsedTimer timer;
    timer.start();
    CatalogueDatabase database;
    database.SetConnectionString(CatalogueDatabase::ConnectionString(Cp1252::fromUnicode(folder)));
    TKennblattListe catalogue;
    LoadCatalogue(database, catalogue);
    const qint64 elapsed = timer.nsecsElapsed();
    count = catalogue.Count();
    return elapsed;
}

qint64 exportOnce(const QString &file)
{
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer timer;
    timer.start();
    process.start(u"mdb-export"_s, {file, u"Verzeichnis"_s});
    if (!process.waitForFinished(-1) || process.exitCode() != 0)
        return -1;
    return timer.nsecsElapsed();
}

double milliseconds(qint64 nanoseconds)
{
    return double(nanoseconds) / 1e6;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() == 3 && arguments[1] == u"--write"_s) {
        QString error;
        if (Demo::writeDatabase(Demo::generateCatalogue(rowCount), arguments[2], &error))
            return 0;
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }

    QTemporaryDir dir;
    const QString file = dir.filePath(u"Norvenz SZW Kennblätter.mde"_s);
    if (QProcess::execute(app.applicationFilePath(), {u"--write"_s, file}) != 0)
        return 1;

    qint64 bestLoad = std::numeric_limits<qint64>::max();
    qint64 bestExport = std::numeric_limits<qint64>::max();
    qint32 count = 0;
    for (int round = 0; round < rounds; ++round) {
        bestLoad = std::min(bestLoad, loadOnce(dir.path(), count));
        const qint64 exported = exportOnce(file);
        if (exported < 0) {
            std::fprintf(stderr, "mdb-export failed\n");
            return 1;
        }
        bestExport = std::min(bestExport, exported);
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);

    std::printf("Loading the catalogue, %d rows (%lld KiB file), best of %d rounds\n", count,
                QFile(file).size() / 1024, rounds);
    std::printf("  LoadCatalogue                  %8.1f ms\n", milliseconds(bestLoad));
    std::printf("  mdb-export > /dev/null         %8.1f ms\n", milliseconds(bestExport));
    std::printf("  ratio                          %8.2f\n", double(bestLoad) / double(bestExport));
    std::printf("  peak RSS of this process       %8.1f MiB\n", double(usage.ru_maxrss) / 1024);
    return 0;
}
