#include "catalogue/cataloguedatabase.h"
#include "catalogue/catalogueloader.h"
#include "catalogue/lookuplist.h"
#include "catalogue/tkennblattliste.h"
#include "platform/apperror.h"
#include "platform/cp1252.h"

#include "cataloguetables.h"
#include "scripteddialogservice.h"

#include "testfiles.h"
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <optional>

using namespace Qt::StringLiterals;
using namespace CatalogueTables;
using Jet::Value;

Q_DECLARE_METATYPE(std::vector<Jet::Table>)
Q_DECLARE_METATYPE(Rows)
Q_DECLARE_METATYPE(Jet::FileFormat)

namespace {

const QString badNumber = u"Nummer im falschen Format übergeben."_s;

QByteArray cp(QStringView text)
{
    return Cp1252::fromUnicode(text);
}

Rows verzeichnisRows(const QList<QString> &numbers)
{
    Rows rows;
    for (const QString &number : numbers)
        rows.push_back({number, u"Marke "_s + number, {}, u"H"_s, u"Z"_s, u"T"_s, false});
    return rows;
}

struct Lookups
{
    LookupList infogeber;
    LookupList zusatz;
    LookupList hersteller;
    QList<QByteArray> items[3];

    LookupLists lists() { return {infogeber, zusatz, hersteller}; }
    LookupItemSink sink()
    {
        return [this](LookupTable table, const QByteArray &item) {
            items[int(table)].append(item);
        };
    }
};

} // namespace

