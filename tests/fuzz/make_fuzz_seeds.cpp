// Writes small catalogue databases into the folder given as the only argument: the fuzzer's
// starting corpus. Each seed exercises a different path of the reader, in Jet 4 and in Jet 3.
#include "cataloguetables.h"

#include <QDir>
#include <QString>

#include <cstdio>

using namespace Qt::StringLiterals;
using namespace CatalogueTables;

namespace {

Rows numberedRows(int count)
{
    Rows rows;
    for (int i = 0; i < count; ++i) {
        rows.push_back(
            {u"%1.%2"_s.arg(i / 100 + 1, 5, 10, QChar(u'0')).arg(i % 100, 2, 10, QChar(u'0')),
             u"Marke %1 Schweißdraht"_s.arg(i), i % 3 ? Jet::Value() : Jet::Value(u"Pulver"_s),
             u"H%1"_s.arg(i % 7), u"Z%1"_s.arg(i % 5), u"T%1"_s.arg(i % 3), i % 7 == 0});
    }
    return rows;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_fuzz_seeds FOLDER\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(u"."_s)) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }

    std::vector<std::pair<QString, std::vector<Jet::Table>>> seeds;
    seeds.push_back({u"sample.mde"_s, sample()});
    seeds.push_back({u"empty-tables.mde"_s,
                     {verzeichnis({}), infoGeber({}), zusatz({}), hersteller({}), norvenz({})}});
    std::vector<Jet::Table> manyRows = sample();
    manyRows[0] = verzeichnis(numberedRows(400));
    seeds.push_back({u"many-rows.mde"_s, manyRows});

    // Columns of the wrong kind or missing, a lookup table of one column, two version rows.
    std::vector<Jet::Table> odd = sample();
    odd[0].columns[6] = text(u"AenderungsFlag"_s);
    odd[0].columns[1] = boolean(u"Marke"_s);
    for (auto &row : odd[0].rows) {
        row[6] = u"Ja"_s;
        row[1] = true;
    }
    odd[1] = {u"H-InformationsGeber"_s, {text(u"InfoGeberSchl"_s)}, {{u"TÜO"_s}}};
    odd[3].columns[0].name = u"Schluessel"_s;
    odd[4] = norvenz({{u"2024"_s, u"1"_s, u"Frühjahr"_s}, {u"2024"_s, u"2"_s, u"Herbst"_s}});
    odd[4].columns.append(longInt(u"Nummer"_s));
    odd[4].rows[0].push_back(qint32(-7));
    odd[4].rows[1].push_back(Jet::Value());
    seeds.push_back({u"odd-columns.mde"_s, odd});

    std::vector<Jet::Table> missing = sample();
    missing.erase(missing.begin() + 2);
    seeds.push_back({u"missing-table.mde"_s, missing});

    for (const auto &[name, tables] : seeds) {
        for (const Jet::FileFormat format : {Jet::FileFormat::Jet4, Jet::FileFormat::Jet3}) {
            const QString file = format == Jet::FileFormat::Jet4 ? name : u"jet3-"_s + name;
            const QString problem = write(folder.filePath(file), tables, format);
            if (!problem.isEmpty()) {
                std::fprintf(stderr, "%s: %s\n", qPrintable(file), qPrintable(problem));
                return 1;
            }
        }
    }
    return 0;
}
