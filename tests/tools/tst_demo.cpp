#include "catalogue/cataloguedatabase.h"
#include "catalogue/catalogueloader.h"
#include "catalogue/lookuplist.h"
#include "catalogue/pdffilename.h"
#include "catalogue/tkennblatt.h"
#include "catalogue/tkennblattliste.h"
#include "documents/referencedocuments.h"
#include "platform/cp1252.h"
#include "settings/profilefile.h"
#include "settings/programsettings.h"
#include "settings/settingskeys.h"
#include "tools/demo/democatalogue.h"
#include "tools/demo/democommandline.h"
#include "tools/demo/demodatabase.h"
#include "tools/demo/demogrades.h"
#include "tools/demo/demoinstaller.h"
#include "tools/demo/demoreferences.h"
#include "tools/demo/demosettings.h"
#include "tools/demo/helpdocument.h"
#include "tools/demo/sheetcontent.h"

#include "mdbcheck.h"
#include "scripteddialogservice.h"

#include "testfiles.h"
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

using namespace Qt::StringLiterals;

namespace {

constexpr int SmallCount = 40;

// The page count pdfinfo reports; 0 when it does not take the file for a PDF.
int pdfPages(const QString &path)
{
    const MdbCheck::ToolRun run = MdbCheck::runTool(u"pdfinfo"_s, {path});
    if (run.exitCode != 0)
        return 0;
    const QRegularExpressionMatch match =
        QRegularExpression(u"^Pages:\\s+(\\d+)$"_s, QRegularExpression::MultilineOption)
            .match(QString::fromUtf8(run.out));
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

// The text of a PDF (or of one page of it); with `layout` lines keep their columns.
QString pdfText(const QString &path, int page = 0, bool layout = false)
{
    QStringList arguments;
    if (layout)
        arguments << u"-layout"_s;
    if (page > 0)
        arguments << u"-f"_s << QString::number(page) << u"-l"_s << QString::number(page);
    arguments << path << u"-"_s;
    const MdbCheck::ToolRun run = MdbCheck::runTool(u"pdftotext"_s, arguments);
    return run.exitCode == 0 ? QString::fromUtf8(run.out) : QString();
}

// Text without any white space, for names that a table cell may have wrapped.
QString squeezed(QString text)
{
    text.remove(QRegularExpression(u"\\s+"_s));
    return text;
}

QString toolOutput(const QString &program, const QStringList &arguments)
{
    const MdbCheck::ToolRun run = MdbCheck::runTool(program, arguments);
    return run.exitCode == 0 ? QString::fromUtf8(run.out)
                             : u"FAILED: "_s + QString::fromUtf8(run.err);
}

Demo::InstallProgress stopAfterFirstSlice()
{
    return [](int, int) {
        return false;
    };
}

// Folders beside `folder` that a run left behind.
QStringList leftovers(const QString &folder)
{
    return QDir(folder).entryList({u".kb-demo*"_s}, QDir::AllEntries | QDir::Hidden);
}

bool isSubmergedArc(const Demo::Catalogue &catalogue, const Demo::DataSheet &sheet)
{
    return catalogue.kindOf(sheet).process == Demo::Process::SubmergedArc;
}

} // namespace

class TestDemo : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_folder; // the installation made once for the whole suite
    QString m_ini;
    Demo::Catalogue m_catalogue;

    QString databasePath() const
    {
        return QDir(m_folder).filePath(Demo::DatabaseFileName.toString());
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_folder = m_dir.filePath(u"demo"_s);
        m_ini = m_dir.filePath(u"kennblaetter.INI"_s);
        Demo::InstallOptions options;
        options.folder = m_folder;
        options.settingsPath = m_ini;
        options.count = SmallCount;
        QString error;
        Demo::InstallReport report;
        QVERIFY2(Demo::installDemo(options, &report, &error), qPrintable(error));
        QCOMPARE(report.files,
                 SmallCount + 10 + 1 + 1 + 1 + 1); // sheets, references, help, .mde,
                                                   // report project, marker
        QCOMPARE(QFile(QDir(m_folder).filePath(u"Listen.xml"_s)).size(),
                 QFileInfo(QStringLiteral(KB_REPORT_PROJECT)).size());
        m_catalogue = Demo::generateCatalogue(SmallCount);
    }

