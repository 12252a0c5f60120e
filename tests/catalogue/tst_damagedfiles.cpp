// Damaged catalogues: the files of tests/data/damaged (hand-made damage and what the fuzzer
// found) and damage made here from a written catalogue in each format. Each must load every
// row or fail with an AppError, never crash or hang, and libmdb must not write a byte to
// stdout or stderr.
#include "catalogue/cataloguedatabase.h"
#include "catalogue/catalogueloader.h"
#include "catalogue/lookuplist.h"
#include "catalogue/tkennblattliste.h"
#include "platform/apperror.h"
#include "platform/cp1252.h"

#include "capturedoutput.h"
#include "cataloguetables.h"
#include "scripteddialogservice.h"

#include "testfiles.h"
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(Jet::FileFormat)

namespace {

struct Outcome
{
    QString error;   // empty when everything loaded
    qint32 rows = 0; // data sheets and lookup rows loaded
    QByteArray output;
};

// The start-up's loading steps on `content` saved as the catalogue in `folder`.
Outcome load(const QString &folder, const QByteArray &content)
{
    const QString path = folder + u"/Norvenz SZW Kennblätter.mde"_s;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(content) != content.size())
        return {u"cannot write the test file"_s, 0, {}};
    file.close();

    Outcome outcome;
    CapturedOutput output;
    CatalogueDatabase database;
    database.SetConnectionString(CatalogueDatabase::ConnectionString(Cp1252::fromUnicode(folder)));
    TKennblattListe catalogue;
    LookupList infogeber, zusatz, hersteller;
    try {
        ScriptedDialogService dialogs;
        QByteArray edition, label;
        LoadCatalogue(database, catalogue);
        LoadLookups(database, {infogeber, zusatz, hersteller},
                    [](LookupTable, const QByteArray &) {});
        LoadVersion(database, edition, label, dialogs);
    } catch (const AppError &e) {
        outcome.error = e.text();
    }
    database.Close();
    outcome.rows = catalogue.Count() + infogeber.Count() + zusatz.Count() + hersteller.Count();
    outcome.output = output.text();
    return outcome;
}

QString databaseDamaged(const QString &path)
{
    return u"Die Datenbankdatei '%1' kann nicht gelesen werden: sie ist keine gültige "
           u"Access-Datenbank oder beschädigt."_s.arg(path);
}

} // namespace

