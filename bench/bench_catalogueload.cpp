// Times LoadCatalogue on a generated "Verzeichnis" of 100,000 rows against mdb-export of the
// same table, and reports the process's peak memory. The database is written by a child run of
// this program (--write FILE), so that the writer's memory does not count here.
#include "catalogue/cataloguedatabase.h"
#include "catalogue/catalogueloader.h"
#include "catalogue/tkennblattliste.h"
#include "platform/cp1252.h"
#include "tools/jetwriter/jetwriter.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <limits>
#include <sys/resource.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int rowCount = 100'000;
constexpr int rounds = 5;

Jet::Column text(const QString &name, int maxLength)
{
    return {name, Jet::ColumnType::Text, maxLength};
}

// Brands, designations and flux names as they appear in the catalogue, about 15 % changed.
Jet::Table verzeichnis()
{
    const QStringList makers = {u"Böhler"_s,       u"Thermanit"_s,      u"Union"_s,
                                u"Fox"_s,          u"Castolin"_s,       u"Schweißfix"_s,
                                u"Nürnberger"_s,   u"Fülldraht-Werk"_s, u"Elektroden Süd"_s,
                                u"Drahtzug Köln"_s};
    const QStringList kinds = {u"EV"_s,      u"SG"_s,          u"NiCr"_s,    u"Ti 52"_s,
                               u"MoV"_s,     u"CrMo"_s,        u"Spezial"_s, u"Rutil"_s,
                               u"basisch"_s, u"Hochleistung"_s};
    const QStringList fluxes = {u"UV 420 TT"_s, u"Pulver BF 6.5"_s, u"Marathon 431"_s,
                                u"Schlackenfrei 12"_s, u"OP 121 TT"_s};
    QRandomGenerator rng(20240);
    Jet::Table table{u"Verzeichnis"_s,
                     {text(u"KBNr"_s, 8),
                      text(u"Marke"_s, 60),
                      text(u"Pulvermarke"_s, 60),
                      text(u"HerstLiefSchl"_s, 10),
                      text(u"ZusatzSchl"_s, 10),
                      text(u"InfoGeberSchl"_s, 10),
                      {u"AenderungsFlag"_s, Jet::ColumnType::Boolean}},
                     {}};
    table.rows.reserve(rowCount);
    for (int i = 0; i < rowCount; ++i) {
        const QString number =
            u"%1.%2"_s.arg(i / 10 + 1, 5, 10, QChar(u'0')).arg(i % 10, 2, 10, QChar(u'0'));
        const QString brand =
            makers[rng.bounded(makers.size())] + u' ' + kinds[rng.bounded(kinds.size())] + u' ' +
            QString::number(rng.bounded(1, 500)) + (rng.bounded(5) == 0 ? u"-A"_s : QString());
        const Jet::Value flux =
            rng.bounded(4) == 0 ? Jet::Value(fluxes[rng.bounded(fluxes.size())]) : Jet::Value();
        table.rows.push_back({number, brand, flux, u"H%1"_s.arg(rng.bounded(1, 61)),
                              u"Z%1"_s.arg(rng.bounded(1, 21)),
                              rng.bounded(6) == 0 ? u"TÜO"_s : u"T%1"_s.arg(rng.bounded(1, 6)),
                              rng.bounded(100) < 15});
    }
    return table;
}

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
        if (Jet::writeDatabase(arguments[2], {verzeichnis()}, &error))
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
