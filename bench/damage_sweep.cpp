// Loads damaged catalogues and counts what happens: every file of tests/data/damaged, then
// mutated copies of the demo catalogue (2,500 data sheets) in Jet 4 and Jet 3, each with 1 to 32
// changed bytes or cut short. Each load runs in a child process with a 10 s limit, so that a
// crash or a hang is counted, not suffered. A load must give the same rows as the original or
// a German error; fewer rows without a message are counted by what the changed bytes hit.
//
//   damage_sweep [--count N] [--seed S] [--keep FOLDER]
// N mutated copies per format (default 1000); FOLDER receives the inputs of crashes, hangs and
// unexplained outcomes.
#include "catalogue/cataloguedatabase.h"
#include "catalogue/catalogueloader.h"
#include "catalogue/lookuplist.h"
#include "catalogue/tkennblattliste.h"
#include "platform/apperror.h"
#include "platform/cp1252.h"
#include "platform/dialogservice.h"
#include "tools/demo/democatalogue.h"
#include "tools/demo/demodatabase.h"
#include "tools/jetwriter/jetwriter.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <cstdio>
#include <cstring>
#include <map>
#include <set>

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int TimeLimitMs = 10'000;
constexpr int DemoSheets = 2500;

// The version table's warning needs an answer; nothing is shown.
class SilentDialogs : public DialogService
{
public:
    SilentDialogs()
        : DialogService(u"damage_sweep"_s)
    {
    }

protected:
    DialogAnswer show(const MessageBoxSpec &) override { return DialogAnswer::Ok; }
};

// What a load gave: an error, or the rows of each table and a digest of everything loaded.
struct Result
{
    QString error;
    QList<int> rows; // data sheets, then the three lookup tables
    QByteArray digest;

    QByteArray serialised() const
    {
        QByteArray text = error.toUtf8().toBase64() + '\n';
        for (int n : rows)
            text += QByteArray::number(n) + ' ';
        return text + '\n' + digest.toHex() + '\n';
    }
    static Result parsed(const QByteArray &text)
    {
        const QList<QByteArray> lines = text.split('\n');
        Result result;
        if (lines.size() < 3)
            return result;
        result.error = QString::fromUtf8(QByteArray::fromBase64(lines[0]));
        for (const QByteArray &n : lines[1].split(' '))
            if (!n.isEmpty())
                result.rows.append(n.toInt());
        result.digest = QByteArray::fromHex(lines[2]);
        return result;
    }
};

// The start-up's loading steps on the catalogue in `folder`.
Result load(const QString &folder)
{
    Result result;
    CatalogueDatabase database;
    database.SetConnectionString(CatalogueDatabase::ConnectionString(Cp1252::fromUnicode(folder)));
    TKennblattListe catalogue;
    LookupList lists[3];
    QByteArray edition, label;
    try {
        SilentDialogs dialogs;
        LoadCatalogue(database, catalogue);
        LoadLookups(database, {lists[0], lists[1], lists[2]},
                    [](LookupTable, const QByteArray &) {});
        LoadVersion(database, edition, label, dialogs);
    } catch (const AppError &e) {
        result.error = e.text();
    }
    QCryptographicHash hash(QCryptographicHash::Sha1);
    for (qint32 i = 0; i < catalogue.Count(); ++i) {
        const TKennblatt &k = catalogue.Get(i);
        hash.addData(QByteArray(k.GetNummer() + '|' + k.Marke + '|' + k.Pulvermarke + '|' +
                                k.HerstLiefSchl + '|' + k.ZusatzSchl + '|' + k.InfoGeberSchl + '|' +
                                QByteArray::number(k.AenderungsFlag) + '\n'));
    }
    for (const LookupList &list : lists)
        hash.addData(QByteArray(list.lines().join('\n') + '\f'));
    hash.addData(QByteArray(edition + '|' + label));
    result.rows = {catalogue.Count(), int(lists[0].Count()), int(lists[1].Count()),
                   int(lists[2].Count())};
    result.digest = hash.result();
    return result;
}

enum class Fate { Loaded, Crashed, Hung };

// `content` saved as the catalogue in a folder of its own and loaded in a child process.
Fate loadInChild(const QString &folder, const QByteArray &content, Result &result)
{
    QDir().mkpath(folder);
    QFile file(folder + u"/Norvenz SZW Kennblätter.mde"_s);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        qFatal("cannot write %s", qPrintable(file.fileName()));
    file.close();

    int fds[2];
    if (pipe(fds) != 0)
        qFatal("pipe failed");
    std::fflush(stdout);
    std::fflush(stderr);
    const pid_t child = fork();
    if (child == 0) {
        ::close(fds[0]);
        const QByteArray text = load(folder).serialised();
        for (qsizetype done = 0; done < text.size();) {
            const ssize_t n =
                ::write(fds[1], text.constData() + done, std::size_t(text.size() - done));
            if (n <= 0)
                break;
            done += n;
        }
        _exit(0);
    }
    ::close(fds[1]);
    QByteArray text;
    QElapsedTimer timer;
    timer.start();
    bool hung = false;
    for (;;) {
        const qint64 left = TimeLimitMs - timer.elapsed();
        if (left <= 0) {
            hung = true;
            break;
        }
        pollfd p{fds[0], POLLIN, 0};
        if (poll(&p, 1, int(left)) <= 0)
            continue;
        char buffer[4096];
        const ssize_t n = ::read(fds[0], buffer, sizeof buffer);
        if (n <= 0)
            break;
        text.append(buffer, n);
    }
    ::close(fds[0]);
    if (hung)
        kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    QDir(folder).removeRecursively();
    if (hung)
        return Fate::Hung;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || text.isEmpty())
        return Fate::Crashed;
    result = Result::parsed(text);
    return Fate::Loaded;
}