    // --- The catalogue database ---

    void databaseHasTheFiveTablesWithTheirColumns_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("header");
        QTest::newRow("Verzeichnis")
            << u"Verzeichnis"_s
            << u"KBNr,Marke,Pulvermarke,HerstLiefSchl,ZusatzSchl,InfoGeberSchl,AenderungsFlag"_s;
        QTest::newRow("organisations") << u"H-InformationsGeber"_s << u"InfoGeberSchl,InfoGeber"_s;
        QTest::newRow("kinds") << u"H-Schweißzusatz"_s << u"ZusatzSchl,Zusatz"_s;
        QTest::newRow("manufacturers")
            << u"H-HerstellerLieferer"_s << u"HerstLiefSchl,HerstellerLieferer,Strasse,PLZ,Ort"_s;
        QTest::newRow("edition") << u"norvenz"_s << u"Ausgabe,Teil,Bezeichnung"_s;
    }

    void databaseHasTheFiveTablesWithTheirColumns()
    {
        QFETCH(QString, table);
        QFETCH(QString, header);
        QCOMPARE(toolOutput(u"mdb-tables"_s, {u"-1"_s, databasePath()}),
                 u"Verzeichnis\nH-InformationsGeber\nH-Schweißzusatz\nH-HerstellerLieferer\n"
                 u"norvenz\n"_s);
        const QString exported = toolOutput(u"mdb-export"_s, {databasePath(), table});
        QCOMPARE(exported.section(u'\n', 0, 0), header);
    }

    void databaseRowCounts()
    {
        const auto count = [this](const QString &table) {
            return toolOutput(u"mdb-count"_s, {databasePath(), table}).trimmed().toInt();
        };
        QCOMPARE(count(u"Verzeichnis"_s), SmallCount);
        QCOMPARE(count(u"H-InformationsGeber"_s), 6);
        QCOMPARE(count(u"H-Schweißzusatz"_s), m_catalogue.kinds.size());
        QVERIFY(m_catalogue.kinds.size() >= 18 && m_catalogue.kinds.size() <= 26);
        QCOMPARE(count(u"H-HerstellerLieferer"_s), m_catalogue.manufacturers.size());
        QVERIFY(m_catalogue.manufacturers.size() >= 55 && m_catalogue.manufacturers.size() <= 65);
        QCOMPARE(count(u"norvenz"_s), 1);
    }

    // The viewer's own loading code reads the file without a message and gets what the
    // generator made, row for row.
    void viewerLoadsTheDatabase()
    {
        const QByteArray folder = Cp1252::fromUnicode(QString(m_folder + u'/'));
        ScriptedDialogService dialogs;
        QVERIFY(CatalogueDatabase::CheckDatabaseFile(folder, dialogs));
        CatalogueDatabase database;
        database.SetConnectionString(CatalogueDatabase::ConnectionString(folder));
        TKennblattListe catalogue;
        LoadCatalogue(database, catalogue);
        LookupList organisations, kinds, makers;
        QList<QByteArray> makerItems;
        LoadLookups(database, {organisations, kinds, makers},
                    [&makerItems](LookupTable table, const QByteArray &item) {
                        if (table == LookupTable::Hersteller)
                            makerItems.append(item);
                    });
        QByteArray edition, label;
        LoadVersion(database, edition, label, dialogs);
        QVERIFY(dialogs.shown().isEmpty());

        QCOMPARE(catalogue.Count(), SmallCount);
        QCOMPARE(edition, QByteArray("2026.2"));
        QCOMPARE(Cp1252::toUnicode(label), m_catalogue.edition.label);
        QCOMPARE(organisations.Count(), m_catalogue.organisations.size());
        QCOMPARE(kinds.Count(), m_catalogue.kinds.size());
        QCOMPARE(makerItems.size(), m_catalogue.manufacturers.size() + 1); // "Alle" first
        for (int i = 0; i < SmallCount; ++i) {
            const TKennblatt &loaded = catalogue.Get(i);
            const Demo::DataSheet &made = m_catalogue.sheets[i];
            QCOMPARE(loaded.GetNummer(), made.number().toLatin1());
            QCOMPARE(Cp1252::toUnicode(loaded.Marke), made.brand);
            QCOMPARE(Cp1252::toUnicode(loaded.Pulvermarke), made.fluxBrand);
            QCOMPARE(loaded.AenderungsFlag, made.changed ? 2 : 1);
            // The names behind the keys, as the lookup drop-downs show them.
            QCOMPARE(Cp1252::toUnicode(makers.NameOf(loaded.HerstLiefSchl)),
                     m_catalogue.manufacturerOf(made).name);
            QCOMPARE(Cp1252::toUnicode(kinds.NameOf(loaded.ZusatzSchl)),
                     m_catalogue.kindOf(made).name);
            QCOMPARE(Cp1252::toUnicode(organisations.NameOf(loaded.InfoGeberSchl)),
                     m_catalogue.organisationOf(made).name);
        }
        // Every key of the lookup tables, umlauts and letter case as written, finds its name.
        const auto findsItsName = [](const LookupList &list, const QString &key,
                                     const QString &name) {
            return Cp1252::toUnicode(list.NameOf(Cp1252::fromUnicode(key))) == name;
        };
        for (const Demo::Manufacturer &m : m_catalogue.manufacturers)
            QVERIFY2(findsItsName(makers, m.key, m.name), qPrintable(m.key));
        for (const Demo::ConsumableKind &k : m_catalogue.kinds)
            QVERIFY2(findsItsName(kinds, k.key, k.name), qPrintable(k.key));
        for (const Demo::Organisation &o : m_catalogue.organisations)
            QVERIFY2(findsItsName(organisations, o.key, o.name), qPrintable(o.key));
    }

    // The key filters compare whole keys, so a sheet's key must be a lookup key exactly.
    void everyUsedKeyIsInItsLookupTable()
    {
        const Demo::Catalogue big = Demo::generateCatalogue(Demo::DefaultCount);
        QSet<QString> makers, kinds, organisations;
        for (const Demo::Manufacturer &m : big.manufacturers)
            makers.insert(m.key);
        for (const Demo::ConsumableKind &k : big.kinds)
            kinds.insert(k.key);
        for (const Demo::Organisation &o : big.organisations)
            organisations.insert(o.key);
        QCOMPARE(makers.size(), big.manufacturers.size()); // unique keys
        const std::vector<Jet::Table> tables = Demo::databaseTables(big);
        for (const std::vector<Jet::Value> &row : tables[0].rows) {
            QVERIFY(makers.contains(std::get<QString>(row[3])));
            QVERIFY(kinds.contains(std::get<QString>(row[4])));
            QVERIFY(organisations.contains(std::get<QString>(row[5])));
        }
    }

    void numbersAreUniqueReadableAndNotStoredInOrder()
    {
        const Demo::Catalogue big = Demo::generateCatalogue(Demo::DefaultCount);
        const QRegularExpression form(u"^\\d{5}\\.\\d{2}$"_s);
        QSet<QString> seen;
        int ascending = 0;
        QString previous;
        for (const Demo::DataSheet &sheet : big.sheets) {
            const QString number = sheet.number();
            QVERIFY2(form.match(number).hasMatch(), qPrintable(number));
            QVERIFY2(!seen.contains(number), qPrintable(number));
            seen.insert(number);
            TKennblatt record;
            record.SetNummer(number.toLatin1()); // raises on a number the viewer cannot read
            QCOMPARE(record.GetNummer(), number.toLatin1());
            QVERIFY(sheet.mainNumber >= 1 && sheet.mainNumber <= 99999);
            ascending += number > previous ? 1 : 0;
            previous = number;
        }
        // Shuffled: about half the neighbours ascend, never nearly all.
        QVERIFY2(ascending < big.sheets.size() * 0.7, qPrintable(QString::number(ascending)));
        // Products with several variants exist, as the sub numbers are for.
        QVERIFY(std::any_of(big.sheets.begin(), big.sheets.end(),
                            [](const Demo::DataSheet &s) { return s.subNumber >= 3; }));
    }

    void fluxBrandOnlyForSubmergedArc()
    {
        const Demo::Catalogue big = Demo::generateCatalogue(Demo::DefaultCount);
        const std::vector<Jet::Table> tables = Demo::databaseTables(big);
        int nulls = 0, empties = 0, fluxes = 0;
        for (qsizetype i = 0; i < big.sheets.size(); ++i) {
            const Jet::Value &flux = tables[0].rows[std::size_t(i)][2];
            const bool saw = isSubmergedArc(big, big.sheets[i]);
            if (std::holds_alternative<std::monostate>(flux)) {
                QVERIFY(!saw);
                ++nulls;
            } else if (std::get<QString>(flux).isEmpty()) {
                QVERIFY(!saw);
                ++empties;
            } else {
                QVERIFY(saw);
                ++fluxes;
            }
        }
        // Both forms of "no flux" occur, NULL far more often.
        QVERIFY(nulls > empties && empties > 0);
        QVERIFY(fluxes > 0);
    }

    void countLimits()
    {
        QCOMPARE(Demo::generateCatalogue(Demo::MinCount).sheets.size(), 1);
        const Demo::Catalogue largest = Demo::generateCatalogue(Demo::MaxCount);
        QCOMPARE(largest.sheets.size(), Demo::MaxCount);
        QSet<QString> numbers;
        for (const Demo::DataSheet &sheet : largest.sheets)
            numbers.insert(sheet.number());
        QCOMPARE(numbers.size(), Demo::MaxCount);
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, Demo::generateCatalogue(0));
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument,
                                 Demo::generateCatalogue(Demo::MaxCount + 1));
    }

    void sameSeedSameDatabaseBytes()
    {
        const auto write = [this](quint64 seed, const QString &name) {
            const QString path = m_dir.filePath(name);
            QString error;
            if (!Demo::writeDatabase(Demo::generateCatalogue(300, seed), path, &error))
                return QByteArray(QByteArray("FAILED: ") + error.toUtf8());
            return readFile(path);
        };
        const QByteArray first = write(11, u"a.mde"_s);
        const QByteArray again = write(11, u"b.mde"_s);
        const QByteArray other = write(12, u"c.mde"_s);
        QVERIFY(first.size() > 4096);
        QVERIFY(first == again);
        QVERIFY(first != other);
        // And the installed one came from the default seed.
        QString error;
        QVERIFY(Demo::writeDatabase(Demo::generateCatalogue(SmallCount), m_dir.filePath(u"d.mde"_s),
                                    &error));
        QVERIFY(readFile(m_dir.filePath(u"d.mde"_s)) == readFile(databasePath()));
    }

    // --- The PDFs ---

    void everyDataSheetHasItsPdf()
    {
        const QByteArray folder = Cp1252::fromUnicode(QString(m_folder + u'/'));
        for (const Demo::DataSheet &sheet : m_catalogue.sheets) {
            // Found where the viewer looks: its folder rule and its file-name rule.
            const QString path = joinPath(folder, kennblattPdfFileName(sheet.number().toLatin1()));
            const int pages = pdfPages(path);
            QCOMPARE(pages, Demo::sheetContent(m_catalogue, sheet).twoPages ? 2 : 1);
            const QString text = pdfText(path).simplified();
            QVERIFY2(text.contains(sheet.number()), qPrintable(path));
            QVERIFY2(text.contains(sheet.brand), qPrintable(sheet.brand));
            QVERIFY(text.contains(m_catalogue.manufacturerOf(sheet).name));
            QCOMPARE(text.contains(u"Geändert in der"_s), sheet.changed);
            if (!sheet.fluxBrand.isEmpty())
                QVERIFY(text.contains(sheet.fluxBrand));
        }
    }

    void referenceDocumentsAreValidPdfs()
    {
        QCOMPARE(Demo::referenceFiles().size(), qsizetype(ReferenceDocuments.size()));
        for (qsizetype i = 0; i < Demo::referenceFiles().size(); ++i) {
            const Demo::ReferenceFile &file = Demo::referenceFiles()[i];
            QVERIFY(file.settingsKey == ReferenceDocuments[std::size_t(i)].settingsKey);
            const QString path = QDir(m_folder).filePath(file.fileName);
            QVERIFY2(pdfPages(path) >= 1, qPrintable(path));
        }
    }

    // The three lists hold every sheet, each in its own order.
    void listsAreMadeFromTheCatalogue()
    {
        const QString byNumber =
            pdfText(QDir(m_folder).filePath(u"Kennblattliste nach Nummer.pdf"_s));
        QStringList numbers;
        for (const Demo::DataSheet &sheet : m_catalogue.sheets)
            numbers.append(sheet.number());
        std::sort(numbers.begin(), numbers.end());
        qsizetype at = 0;
        for (const QString &number : std::as_const(numbers)) {
            at = byNumber.indexOf(number, at);
            QVERIFY2(at >= 0, qPrintable(number + u" missing or out of order"_s));
        }
        const QString byBrand =
            pdfText(QDir(m_folder).filePath(u"Kennblattliste nach Marke.pdf"_s)).simplified();
        const QString byMaker =
            pdfText(QDir(m_folder).filePath(u"Kennblattliste nach Hersteller.pdf"_s));
        const QString makers =
            squeezed(pdfText(QDir(m_folder).filePath(u"Hersteller-Lieferer.pdf"_s)));
        for (const Demo::DataSheet &sheet : m_catalogue.sheets) {
            QVERIFY(byBrand.contains(sheet.number()));
            QVERIFY2(byBrand.contains(sheet.brand), qPrintable(sheet.brand));
            QVERIFY(byMaker.contains(sheet.number()));
        }
        for (const Demo::Manufacturer &m : m_catalogue.manufacturers)
            QVERIFY2(makers.contains(squeezed(m.name)), qPrintable(m.name));
    }

    // The cover sheet and the lists count the sheets and the changed ones of the catalogue.
    void changedSheetsAreCounted()
    {
        const int changed = int(std::count_if(m_catalogue.sheets.begin(), m_catalogue.sheets.end(),
                                              [](const Demo::DataSheet &s) { return s.changed; }));
        QVERIFY(changed > 0 && changed < SmallCount); // both kinds, or the counts prove nothing
        const QString cover = pdfText(QDir(m_folder).filePath(u"Deckblatt.pdf"_s)).simplified();
        // The four figures stand in a row above their captions.
        QVERIFY2(cover.contains(u"%1 %2 %3 %4 Kennblätter davon geändert"_s.arg(SmallCount)
                                    .arg(changed)
                                    .arg(m_catalogue.manufacturers.size())
                                    .arg(m_catalogue.organisations.size())),
                 qPrintable(cover));
        const QString list =
            pdfText(QDir(m_folder).filePath(u"Kennblattliste nach Marke.pdf"_s)).simplified();
        QVERIFY(list.contains(
            u"alle %1 Kennblätter der %2"_s.arg(SmallCount).arg(m_catalogue.edition.label)));
        QVERIFY(list.contains(u"geändert (%1 Kennblätter)"_s.arg(changed)));
        QCOMPARE(list.count(u"**"_s), changed + 1); // the marks, and the intro that explains them
    }

    void longListsRunOverSeveralPages()
    {
        // Even 40 sheets, 60 makers and the fixed tables take more than one page each.
        QVERIFY(pdfPages(QDir(m_folder).filePath(u"Kennblattliste nach Nummer.pdf"_s)) >= 2);
        QVERIFY(pdfPages(QDir(m_folder).filePath(u"Hersteller-Lieferer.pdf"_s)) >= 2);
        QVERIFY(pdfPages(QDir(m_folder).filePath(u"Übersetzungstabelle.pdf"_s)) >= 2);
    }

    void helpIsAGuideWithRightContents()
    {
        const QString path = QDir(m_folder).filePath(Demo::HelpFileName.toString());
        const int pages = pdfPages(path);
        QVERIFY2(pages >= 6, qPrintable(QString::number(pages)));
        const QString text = pdfText(path).simplified();
        for (const QString &term :
             {u"Filter löschen"_s, u"FilterImmerAlsTeilString"_s, u"Kennblatt Pilvo"_s,
              u"markierte Kennblätter"_s, u"1 Kennblatt markiert"_s, u"01234_05.pdf"_s,
              u"PfadZuPDFDateien"_s, u"NamePDFAustenitischeStaehle"_s, u"Listen Vorschau"_s})
            QVERIFY2(text.contains(term), qPrintable(term));
        // Each line of the contents names the page its chapter starts on.
        const QList<Demo::HelpChapter> chapters = Demo::helpChapters(m_catalogue);
        const QString contents = pdfText(path, 1, true);
        for (qsizetype i = 0; i < chapters.size(); ++i) {
            const QString title = QRegularExpression::escape(chapters[i].title);
            const QRegularExpressionMatch entry =
                QRegularExpression(u"^\\s*%1\\s+%2\\s+(\\d+)\\s*$"_s.arg(i + 1).arg(title),
                                   QRegularExpression::MultilineOption)
                    .match(contents);
            QVERIFY2(entry.hasMatch(), qPrintable(chapters[i].title));
            const int page = entry.captured(1).toInt();
            QVERIFY(page >= 2 && page <= pages);
            const QRegularExpression heading(u"(^|\\s)%1\\s+%2(\\s|$)"_s.arg(i + 1).arg(title));
            QVERIFY2(pdfText(path, page).simplified().contains(heading),
                     qPrintable(u"%1 not on page %2"_s.arg(chapters[i].title).arg(page)));
        }
    }

    // --- The settings file ---

    void settingsFileNamesTheInstallation()
    {
        ProfileFile profile(m_ini);
        using namespace SettingsKeys;
        const QByteArray folder =
            Cp1252::fromUnicode(QString(QDir(m_folder).absolutePath() + u'/'));
        QCOMPARE(profile.readString(Einstellungen, PfadZuMDEDatei, {}), folder);
        QCOMPARE(profile.readString(Einstellungen, PfadZuPDFDateien, {}), folder);
        QCOMPARE(profile.readInteger(Einstellungen, TimerSplash, -1), 1500);
        QCOMPARE(profile.readInteger(Einstellungen, FilterImmerAlsTeilString, -1), 0);
        for (const ReferenceDocument &document : ReferenceDocuments) {
            const QByteArrayView key = document.settingsKey;
            const QByteArray name = profile.readString(Einstellungen, key, {});
            QVERIFY2(!name.isEmpty(), key.data());
            QVERIFY2(QFileInfo(joinPath(folder, name)).isFile(), name.constData());
        }
    }

    void settingsFileIsWindowsText()
    {
        const QByteArray bytes = readFile(m_ini);
        QVERIFY(bytes.contains("[Einstellungen]\r\n"));
        QCOMPARE(bytes.count("\n"), bytes.count("\r\n")); // no bare line feed
        QVERIFY(bytes.contains("NamePDFUebersetzungstabelle=\xdc"
                               "bersetzungstabelle.pdf\r\n"));
        QVERIFY(!bytes.contains("\xc3")); // no UTF-8
    }

    void settingsFileIsReplacedAsAWhole()
    {
        const QString ini = m_dir.filePath(u"replace.INI"_s);
        writeFile(ini, "[View]\nAenderungsfilter=2\n[Einstellungen]\nPfadZuMDEDatei=C:\\alt\\\n");
        QString error;
        QVERIFY2(Demo::writeSettingsFile(ini, m_folder, &error), qPrintable(error));
        ProfileFile profile(ini);
        QCOMPARE(profile.readInteger(SettingsKeys::View, SettingsKeys::Aenderungsfilter, -1), -1);
        QVERIFY(profile.readString(SettingsKeys::Einstellungen, SettingsKeys::PfadZuMDEDatei, {})
                    .endsWith("/demo/"));
        QVERIFY(!QFile::exists(ini + u".kb-demo-tmp"_s));
    }

    void settingsRefuseAFolderWindows1252CannotHold()
    {
        const QString ini = m_dir.filePath(u"cyrillic.INI"_s);
        writeFile(ini, "[Einstellungen]\r\nTimerSplash=7\r\n");
        QString error;
        QVERIFY(!Demo::writeSettingsFile(ini, m_dir.filePath(u"Каталог"_s), &error));
        QVERIFY(error.contains(u"Windows-1252"_s));
        QCOMPARE(readFile(ini), QByteArray("[Einstellungen]\r\nTimerSplash=7\r\n"));
    }

    // --- Installing ---

    void installationIsMarkedComplete()
    {
        QVERIFY(Demo::isCompleteDemo(m_folder));
        QCOMPARE(readFile(QDir(m_folder).filePath(Demo::MarkerFileName.toString())),
                 QByteArray("count=40\nseed=20262\n"));
        QVERIFY(leftovers(m_dir.path()).isEmpty());
        // Readable by others as far as the umask allows, as a folder made by mkdir.
        const QString made = m_dir.filePath(u"made"_s);
        QVERIFY(QDir().mkdir(made));
        QCOMPARE(QFileInfo(m_folder).permissions(), QFileInfo(made).permissions());
    }

    void stoppedRunLeavesNoFolder()
    {
        Demo::InstallOptions options;
        options.folder = m_dir.filePath(u"stopped"_s);
        options.settingsPath = m_dir.filePath(u"stopped.INI"_s);
        options.count = 250;
        QString error;
        QVERIFY(!Demo::installDemo(options, nullptr, &error, stopAfterFirstSlice()));
        QVERIFY(!QFileInfo::exists(options.folder));
        QVERIFY(!QFileInfo::exists(options.settingsPath));
        QVERIFY(leftovers(m_dir.path()).isEmpty());
    }

    void stoppedRunKeepsTheOldInstallation()
    {
        const QString marker = QDir(m_folder).filePath(Demo::MarkerFileName.toString());
        const QByteArray before = readFile(marker);
        Demo::InstallOptions options;
        options.folder = m_folder;
        options.count = 250;
        QString error;
        QVERIFY(!Demo::installDemo(options, nullptr, &error, stopAfterFirstSlice()));
        QCOMPARE(readFile(marker), before);
        QVERIFY(QFileInfo::exists(databasePath()));
        QVERIFY(leftovers(m_dir.path()).isEmpty());
    }

    void earlierDemoIsReplacedWhole()
    {
        const QString folder = m_dir.filePath(u"again"_s);
        Demo::InstallOptions options;
        options.folder = folder;
        options.count = 3;
        QString error;
        QVERIFY2(Demo::installDemo(options, nullptr, &error), qPrintable(error));
        writeFile(QDir(folder).filePath(u"stale.pdf"_s), "old");
        options.count = 2;
        QVERIFY2(Demo::installDemo(options, nullptr, &error), qPrintable(error));
        QVERIFY(!QFileInfo::exists(QDir(folder).filePath(u"stale.pdf"_s)));
        QCOMPARE(readFile(QDir(folder).filePath(Demo::MarkerFileName.toString())),
                 QByteArray("count=2\nseed=20262\n"));
        QVERIFY(leftovers(m_dir.path()).isEmpty());
    }

    void foreignFolderIsNotReplaced_data()
    {
        QTest::addColumn<bool>("asFile");
        QTest::newRow("folder with other files") << false;
        QTest::newRow("a file") << true;
    }

    void foreignFolderIsNotReplaced()
    {
        QFETCH(bool, asFile);
        const QString target = m_dir.filePath(asFile ? u"file"_s : u"foreign"_s);
        const QString precious = asFile ? target : QDir(target).filePath(u"notes.txt"_s);
        if (!asFile)
            QVERIFY(QDir().mkpath(target));
        writeFile(precious, "keep me");
        Demo::InstallOptions options;
        options.folder = target;
        options.count = 2;
        QString error;
        QVERIFY(!Demo::installDemo(options, nullptr, &error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(readFile(precious), QByteArray("keep me"));
    }

    // --- Command line ---

    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("settings");
        QTest::newRow("folder only")
            << QStringList{u"out"_s} << true << Demo::DefaultCount << QString();
        QTest::newRow("all options")
            << QStringList{u"--count"_s, u"40"_s,        u"--seed"_s, u"9"_s,  u"-s"_s,
                           u"k.INI"_s,   u"--threads"_s, u"1"_s,      u"out"_s}
            << true << 40 << u"k.INI"_s;
        QTest::newRow("smallest") << QStringList{u"-c"_s, u"1"_s, u"out"_s} << true << 1
                                  << QString();
        QTest::newRow("largest") << QStringList{u"-c"_s, u"200000"_s, u"out"_s} << true << 200000
                                 << QString();
        QTest::newRow("no folder") << QStringList{u"--count"_s, u"4"_s} << false << 0 << QString();
        QTest::newRow("two folders") << QStringList{u"a"_s, u"b"_s} << false << 0 << QString();
        QTest::newRow("count 0") << QStringList{u"-c"_s, u"0"_s, u"out"_s} << false << 0
                                 << QString();
        QTest::newRow("count too large")
            << QStringList{u"-c"_s, u"200001"_s, u"out"_s} << false << 0 << QString();
        QTest::newRow("count negative")
            << QStringList{u"-c"_s, u"-5"_s, u"out"_s} << false << 0 << QString();
        QTest::newRow("count not a number")
            << QStringList{u"-c"_s, u"viele"_s, u"out"_s} << false << 0 << QString();
        QTest::newRow("threads 0")
            << QStringList{u"--threads"_s, u"0"_s, u"out"_s} << false << 0 << QString();
        QTest::newRow("unknown option")
            << QStringList{u"--colour"_s, u"out"_s} << false << 0 << QString();
    }

    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, valid);
        QFETCH(int, count);
        QFETCH(QString, settings);
        Demo::CommandLine result;
        QString error;
        arguments.prepend(u"kb-demo"_s);
        QCOMPARE(Demo::parseCommandLine(arguments, result, &error), valid);
        QCOMPARE(error.isEmpty(), valid);
        if (valid) {
            QCOMPARE(result.options.count, count);
            QCOMPARE(result.options.settingsPath, settings);
            QCOMPARE(result.options.folder, u"out"_s);
        }
    }

    // For benchmarks: the database alone, quickly, with every row the full demo has.
    void databaseOnlyWritesTheCatalogueAlone()
    {
        const QString folder = m_dir.filePath(u"databaseonly"_s);
        const QString ini = m_dir.filePath(u"databaseonly.INI"_s);
        QProcess run;
        run.start(QStringLiteral(KBDEMO_PATH),
                  {u"-q"_s, u"--database-only"_s, u"-c"_s, u"500"_s, u"-s"_s, ini, folder});
        QVERIFY(run.waitForFinished(60000));
        QCOMPARE(run.exitCode(), 0);
        QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{Demo::DatabaseFileName.toString()});

        // Loaded the viewer's way, through the written settings file.
        const QByteArray mdeFolder = ProfileFile(ini).readString(SettingsKeys::Einstellungen,
                                                                 SettingsKeys::PfadZuMDEDatei, {});
        CatalogueDatabase database;
        database.SetConnectionString(CatalogueDatabase::ConnectionString(mdeFolder));
        TKennblattListe catalogue;
        LoadCatalogue(database, catalogue);
        const Demo::Catalogue made = Demo::generateCatalogue(500);
        QCOMPARE(catalogue.Count(), 500);
        for (int i = 0; i < 500; ++i)
            QCOMPARE(catalogue.Get(i).GetNummer(), made.sheets[i].number().toLatin1());
    }

    void programRunsAndFailsWithAMessage()
    {
        const QString folder = m_dir.filePath(u"byprogram"_s);
        QProcess ok;
        ok.start(QStringLiteral(KBDEMO_PATH), {u"-q"_s, u"--count"_s, u"3"_s, folder});
        QVERIFY(ok.waitForFinished(60000));
        QCOMPARE(ok.exitCode(), 0);
        QVERIFY(ok.readAllStandardOutput().isEmpty());
        QVERIFY(Demo::isCompleteDemo(folder));

        QProcess bad;
        bad.start(QStringLiteral(KBDEMO_PATH), {u"--count"_s, u"0"_s, folder});
        QVERIFY(bad.waitForFinished(60000));
        QCOMPARE(bad.exitCode(), 1);
        QVERIFY(bad.readAllStandardError().contains("kb-demo: --count wants"));
    }
};

QTEST_MAIN(TestDemo)
#include "tst_demo.moc"
