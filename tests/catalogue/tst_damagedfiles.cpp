// Damaged catalogues: the files of tests/data/damaged (hand-made damage and what the fuzzer
// found) and damage made here from a written catalogue. Each must load or fail with an
// AppError, never crash or hang, and libmdb must not write a byte to stdout or stderr.
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

namespace {

struct Outcome
{
    QString error; // empty when everything loaded
    qint32 records = 0;
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
    try {
        LookupList infogeber, zusatz, hersteller;
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
    outcome.records = catalogue.Count();
    outcome.output = output.text();
    return outcome;
}

QString databaseDamaged(const QString &path)
{
    return u"Die Datenbankdatei '%1' kann nicht gelesen werden: sie ist keine gültige "
           u"Access-Datenbank oder beschädigt."_s.arg(path);
}

QString tableDamaged(const QString &table, const QString &path)
{
    return u"Die Tabelle '%1' in der Datenbankdatei '%2' ist beschädigt."_s.arg(table, path);
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

    // Damage made here from a good catalogue: cut at many lengths, overwritten, or no
    // database at all. The file may be refused or a table may; rows read before stay.
    void madeHere_data()
    {
        QTest::addColumn<QByteArray>("content");
        const QByteArray good = goodCatalogue();
        for (qsizetype length : {0, 1, 100, 4095, 4096, 8192, 12288, 16384, 20000})
            QTest::addRow("first %lld bytes", qlonglong(length)) << good.first(length);
        for (qsizetype cut : {1, 100, 4096, 4097, 3 * 4096})
            QTest::addRow("%lld bytes short", qlonglong(cut)) << good.chopped(cut);
        QTest::newRow("half") << good.first(good.size() / 2);
        QTest::newRow("zeros") << QByteArray(good.size(), '\0');
        QRandomGenerator generator(321);
        QByteArray random(good.size(), '\0');
        for (char &c : random)
            c = char(generator.bounded(256));
        QTest::newRow("random bytes") << random;
        QByteArray randomWithHeader = good.first(4096) + random.sliced(4096);
        QTest::newRow("random after a good header") << randomWithHeader;
        for (int page = 1; page < good.size() / 4096; ++page) {
            QByteArray zeroed = good;
            zeroed.replace(page * 4096, 4096, QByteArray(4096, '\0'));
            QTest::addRow("page %d zeroed", page) << zeroed;
        }
        for (int page = 1; page < good.size() / 4096; ++page) {
            QByteArray scrambled = good;
            for (int i = 0; i < 4096; i += 7)
                scrambled[page * 4096 + i] = char(generator.bounded(256));
            QTest::addRow("page %d scrambled", page) << scrambled;
        }
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
                         outcome.error.startsWith(u"adot"_s),
                     qPrintable(outcome.error));
        else
            QVERIFY(outcome.records <= 400);
    }

    void goodCatalogueLoadsSilently()
    {
        const Outcome outcome = load(m_dir.path(), goodCatalogue());
        QCOMPARE(outcome.error, QString());
        QCOMPARE(outcome.records, 400);
        QCOMPARE(outcome.output, QByteArray());
    }

private:
    QByteArray goodCatalogue()
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
        if (const QString problem = CatalogueTables::write(path, tables); !problem.isEmpty())
            qFatal("%s", qPrintable(problem));
        return readFile(path);
    }

    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TestDamagedFiles)
#include "tst_damagedfiles.moc"