// German errors of the reader and the loader, by kind.
QString errorKind(const QString &error)
{
    if (error.contains(u"ist beschädigt."_s))
        return u"table damaged"_s;
    if (error.contains(u"keine gültige Access-Datenbank oder beschädigt"_s))
        return u"file damaged or no Access file"_s;
    if (error.contains(u"im Format"_s))
        return u"a format that cannot be read"_s;
    if (error.contains(u"wurde in der Datenbankdatei"_s))
        return u"table not found"_s;
    if (error.contains(u"wurde nicht gefunden"_s) || error.contains(u"enthält keinen"_s))
        return u"column missing or of another kind"_s;
    if (error == u"Nummer im falschen Format übergeben."_s)
        return u"data-sheet number unreadable"_s;
    if (error.contains(u"können nicht gelesen werden"_s))
        return u"columns unreadable"_s;
    return {};
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

struct Tally
{
    std::map<QString, int> counts;
    void add(const QString &what) { ++counts[what]; }
    void print(const char *title) const
    {
        std::printf("%s\n", title);
        for (const auto &[what, n] : counts)
            std::printf("  %6d  %s\n", n, qPrintable(what));
    }
};

} // namespace

int main(int argc, char **argv)
{
    int count = 1000;
    quint64 seed = 20240611;
    QString keep;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (!std::strcmp(argv[i], "--count"))
            count = std::atoi(argv[i + 1]);
        else if (!std::strcmp(argv[i], "--seed"))
            seed = std::strtoull(argv[i + 1], nullptr, 10);
        else if (!std::strcmp(argv[i], "--keep"))
            keep = QString::fromLocal8Bit(argv[i + 1]);
    }
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
    Tally corpus;
    const QDir damaged(QStringLiteral(KB_DAMAGED_DIR));
    for (const QString &name : damaged.entryList({u"*.mde"_s}, QDir::Files, QDir::Name)) {
        QFile file(damaged.filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            qFatal("cannot read %s", qPrintable(name));
        Result result;
        const Fate fate = loadInChild(work.filePath(u"corpus"_s), file.readAll(), result);
        const QString kind = fate == Fate::Crashed    ? u"CRASH"_s
                             : fate == Fate::Hung     ? u"HANG"_s
                             : result.error.isEmpty() ? u"loaded without an error"_s
                                                      : errorKind(result.error);
        corpus.add(kind.isEmpty() ? u"NOT A KNOWN GERMAN ERROR"_s : u"error: "_s + kind);
        faults += fate != Fate::Loaded || kind.isEmpty() ? 1 : 0;
    }
    std::printf("Files of tests/data/damaged: %d\n",
                int(damaged.entryList({u"*.mde"_s}, QDir::Files).size()));
    corpus.print("Outcomes:");

    const std::vector<Jet::Table> tables =
        Demo::databaseTables(Demo::generateCatalogue(DemoSheets));
    for (const auto &[format, name] :
         {std::pair{Jet::FileFormat::Jet4, "Jet 4"}, std::pair{Jet::FileFormat::Jet3, "Jet 3"}}) {
        const QString basePath = work.filePath(u"base.mde"_s);
        QString error;
        if (!Jet::writeDatabase(basePath, tables, format, &error))
            qFatal("%s", qPrintable(error));
        QFile baseFile(basePath);
        if (!baseFile.open(QIODevice::ReadOnly))
            qFatal("cannot read the demo catalogue");
        const QByteArray original = baseFile.readAll();
        Result reference;
        if (loadInChild(work.filePath(u"reference"_s), original, reference) != Fate::Loaded ||
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
            const Fate fate = loadInChild(work.filePath(u"case"_s), content, result);
            const QString caseName =
                u"%1-%2.mde"_s.arg(format == Jet::FileFormat::Jet4 ? 4 : 3).arg(n);
            if (fate != Fate::Loaded) {
                outcomes.add(fate == Fate::Crashed ? u"CRASH"_s : u"HANG (over 10 s)"_s);
                keepInput(caseName, content);
                ++faults;
                continue;
            }
            if (!result.error.isEmpty()) {
                const QString kind = errorKind(result.error);
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
            if (!fewerRows && !moreRows) {
                outcomes.add(u"as many rows, values changed"_s);
                continue;
            }
            std::set<QString> hits;
            for (qsizetype at : changed)
                hits.insert(hit(original, at, layout, content[at]));
            const QString why = hits.count(u"slot marked deleted"_s) ? u"slot marked deleted"_s
                                : hits.count(u"usage map"_s)         ? u"usage map changed"_s
                                                                     : u"UNEXPLAINED"_s;
            outcomes.add(moreRows ? u"MORE ROWS without an error"_s
                                  : u"fewer rows without an error: "_s + why);
            if (moreRows || why == u"UNEXPLAINED"_s) {
                keepInput(caseName, content);
                ++faults;
            }
        }
        std::printf("\n%s demo catalogue (%d data sheets, %lld KiB): %d mutated copies, seed %llu, "
                    "%.1f s\n",
                    name, DemoSheets, qlonglong(original.size() / 1024), count, qulonglong(seed),
                    double(timer.elapsed()) / 1000);
        for (const auto &[group, outcomes] : groups) {
            int total = 0;
            for (const auto &[what, n] : outcomes.counts)
                total += n;
            outcomes.print(qPrintable(u"%1 (%2):"_s.arg(group).arg(total)));
        }
    }
    std::printf("\nFaults (crash, hang, unknown error, unexplained or more rows): %d\n", faults);
    return faults == 0 ? 0 : 1;
}
