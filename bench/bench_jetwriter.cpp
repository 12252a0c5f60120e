// Times the Jet writer on the demo generator's catalogue of 100,000 data sheets, in Jet 4 and
// in Jet 3: the whole database written to a file (warm: the same process and file cache each
// round), with the file's size.
#include "tools/demo/democatalogue.h"
#include "tools/demo/demodatabase.h"
#include "tools/jetwriter/jetwriter.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

constexpr int sheetCount = 100'000;
constexpr int rounds = 5;

} // namespace

int main()
{
    const std::vector<Jet::Table> tables =
        Demo::databaseTables(Demo::generateCatalogue(sheetCount));
    QTemporaryDir dir;
    const QString path = dir.filePath(u"katalog.mdb"_s);
    std::printf("Writing the demo catalogue of %d data sheets, %d rounds (warm)\n", sheetCount,
                rounds);
    for (const auto &[format, name] :
         {std::pair{Jet::FileFormat::Jet4, "Jet 4"}, std::pair{Jet::FileFormat::Jet3, "Jet 3"}}) {
        std::vector<double> times;
        for (int round = 0; round < rounds; ++round) {
            QElapsedTimer timer;
            timer.start();
            QString error;
            if (!Jet::writeDatabase(path, tables, format, &error)) {
                std::fprintf(stderr, "%s: %s\n", name, qPrintable(error));
                return 1;
            }
            times.push_back(double(timer.nsecsElapsed()) / 1e6);
        }
        std::sort(times.begin(), times.end());
        std::printf("  %s  min %7.1f ms  median %7.1f ms  max %7.1f ms  (%lld KiB)\n", name,
                    times.front(), times[times.size() / 2], times.back(),
                    QFile(path).size() / 1024);
    }
    return 0;
}
