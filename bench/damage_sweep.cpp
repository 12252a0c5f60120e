// Loads damaged catalogues and counts what happens, each load in a child process with a 10 s
// limit, so that a crash or a hang is counted, not suffered:
// - every file of tests/data/damaged;
// - every byte of the structures a reader can check against each other changed in turn (table
//   definitions, memo fields, long-value pages; structuresweep.h says which), in a catalogue of
//   600 data sheets in Jet 4 and Jet 3, each without and with memo columns;
// - mutated copies of the demo catalogue (2,500 data sheets) in Jet 4 and Jet 3, each with 1 to
//   32 changed bytes or cut short.
// A load must give the same rows as the original or a German error. Changes inside stored
// values, which nothing protects, are counted apart; other fewer rows or changed values without
// a message are counted by what the changed bytes hit.
//
//   damage_sweep [--count N] [--seed S] [--keep FOLDER] [--only corpus|structure|random]
// N mutated copies per format (default 1000); FOLDER receives the inputs of crashes, hangs and
// unexplained outcomes.
#include "structuresweep.h"
#include "sweepload.h"

#include "tools/demo/democatalogue.h"
#include "tools/demo/demodatabase.h"
#include "tools/jetwriter/jetwriter.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <cstdio>
#include <cstring>
#include <set>

using namespace Qt::StringLiterals;
using Sweep::Fate;
using Sweep::Result;
using Sweep::Tally;

namespace {

constexpr int DemoSheets = 2500;
constexpr int StructureSheets = 600;

QByteArray written(const std::vector<Jet::Table> &tables, Jet::FileFormat format,
                   const QString &path)
{
    QString error;
    if (!Jet::writeDatabase(path, tables, format, &error))
        qFatal("%s", qPrintable(error));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(path));
    return file.readAll();
}

// The demo's tables with brands, flux brands and manufacturers' names as memo columns: most
// values short enough to stay in the row, some on a long-value page, a few chained over pages.
std::vector<Jet::Table> withMemoColumns(std::vector<Jet::Table> tables)
{
    const QString sentence =
        u"Schweißzusatz für unlegierte und niedriglegierte Stähle – geprüft, zugelassen; "_s;
    Jet::Table &verzeichnis = tables[0];
    verzeichnis.columns[1].type = Jet::ColumnType::Memo;
    verzeichnis.columns[2].type = Jet::ColumnType::Memo;
    for (std::size_t i = 0; i < verzeichnis.rows.size(); ++i) {
        QString &brand = std::get<QString>(verzeichnis.rows[i][1]);
        if (i % 40 == 1)
            brand += u' ' + sentence.repeated(4);
        else if (i % 150 == 2)
            brand += u' ' + sentence.repeated(60);
    }
    Jet::Table &manufacturers = tables[3];
    manufacturers.columns[1].type = Jet::ColumnType::Memo;
    std::get<QString>(manufacturers.rows[0][1]) += u' ' + sentence.repeated(3);
    return tables;
}

struct Layout
{
    qsizetype pageSize;
    int rowCountOffset;
};

// What a changed byte at `at` hit in the original file, for outcomes that need explaining.
QString hit(const QByteArray &original, qsizetype at, const Layout &layout, char newValue)
{
    const qsizetype page = at / layout.pageSize;
    const qsizetype offset = at % layout.pageSize;
    const auto *p =
        reinterpret_cast<const unsigned char *>(original.constData()) + page * layout.pageSize;
    if (page == 0)
        return u"header page"_s;
    if (p[0] != 0x01)
        return p[0] == 0x02 ? u"table definition"_s : u"other page"_s;
    const int slots = p[layout.rowCountOffset] | p[layout.rowCountOffset + 1] << 8;
    const qsizetype slotTable = layout.rowCountOffset + 2;
    const bool usageMaps = (p[4] | p[5] | p[6] | p[7]) == 0; // the writer's page of maps
    if (offset >= slotTable && offset < slotTable + 2 * slots) {
        const bool highByte = (offset - slotTable) % 2 == 1;
        if (highByte && !usageMaps && (static_cast<unsigned char>(newValue) & 0x40) &&
            !(p[offset] & 0x40))
            return u"slot marked deleted"_s;
        return u"slot table"_s;
    }
    if (offset < slotTable)
        return u"data page header"_s;
    return usageMaps ? u"usage map"_s : u"row data"_s;
}

} // namespace