// Every test runs on a catalogue in each format the viewer reads.
class TestCatalogueLoader : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase_data()
    {
        QTest::addColumn<Jet::FileFormat>("format");
        QTest::newRow("Jet 4") << Jet::FileFormat::Jet4;
        QTest::newRow("Jet 3") << Jet::FileFormat::Jet3;
    }
    void init()
    {
        m_database.reset();
        m_dir.emplace();
        QVERIFY(m_dir->isValid());
    }

    void connectionString()
    {
        QCOMPARE(CatalogueDatabase::ConnectionString("/daten/kat"),
                 QByteArray("Driver={Microsoft Access Driver (*.mdb)};DBQ=/daten/kat/Norvenz SZW "
                            "Kennbl\xe4tter.mde;"));
        QCOMPARE(CatalogueDatabase::ConnectionString("/daten/\xfc/"),
                 QByteArray("Driver={Microsoft Access Driver (*.mdb)};DBQ=/daten/\xfc//Norvenz "
                            "SZW Kennbl\xe4tter.mde;"));
    }

    void missingDatabaseFile_data()
    {
        QTest::addColumn<QString>("subfolder");
        QTest::newRow("folder without the file") << u"leer"_s;
        QTest::newRow("folder with umlaut") << u"Kennblätter"_s;
        QTest::newRow("a folder of the file's name") << u"mit Ordner"_s;
    }
    void missingDatabaseFile()
    {
        QFETCH(QString, subfolder);
        const QString folder = m_dir->filePath(subfolder);
        QVERIFY(QDir().mkpath(folder));
        if (subfolder == u"mit Ordner"_s)
            QVERIFY(QDir(folder).mkdir(u"Norvenz SZW Kennblätter.mde"_s));
        ScriptedDialogService dialogs;
        QVERIFY(!CatalogueDatabase::CheckDatabaseFile(cp(folder), dialogs));
        QCOMPARE(dialogs.shown().size(), 1);
        const MessageBoxSpec expected{
            u"Fehler"_s, MessageBoxSpec::Icon::Error, MessageBoxSpec::Buttons::Ok,
            u"Die Datenbankdatei '"_s + folder +
                u"/Norvenz SZW Kennblätter.mde' konnte nicht gefunden werden. Bitte tragen Sie "
                u"in der Ini-Datei unter 'Einstellungen','PfadZuMDEDatei' den korrekten Pfad "
                u"zur MDE ein."_s};
        QCOMPARE(dialogs.shown().front(), expected);
    }

    void folderWithAndWithoutSeparator_data()
    {
        QTest::addColumn<QString>("suffix");
        QTest::newRow("without") << QString();
        QTest::newRow("with") << u"/"_s;
    }
    void folderWithAndWithoutSeparator()
    {
        QFETCH(QString, suffix);
        writeCatalogue(sample());
        const QByteArray folder = cp(QString(m_dir->path() + suffix));
        ScriptedDialogService dialogs;
        QVERIFY(CatalogueDatabase::CheckDatabaseFile(folder, dialogs));
        QVERIFY(dialogs.shown().isEmpty());
        CatalogueDatabase database;
        database.SetConnectionString(CatalogueDatabase::ConnectionString(folder));
        TKennblattListe catalogue;
        LoadCatalogue(database, catalogue);
        QCOMPARE(catalogue.Count(), 3);
        QVERIFY(database.IsOpen());
        database.Close();
        QVERIFY(!database.IsOpen());
    }

    void catalogueRecords()
    {
        writeCatalogue(sample());
        TKennblattListe catalogue;
        LoadCatalogue(*m_database, catalogue);
        QCOMPARE(catalogue.Count(), 3);
        const TKennblatt &first = catalogue.Get(0);
        QCOMPARE(first.GetNummer(), QByteArray("01234.05"));
        QCOMPARE(first.Marke, cp(u"Fox Öl-Draht"));
        QCOMPARE(first.Pulvermarke, QByteArray()); // NULL
        QCOMPARE(first.HerstLiefSchl, cp(u"BÖH"));
        QCOMPARE(first.ZusatzSchl, QByteArray("S1"));
        QCOMPARE(first.InfoGeberSchl, cp(u"TÜO"));
        QCOMPARE(first.AenderungsFlag, quint8(2));
        QCOMPARE(catalogue.Get(1).Pulvermarke, cp(u"Pulver 12 €"));
        QCOMPARE(catalogue.Get(1).AenderungsFlag, quint8(1));
        QCOMPARE(catalogue.Get(2).Pulvermarke, QByteArray()); // ""
        QCOMPARE(catalogue.Get(2).Marke, QByteArray(" Marke mit Blanks "));
    }

    // Jet 4 cannot store a NULL yes/no value; a flag kept as a number can be NULL.
    void flagFromNumberColumn()
    {
        Jet::Table table = verzeichnis(verzeichnisRows({u"1.1"_s, u"1.2"_s, u"1.3"_s, u"1.4"_s}));
        table.columns[6] = longInt(u"AenderungsFlag"_s);
        const Value flags[] = {Value(), qint32(0), qint32(-1), qint32(1)};
        for (std::size_t i = 0; i < 4; ++i)
            table.rows[i][6] = flags[i];
        writeCatalogue({table});
        TKennblattListe catalogue;
        LoadCatalogue(*m_database, catalogue);
        QCOMPARE(catalogue.Count(), 4);
        QCOMPARE(catalogue.Get(0).AenderungsFlag, quint8(1));
        QCOMPARE(catalogue.Get(1).AenderungsFlag, quint8(1));
        QCOMPARE(catalogue.Get(2).AenderungsFlag, quint8(2));
        QCOMPARE(catalogue.Get(3).AenderungsFlag, quint8(2));
    }

    // Loading stops at the row; the rows before it stay.
    void badNumberStopsTheLoad_data()
    {
        QTest::addColumn<QList<QString>>("numbers");
        QTest::addColumn<int>("loaded");
        QTest::newRow("no dot in row 3")
            << QList<QString>{u"1.1"_s, u"2.2"_s, u"12"_s, u"4.4"_s} << 2;
        QTest::newRow("first row empty") << QList<QString>{u""_s, u"2.2"_s} << 0;
        QTest::newRow("NULL number") << QList<QString>{u"1.1"_s, {}} << 1;
        QTest::newRow("sub part not whole") << QList<QString>{u"1.2.3"_s} << 0;
    }
    void badNumberStopsTheLoad()
    {
        QFETCH(QList<QString>, numbers);
        QFETCH(int, loaded);
        Rows rows = verzeichnisRows(numbers);
        for (std::size_t i = 0; i < rows.size(); ++i) {
            if (numbers[qsizetype(i)].isNull())
                rows[i][0] = Value();
        }
        writeCatalogue({verzeichnis(rows)});
        TKennblattListe catalogue;
        QCOMPARE(errorOf([&] { LoadCatalogue(*m_database, catalogue); }), badNumber);
        QCOMPARE(catalogue.Count(), loaded);
    }

    void missingColumnOrTable_data()
    {
        QTest::addColumn<std::vector<Jet::Table>>("tables");
        QTest::addColumn<QString>("message");
        std::vector<Jet::Table> noNumber = sample();
        noNumber[0].columns[0].name = u"Nummer"_s;
        QTest::newRow("no KBNr") << noNumber
                                 << u"qKennblaetter: Das Feld 'KBNr' wurde nicht gefunden"_s;
        std::vector<Jet::Table> noFlag = sample();
        noFlag[0].columns[6].name = u"Geaendert"_s;
        QTest::newRow("no AenderungsFlag")
            << noFlag << u"qKennblaetter: Das Feld 'AenderungsFlag' wurde nicht gefunden"_s;
        // Read in order: the flag, then the texts from KBNr to InfoGeberSchl.
        std::vector<Jet::Table> noBrandNoKey = sample();
        noBrandNoKey[0].columns[1].name = u"Bezeichnung"_s;
        noBrandNoKey[0].columns[5].name = u"Pruefer"_s;
        QTest::newRow("no Marke and no InfoGeberSchl")
            << noBrandNoKey << u"qKennblaetter: Das Feld 'Marke' wurde nicht gefunden"_s;
        std::vector<Jet::Table> noKeys = sample();
        noKeys[0].columns[3].name = u"Hersteller"_s;
        noKeys[0].columns[4].name = u"Zusatz"_s;
        QTest::newRow("no HerstLiefSchl and no ZusatzSchl")
            << noKeys << u"qKennblaetter: Das Feld 'HerstLiefSchl' wurde nicht gefunden"_s;
        std::vector<Jet::Table> flagAsText = sample();
        flagAsText[0].columns[6] = text(u"AenderungsFlag"_s);
        for (auto &row : flagAsText[0].rows)
            row[6] = u"Ja"_s;
        QTest::newRow("AenderungsFlag as text")
            << flagAsText
            << u"qKennblaetter: Das Feld 'AenderungsFlag' enthält keinen Wahrheitswert."_s;
        std::vector<Jet::Table> brandAsFlag = sample();
        brandAsFlag[0].columns[1] = boolean(u"Marke"_s);
        for (auto &row : brandAsFlag[0].rows)
            row[1] = true;
        QTest::newRow("Marke as yes/no")
            << brandAsFlag << u"qKennblaetter: Das Feld 'Marke' enthält keinen Text."_s;
        QTest::newRow("no Verzeichnis")
            << std::vector<Jet::Table>{norvenz({})}
            << u"Die Tabelle 'Verzeichnis' wurde in der Datenbankdatei '%1' nicht gefunden."_s;
    }
    void missingColumnOrTable()
    {
        QFETCH(std::vector<Jet::Table>, tables);
        QFETCH(QString, message);
        writeCatalogue(tables);
        TKennblattListe catalogue;
        QCOMPARE(errorOf([&] { LoadCatalogue(*m_database, catalogue); }),
                 message.contains(u"%1"_s) ? message.arg(databasePath()) : message);
        QCOMPARE(catalogue.Count(), 0);
    }

    void lookups()
    {
        std::vector<Jet::Table> tables = sample();
        tables[3] = hersteller({{u"MÜL"_s, u"Müller"_s},
                                {u"abc"_s, u"klein"_s},
                                {u"ÄB"_s, u"Umlaut"_s},
                                {u"AB"_s, u"groß"_s},
                                {u"ABD"_s, u"mit D"_s},
                                {u"BÖH"_s, u"Böhler"_s}});
        writeCatalogue(tables);
        Lookups lookups;
        LoadLookups(*m_database, lookups.lists(), lookups.sink());
        QCOMPARE(lookups.items[0], (QList<QByteArray>{"Alle", cp(u"TÜO"), "DB"}));
        QCOMPARE(lookups.items[1], (QList<QByteArray>{"Alle", "S1", "UP", "Z"}));
        // Sorted by key as Access sorts: letter case and accents second.
        QCOMPARE(lookups.items[2], (QList<QByteArray>{"Alle", "AB", cp(u"ÄB"), "abc", "ABD",
                                                      cp(u"BÖH"), cp(u"MÜL")}));
        QCOMPARE(lookups.infogeber.lines(),
                 (QList<QByteArray>{cp(u"TÜO=Technische Überwachungsorganisation Süd"),
                                    "DB=Deutsche Bahn"}));
        QCOMPARE(lookups.zusatz.NameOf("z"), QByteArray()); // NULL name
        QCOMPARE(lookups.zusatz.Count(), 3);
        QCOMPARE(lookups.hersteller.NameOf(cp(u"böh")), cp(u"Böhler"));
        QCOMPARE(lookups.hersteller.lines().front(), cp(u"AB=groß"));
    }

    void emptyLookupTable()
    {
        std::vector<Jet::Table> tables = sample();
        tables[2] = zusatz({});
        writeCatalogue(tables);
        Lookups lookups;
        LoadLookups(*m_database, lookups.lists(), lookups.sink());
        QCOMPARE(lookups.items[1], QList<QByteArray>{"Alle"});
        QCOMPARE(lookups.zusatz.Count(), 0);
        QCOMPARE(lookups.items[2].size(), 3);
    }

    void duplicateLookupKeys()
    {
        std::vector<Jet::Table> tables = sample();
        tables[1] = infoGeber({{u"TÜO"_s, u"Erste"_s},
                               {u"DB"_s, u"Bahn"_s},
                               {u"TÜO"_s, u"Zweite"_s},
                               {u"db"_s, u"bahn klein"_s}});
        writeCatalogue(tables);
        Lookups lookups;
        LoadLookups(*m_database, lookups.lists(), lookups.sink());
        QCOMPARE(lookups.items[0], (QList<QByteArray>{"Alle", cp(u"TÜO"), "DB", cp(u"TÜO"), "db"}));
        QCOMPARE(lookups.infogeber.NameOf(cp(u"TÜO")), QByteArray("Zweite"));
        QCOMPARE(lookups.infogeber.NameOf(cp(u"tÜo")), QByteArray("Zweite"));
        QCOMPARE(lookups.infogeber.NameOf("DB"), QByteArray("bahn klein"));
    }

    // "Alle" goes in before the table is opened; the tables before stay loaded.
    void lookupErrors_data()
    {
        QTest::addColumn<int>("broken");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QList<int>>("itemCounts");
        QTest::newRow("no Schweißzusatz table")
            << 2
            << u"Die Tabelle 'H-Schweißzusatz' wurde in der Datenbankdatei '%1' nicht gefunden."_s
            << QList<int>{3, 1, 0};
        QTest::newRow("one-column Infogeber")
            << 1 << u"adotInfogeber: Das Feld Nr. 1 wurde nicht gefunden"_s << QList<int>{1, 0, 0};
        QTest::newRow("Hersteller without its sort column")
            << 3 << u"adotHersteller: Das Feld 'HerstLiefSchl' wurde nicht gefunden"_s
            << QList<int>{3, 4, 1};
    }
    void lookupErrors()
    {
        QFETCH(int, broken);
        QFETCH(QString, message);
        QFETCH(QList<int>, itemCounts);
        std::vector<Jet::Table> tables = sample();
        if (broken == 2)
            tables.erase(tables.begin() + 2);
        else if (broken == 1)
            tables[1] = {u"H-InformationsGeber"_s, {text(u"InfoGeberSchl"_s)}, {{u"TÜO"_s}}};
        else
            tables[3].columns[0].name = u"Schluessel"_s;
        writeCatalogue(tables);
        Lookups lookups;
        QCOMPARE(errorOf([&] { LoadLookups(*m_database, lookups.lists(), lookups.sink()); }),
                 message.contains(u"%1"_s) ? message.arg(databasePath()) : message);
        QCOMPARE((QList<int>{int(lookups.items[0].size()), int(lookups.items[1].size()),
                             int(lookups.items[2].size())}),
                 itemCounts);
    }

    void versionRecord_data()
    {
        QTest::addColumn<Rows>("rows");
        QTest::addColumn<QByteArray>("edition");
        QTest::addColumn<QByteArray>("label");
        QTest::addColumn<int>("warnings");
        QTest::newRow("one row") << Rows{{u"2024"_s, u"2"_s, u"Ausgabe Herbst 2024"_s}}
                                 << QByteArray("2024.2") << QByteArray("Ausgabe Herbst 2024") << 0;
        QTest::newRow("two rows: the first counts")
            << Rows{{u"2024"_s, u"1"_s, u"Frühjahr"_s}, {u"2024"_s, u"2"_s, u"Herbst"_s}}
            << QByteArray("2024.1") << cp(u"Frühjahr") << 1;
        QTest::newRow("three rows: one warning")
            << Rows{{u"1"_s, u"1"_s, u"a"_s}, {u"2"_s, u"2"_s, u"b"_s}, {u"3"_s, u"3"_s, u"c"_s}}
            << QByteArray("1.1") << QByteArray("a") << 1;
        QTest::newRow("NULL parts") << Rows{{{}, {}, {}}} << QByteArray(".") << QByteArray() << 0;
        QTest::newRow("no row") << Rows{} << QByteArray() << QByteArray() << 0;
    }
    void versionRecord()
    {
        QFETCH(Rows, rows);
        QFETCH(QByteArray, edition);
        QFETCH(QByteArray, label);
        QFETCH(int, warnings);
        writeCatalogue({norvenz(rows)});
        ScriptedDialogService dialogs;
        QByteArray Edition;
        QByteArray EditionLabel;
        LoadVersion(*m_database, Edition, EditionLabel, dialogs);
        QCOMPARE(Edition, edition);
        QCOMPARE(EditionLabel, label);
        QCOMPARE(dialogs.shown().size(), warnings);
        if (warnings > 0) {
            QCOMPARE(dialogs.shown().front(),
                     (MessageBoxSpec{u"Warnung"_s, MessageBoxSpec::Icon::Warning,
                                     MessageBoxSpec::Buttons::Ok,
                                     u"Mehr als einen Versionssatz NORVENZ gefunden!"_s}));
        }
    }

    // A file the reader cannot take is refused as a whole, and a format it knows is named.
    void unreadableDatabase_data()
    {
        QTest::addColumn<int>("versionByte"); // of a written catalogue, or -1 for no database
        QTest::addColumn<QString>("reason");
        const QString damaged = u"kann nicht gelesen werden: sie ist keine gültige "
                                u"Access-Datenbank oder beschädigt."_s;
        QTest::newRow("no database") << -1 << damaged;
        QTest::newRow("unknown version") << 0x47 << damaged;
        QTest::newRow("Access 2007")
            << 2
            << u"ist eine Access-Datenbank im Format Access 2007 (ACCDB), das nicht gelesen "
               u"werden kann."_s;
    }
    void unreadableDatabase()
    {
        QFETCH(int, versionByte);
        QFETCH(QString, reason);
        writeCatalogue(sample());
        QByteArray bytes = readFile(databasePath());
        if (versionByte < 0)
            bytes.fill('x');
        else
            bytes[0x14] = char(versionByte);
        writeFile(databasePath(), bytes);
        TKennblattListe catalogue;
        QCOMPARE(errorOf([&] { LoadCatalogue(*m_database, catalogue); }),
                 u"Die Datenbankdatei '%1' "_s.arg(databasePath()) + reason);
        QVERIFY(!m_database->IsOpen());
    }

private:
    QString databasePath() const { return m_dir->filePath(u"Norvenz SZW Kennblätter.mde"_s); }

    void writeCatalogue(const std::vector<Jet::Table> &tables)
    {
        QFETCH_GLOBAL(Jet::FileFormat, format);
        QCOMPARE(write(databasePath(), tables, format), QString());
        m_database = std::make_unique<CatalogueDatabase>();
        m_database->SetConnectionString(CatalogueDatabase::ConnectionString(cp(m_dir->path())));
    }

    std::optional<QTemporaryDir> m_dir; // a new one for each test
    std::unique_ptr<CatalogueDatabase> m_database;
};

QTEST_GUILESS_MAIN(TestCatalogueLoader)
#include "tst_catalogueloader.moc"