class TestDamagedFiles : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    // What each file must give; a file the fuzzer finds later may give any AppError.
    void corpus_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("expected"); // "%1" stands for the path
        const QMap<QString, QString> handMade = {
            {u"truncated-mid-page.mde"_s, databaseDamaged(u"%1"_s)},
            {u"truncated-at-page.mde"_s, databaseDamaged(u"%1"_s)},
            {u"zeroed-header.mde"_s, databaseDamaged(u"%1"_s)},
            {u"bad-page-type-catalogue.mde"_s, databaseDamaged(u"%1"_s)},
            {u"bad-page-type-verzeichnis.mde"_s, tableDamaged(u"Verzeichnis"_s, u"%1"_s)},
            {u"usage-map-empty.mde"_s, tableDamaged(u"Verzeichnis"_s, u"%1"_s)},
            {u"usage-map-beyond-end.mde"_s, tableDamaged(u"Verzeichnis"_s, u"%1"_s)},
            {u"memo-chain-loop.mde"_s, tableDamaged(u"Verzeichnis"_s, u"%1"_s)},
            {u"fuzz-catalogue-usage-map-empty.mde"_s, databaseDamaged(u"%1"_s)},
            {u"row-offset-beyond-row.mde"_s, tableDamaged(u"Verzeichnis"_s, u"%1"_s)},
            {u"usage-map-other-table.mde"_s, tableDamaged(u"Verzeichnis"_s, u"%1"_s)},
            {u"jet3-row-offset-beyond-row.mde"_s, tableDamaged(u"Verzeichnis"_s, u"%1"_s)},
            {u"jet3-usage-map-other-table.mde"_s, tableDamaged(u"Verzeichnis"_s, u"%1"_s)},
            {u"slot-count-lowered.mde"_s, tableDamaged(u"Verzeichnis"_s, u"%1"_s)},
            {u"jet3-slot-count-lowered.mde"_s, tableDamaged(u"Verzeichnis"_s, u"%1"_s)},
            {u"row-offset-before-start.mde"_s, tableDamaged(u"Verzeichnis"_s, u"%1"_s)},
        };
        const QDir folder(QStringLiteral(KB_DAMAGED_DIR));
        const QStringList files = folder.entryList({u"*.mde"_s}, QDir::Files, QDir::Name);
        QVERIFY(files.size() >= handMade.size());
        for (const QString &name : files)
            QTest::newRow(qPrintable(name)) << folder.filePath(name) << handMade.value(name);
        for (const QString &name : handMade.keys())
            QVERIFY2(files.contains(name), qPrintable(name));
    }
    void corpus()
    {
        QFETCH(QString, file);
        QFETCH(QString, expected);
        const Outcome outcome = load(m_dir.path(), readFile(file));
        QCOMPARE(outcome.output, QByteArray());
        const QString path = m_dir.filePath(u"Norvenz SZW Kennblätter.mde"_s);
        if (!expected.isEmpty())
            QCOMPARE(outcome.error, expected.arg(path));
        else
            QVERIFY2(!outcome.error.isEmpty(), "a fuzzer's find loads as a catalogue");
    }

    // Damage made here from a good catalogue in each format: cut at many lengths, pages
    // zeroed or overwritten, or no database at all. The file may be refused or a table may;
    // whatever loads without an error must be every row.
    void madeHere_data()
    {
        QTest::addColumn<QByteArray>("content");
        for (const auto &[format, name] : {std::pair{Jet::FileFormat::Jet4, "Jet 4"},
                                           std::pair{Jet::FileFormat::Jet3, "Jet 3"}}) {
            const QByteArray good = goodCatalogue(format);
            const qsizetype page = format == Jet::FileFormat::Jet4 ? 4096 : 2048;
            for (qsizetype length : {qsizetype(0), qsizetype(1), qsizetype(100), page - 1, page,
                                     2 * page, 3 * page, 4 * page, 5 * page - 100})
                QTest::addRow("%s, first %lld bytes", name, qlonglong(length))
                    << good.first(length);
            for (qsizetype cut : {qsizetype(1), qsizetype(100), page, page + 1, 3 * page})
                QTest::addRow("%s, %lld bytes short", name, qlonglong(cut)) << good.chopped(cut);
            QTest::addRow("%s, half", name) << good.first(good.size() / 2);
            QRandomGenerator generator(321);
            QByteArray random(good.size(), '\0');
            for (char &c : random)
                c = char(generator.bounded(256));
            QTest::addRow("%s, random after a good header", name)
                << good.first(page) + random.sliced(page);
            for (int number = 1; number < good.size() / page; ++number) {
                QByteArray zeroed = good;
                zeroed.replace(number * page, page, QByteArray(page, '\0'));
                QTest::addRow("%s, page %d zeroed", name, number) << zeroed;
                QByteArray scrambled = good;
                for (qsizetype i = 0; i < page; i += 7)
                    scrambled[number * page + i] = char(generator.bounded(256));
                QTest::addRow("%s, page %d scrambled", name, number) << scrambled;
            }
        }
        QTest::newRow("zeros") << QByteArray(80 * 1024, '\0');
    }
    void madeHere()
    {
        QFETCH(QByteArray, content);
        const Outcome outcome = load(m_dir.path(), content);
        QCOMPARE(outcome.output, QByteArray());
        // A clear message names the file, or the table component whose column is wrong.
        const QString path = m_dir.filePath(u"Norvenz SZW Kennblätter.mde"_s);
        if (!outcome.error.isEmpty())
            QVERIFY2(outcome.error.contains(u"'"_s + path + u"'"_s) ||
                         outcome.error.startsWith(u"qKennblaetter: "_s) ||
                         outcome.error.startsWith(u"adot"_s) ||
                         outcome.error == u"Nummer im falschen Format übergeben."_s,
                     qPrintable(outcome.error));
        else
            QCOMPARE(outcome.rows, GoodRows);
    }

    void goodCatalogueLoadsSilently_data()
    {
        QTest::addColumn<Jet::FileFormat>("format");
        QTest::newRow("Jet 4") << Jet::FileFormat::Jet4;
        QTest::newRow("Jet 3") << Jet::FileFormat::Jet3;
    }
    void goodCatalogueLoadsSilently()
    {
        QFETCH(Jet::FileFormat, format);
        const Outcome outcome = load(m_dir.path(), goodCatalogue(format));
        QCOMPARE(outcome.error, QString());
        QCOMPARE(outcome.rows, GoodRows);
        QCOMPARE(outcome.output, QByteArray());
    }

private:
    // 400 data sheets and the sample's 2 + 3 + 2 lookup rows.
    static constexpr qint32 GoodRows = 400 + 7;

    QByteArray goodCatalogue(Jet::FileFormat format)
    {
        std::vector<Jet::Table> tables = CatalogueTables::sample();
        CatalogueTables::Rows rows;
        for (int i = 0; i < 400; ++i) {
            rows.push_back({u"%1.%2"_s.arg(i + 1).arg(i % 100),
                            u"Schweißdraht %1"_s.arg(i),
                            {},
                            u"MÜL"_s,
                            u"S1"_s,
                            u"TÜO"_s,
                            i % 7 == 0});
        }
        tables[0] = CatalogueTables::verzeichnis(rows);
        const QString path = m_dir.filePath(u"gut.mde"_s);
        if (const QString problem = CatalogueTables::write(path, tables, format);
            !problem.isEmpty())
            qFatal("%s", qPrintable(problem));
        return readFile(path);
    }

    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TestDamagedFiles)
#include "tst_damagedfiles.moc"