int main(int argc, char **argv)
{
    int count = 1000;
    quint64 seed = 20240611;
    QString keep;
    QString only;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (!std::strcmp(argv[i], "--count"))
            count = std::atoi(argv[i + 1]);
        else if (!std::strcmp(argv[i], "--seed"))
            seed = std::strtoull(argv[i + 1], nullptr, 10);
        else if (!std::strcmp(argv[i], "--keep"))
            keep = QString::fromLocal8Bit(argv[i + 1]);
        else if (!std::strcmp(argv[i], "--only"))
            only = QString::fromLocal8Bit(argv[i + 1]);
    }
    const auto runs = [&only](const QString &part) {
        return only.isEmpty() || only == part;
    };
    QTemporaryDir work;
    int faults = 0;
    const auto keepInput = [&](const QString &name, const QByteArray &content) {
        if (keep.isEmpty())
            return;
        QDir().mkpath(keep);
        QFile file(keep + u'/' + name);
        if (file.open(QIODevice::WriteOnly))
            file.write(content);
    };

    // The damaged corpus: each must give a German error (or every row, which none of them has).
    if (runs(u"corpus"_s)) {
        Tally corpus;
        const QDir damaged(QStringLiteral(KB_DAMAGED_DIR));
        const QStringList names = damaged.entryList({u"*.mde"_s}, QDir::Files, QDir::Name);
        for (const QString &name : names) {
            QFile file(damaged.filePath(name));
            if (!file.open(QIODevice::ReadOnly))
                qFatal("cannot read %s", qPrintable(name));
            Result result;
            const Fate fate =
                Sweep::loadInChild(work.filePath(u"corpus"_s), file.readAll(), result);
            const QString kind = fate == Fate::Crashed    ? u"CRASH"_s
                                 : fate == Fate::Hung     ? u"HANG"_s
                                 : result.error.isEmpty() ? u"loaded without an error"_s
                                                          : Sweep::errorKind(result.error);
            corpus.add(kind.isEmpty() ? u"NOT A KNOWN GERMAN ERROR"_s : u"error: "_s + kind);
            faults += fate != Fate::Loaded || kind.isEmpty() ? 1 : 0;
        }
        std::printf("Files of tests/data/damaged: %d\n", int(names.size()));
        corpus.print("Outcomes:");
    }

    const std::vector<Jet::Table> structureTables =
        Demo::databaseTables(Demo::generateCatalogue(StructureSheets));
    if (runs(u"structure"_s)) {
        std::printf("\nEvery byte of the structures changed in turn, %d data sheets "
                    "(outcomes: correct = the same rows, message = a German error, SILENT = "
                    "other rows or values without one):\n",
                    StructureSheets);
        int changes = 0;
        QElapsedTimer timer;
        timer.start();
        for (const auto &[format, name] : {std::pair{Jet::FileFormat::Jet4, "Jet 4"},
                                           std::pair{Jet::FileFormat::Jet3, "Jet 3"}}) {
            for (const bool memo : {false, true}) {
                const QByteArray original =
                    written(memo ? withMemoColumns(structureTables) : structureTables, format,
                            work.filePath(u"structure.mde"_s));
                const QString title =
                    QString::fromLatin1(name) + (memo ? u", memo columns"_s : u", no memo"_s);
                const Sweep::StructureOutcome outcome =
                    Sweep::sweepStructures(title, original, work.path(), keep);
                changes += outcome.changes;
                faults += outcome.faults;
            }
        }
        std::printf("All structure changes: %d in %.0f s\n", changes,
                    double(timer.elapsed()) / 1000);
    }

    if (!runs(u"random"_s)) {
        std::printf("\nFaults (crash, hang, unknown error, silent wrong from structure): %d\n",
                    faults);
        return faults == 0 ? 0 : 1;
    }
    const std::vector<Jet::Table> tables =
        Demo::databaseTables(Demo::generateCatalogue(DemoSheets));
    for (const auto &[format, name] :
         {std::pair{Jet::FileFormat::Jet4, "Jet 4"}, std::pair{Jet::FileFormat::Jet3, "Jet 3"}}) {
        const QByteArray original = written(tables, format, work.filePath(u"base.mde"_s));
        Result reference;
        if (Sweep::loadInChild(work.filePath(u"reference"_s), original, reference) !=
                Fate::Loaded ||
            !reference.error.isEmpty())
            qFatal("the demo catalogue does not load: %s", qPrintable(reference.error));
        const Layout layout = format == Jet::FileFormat::Jet4 ? Layout{4096, 12} : Layout{2048, 8};

        QRandomGenerator random(seed + (format == Jet::FileFormat::Jet3 ? 1 : 0));
        std::map<QString, Tally> groups;
        QElapsedTimer timer;
        timer.start();
        for (int n = 0; n < count; ++n) {
            QByteArray content = original;
            std::vector<qsizetype> changed;
            // A sixth of the copies cut short; the rest with 1 to 32 bytes changed, half of
            // them anywhere, half among the first 64 bytes of pages (headers, slot tables,
            // definitions), where damage meets the structure.
            const int mode = random.bounded(6);
            const QString group = mode == 0  ? u"cut short"_s
                                  : mode % 2 ? u"bytes changed anywhere"_s
                                             : u"bytes changed near page starts"_s;
            Tally &outcomes = groups[group];
            if (mode == 0) {
                content.truncate(random.bounded(original.size()));
            } else {
                const qsizetype pageCount = original.size() / layout.pageSize;
                for (int k = 1 + random.bounded(32); k > 0; --k) {
                    const qsizetype at =
                        mode % 2 ? random.bounded(original.size())
                                 : random.bounded(pageCount) * layout.pageSize + random.bounded(64);
                    content[at] = char(content[at] ^ char(1 + random.bounded(255)));
                    changed.push_back(at);
                }
            }
            Result result;
            const Fate fate = Sweep::loadInChild(work.filePath(u"case"_s), content, result);
            const QString caseName =
                u"%1-%2.mde"_s.arg(format == Jet::FileFormat::Jet4 ? 4 : 3).arg(n);
            if (fate != Fate::Loaded) {
                outcomes.add(fate == Fate::Crashed ? u"CRASH"_s : u"HANG (over 10 s)"_s);
                keepInput(caseName, content);
                ++faults;
                continue;
            }
            if (!result.error.isEmpty()) {
                const QString kind = Sweep::errorKind(result.error);
                outcomes.add(kind.isEmpty() ? u"NOT A KNOWN GERMAN ERROR: "_s + result.error
                                            : u"error: "_s + kind);
                if (kind.isEmpty()) {
                    keepInput(caseName, content);
                    ++faults;
                }
                continue;
            }
            if (result.digest == reference.digest) {
                outcomes.add(u"the same rows"_s);
                continue;
            }
            bool fewerRows = false, moreRows = false;
            for (qsizetype t = 0; t < result.rows.size(); ++t) {
                fewerRows = fewerRows || result.rows[t] < reference.rows[t];
                moreRows = moreRows || result.rows[t] > reference.rows[t];
            }
            std::set<QString> hits;
            for (qsizetype at : changed)
                hits.insert(hit(original, at, layout, content[at]));
            // Values may change silently only where a byte inside a row changed, which no
            // checksum protects; rows may go missing only where a row was marked deleted or the
            // usage map changed, which sound files show too.
            QString why;
            if (!fewerRows && !moreRows)
                why = hits.count(u"row data"_s) ? u"values changed: a row's bytes changed"_s
                                                : u"VALUES CHANGED, UNEXPLAINED"_s;
            else if (moreRows)
                why = u"MORE ROWS without an error"_s;
            else
                why = u"fewer rows without an error: "_s +
                      (hits.count(u"slot marked deleted"_s) ? u"slot marked deleted"_s
                       : hits.count(u"usage map"_s)         ? u"usage map changed"_s
                                                            : u"UNEXPLAINED"_s);
            outcomes.add(why);
            if (why.contains(u"UNEXPLAINED"_s) || moreRows) {
                keepInput(caseName, content);
                ++faults;
            }
        }
        std::printf("\n%s demo catalogue (%d data sheets, %lld KiB): %d mutated copies, seed %llu, "
                    "%.1f s\n",
                    name, DemoSheets, qlonglong(original.size() / 1024), count, qulonglong(seed),
                    double(timer.elapsed()) / 1000);
        for (const auto &[group, outcomes] : groups)
            outcomes.print(qPrintable(u"%1 (%2):"_s.arg(group).arg(outcomes.total())));
    }
    std::printf("\nFaults (crash, hang, unknown error, silent wrong from structure, unexplained "
                "or more rows): %d\n",
                faults);
    return faults == 0 ? 0 : 1;
}
