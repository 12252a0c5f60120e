// The print command: its branches, the batch print of data sheets through the PDF view
// control and the real engine on a CUPS queue of the test's own (cups-pdf), the abort, and
// the printer setup. Only the user of the print dialogs is played by the test.
#include "app/pdfviewsheetprinter.h"
#include "catalogue/loadedcatalogue.h"
#include "catalogue/tkennblattliste.h"
#include "platform/apperror.h"
#include "platform/cp1252.h"
#include "printing/batchpdfpath.h"
#include "printing/currentprinter.h"
#include "printing/interactivereportsystem.h"
#include "printing/printcommands.h"
#include "printing/untdruckstatus.h"
#include "printing/untlisten.h"
#include "privatecups.h"
#include "scripteddialogservice.h"
#include "settings/programsettings.h"
#include "testpdfs.h"
#include "vectorcurrentlist.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// The real printer with a hand for the tests: it records the files it is given, and runs
// `afterPrint` when a print command returns, where a click would come in if the engine let
// events in while it prints.
class WatchedSheetPrinter final : public SheetPrinter
{
public:
    explicit WatchedSheetPrinter(SheetPrinter &printer)
        : m_printer(printer)
    {
    }

    QStringList loaded;
    QStringList printed;
    std::function<void()> afterPrint;

    bool LoadFromFile(const QString &path) override
    {
        loaded.append(path);
        return m_printer.LoadFromFile(path);
    }
    bool SelectPrinter(const QString &deviceName) override
    {
        return m_printer.SelectPrinter(deviceName);
    }
    bool PrintPages(int first, int last) override
    {
        const bool done = m_printer.PrintPages(first, last);
        if (done)
            printed.append(loaded.last());
        if (afterPrint)
            afterPrint();
        return done;
    }
    QString errorText() const override { return m_printer.errorText(); }

private:
    SheetPrinter &m_printer;
};

QString pdfText(const QString &path)
{
    QProcess process;
    process.start(u"pdftotext"_s, {path, u"-"_s});
    return process.waitForFinished(30000) ? QString::fromUtf8(process.readAllStandardOutput())
                                          : QString();
}

const QString Cancel = u"<Abbrechen>"_s;

#define REQUIRE_PRINTING()                                                                         \
    if (!m_noCups.isEmpty())                                                                       \
    QSKIP(qPrintable(u"No private CUPS server: "_s + m_noCups))

// Sets up queues on the private server (CUPS_SERVER).
bool lpadmin(const QStringList &arguments)
{
    QProcess process;
    process.start(QStandardPaths::findExecutable(u"lpadmin"_s, {u"/usr/sbin"_s}), arguments);
    return process.waitForFinished(30000) && process.exitCode() == 0;
}

} // namespace

class TestPrintCommands : public QObject
{
    Q_OBJECT

    ScriptedDialogService m_dialogs;
    PrivateCups m_cups;
    QString m_noCups; // why nothing can be printed here; empty when it can
    const QString m_queue = u"KbTestDruck"_s;
    QTemporaryDir m_dir;
    QString m_previousDir;
    TKennblattListe m_catalogue;
    LoadedCatalogue m_loaded;
    ProgramSettings m_settings;
    VectorCurrentList m_list;
    QComboBox m_cmbDrucklisten;
    QWidget m_owner;
    TPDFView *m_view = nullptr;
    std::unique_ptr<PdfViewSheetPrinter> m_adapter;
    std::unique_ptr<WatchedSheetPrinter> m_printer;
    std::unique_ptr<PrintCommands> m_commands;
    QString m_choice;            // what the user picks in the printer dialogs
    bool m_removeChoice = false; // the chosen queue goes away before the dialog closes
    int m_printDialogs = 0;

    TfrmDruckStatus &status() const { return *m_commands->druckStatus(); }
    QPushButton &btnAbbruch() const { return *status().findChild<QPushButton *>(u"btnAbbruch"_s); }
    QString reportOutput() const { return m_dir.filePath(u"Liste.pdf"_s); }
    QString sheetPath(int sheet) const
    {
        return batchPdfPath(m_settings.PfadZuPDFDateien, m_catalogue.Get(sheet).nummerView(), {});
    }
    QString sheetText(int sheet) const
    {
        return u"Kennblatt "_s + QString::fromLatin1(m_catalogue.Get(sheet).GetNummer());
    }

    // The list shows the given sheets of the catalogue, with the given rows marked.
    void showList(int kind, const QList<int> &sheets, const QList<int> &marked = {})
    {
        m_cmbDrucklisten.setCurrentIndex(kind);
        m_list.rows.clear();
        for (const int sheet : sheets)
            m_list.rows.push_back(&m_catalogue.Get(sheet));
        m_list.marked = QSet<int>(marked.begin(), marked.end());
    }

    QStringList boxes() const
    {
        QStringList texts;
        for (const MessageBoxSpec &box : m_dialogs.shown())
            texts.append(box.caption + u": "_s + box.text);
        return texts;
    }

    QString startLine(int count) const
    {
        return u"Druck von %1 Kennblättern gestartet..."_s.arg(count);
    }
    QString printerLine() const { return u"Drucker "_s + m_queue + u"     gewählt."_s; }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_noCups = m_cups.start(m_queue);
        if (m_noCups.isEmpty() && QStandardPaths::findExecutable(u"pdftotext"_s).isEmpty())
            m_noCups = u"pdftotext is not installed"_s;
        TPDFView::EngineLibraryName = QStringLiteral(PDF_ENGINE);
        TPDFView::setDialogService(&m_dialogs);
        // The report project lies in the working directory.
        m_previousDir = QDir::currentPath();
        QVERIFY(QDir::setCurrent(m_dir.path()));
        QVERIFY(QFile::copy(QStringLiteral(KB_REPORT_PROJECT), u"Listen.xml"_s));

        // Sheets numbered after this process, so that their jobs are told apart in the
        // shared output folder of cups-pdf.
        const QByteArray main =
            QByteArray::number(10000 + QCoreApplication::applicationPid() % 90000);
        QVERIFY(QDir(m_dir.path()).mkdir(u"PDF"_s));
        m_settings.PfadZuPDFDateien = Cp1252::fromUnicode(m_dir.filePath(u"PDF"_s));
        for (int i = 0; i < 12; ++i) {
            m_catalogue.Add(QByteArray(main + '.' + QByteArray::number(i)),
                            QByteArray("Fox EV " + QByteArray::number(i)), "", "BOE", "E", "TUV",
                            1);
            QVERIFY(TestPdfs::writePlainPdf(sheetPath(i), {sheetText(i)}));
        }
        m_cmbDrucklisten.addItems({u"Aktuelle Liste"_s, u"Aktuelle Kennblätter"_s,
                                   u"markierte Liste"_s, u"markierte Kennblätter"_s});

        // The main window's hidden control, with its security options.
        m_view = new TPDFView(&m_owner);
        m_view->setSecurityOptions(TPDFView::pvDisableSave | TPDFView::pvDisableCopy |
                                   TPDFView::pvDisableForms | TPDFView::pvDisableEdit |
                                   TPDFView::pvDisablePDFSecurityOverride);
        m_adapter = std::make_unique<PdfViewSheetPrinter>(*m_view);
        m_printer = std::make_unique<WatchedSheetPrinter>(*m_adapter);
        m_commands = std::make_unique<PrintCommands>(m_dialogs, m_settings, m_loaded, m_list,
                                                     m_cmbDrucklisten, *m_printer,
                                                     m_dir.filePath(u"k.INI"_s), m_owner);
        m_commands->createForms();
        m_commands->report()->ReportSystem1->settings().destination = ReportDestination::File;
        m_commands->report()->ReportSystem1->settings().outputFile = reportOutput();
        const auto pick = [this](QPrinter &printer) {
            ++m_printDialogs;
            if (m_choice == Cancel)
                return false;
            if (m_choice.isEmpty()) // what a printer dialog leaves without any printer
                printer.setOutputFileName(m_dir.filePath(u"Datei.pdf"_s));
            else
                printer.setPrinterName(m_choice);
            if (m_removeChoice)
                lpadmin({u"-x"_s, m_choice});
            return true;
        };
        m_commands->PrintDialog1 = pick;
        m_commands->PrinterSetupDialog1 = pick;
    }

    void init()
    {
        m_dialogs.clear();
        m_printDialogs = 0;
        m_choice = m_queue;
        m_removeChoice = false;
        m_printer->loaded.clear();
        m_printer->afterPrint = {};
        status().hide();
        QFile::remove(reportOutput());
    }

    void cleanupTestCase()
    {
        m_commands.reset();
        for (const QString &path : std::as_const(m_printer->printed)) {
            const QString output = m_cups.waitForOutput(QFileInfo(path).completeBaseName(), 30);
            if (!output.isEmpty())
                QFile::remove(output);
        }
        QDir::setCurrent(m_previousDir);
    }

    void command_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QList<int>>("marked");
        QTest::addColumn<bool>("nein");
        QTest::addColumn<QString>("choice");
        QTest::addColumn<QStringList>("expectedBoxes");
        QTest::addColumn<int>("printDialogs");
        QTest::addColumn<QStringList>("lines"); // none: the status window stays hidden
        QTest::addColumn<bool>("report");

        const QString mark = u"Informationen: Bitte markieren Sie die zu druckenden Kennblätter."_s;
        const QString ask = u"Bestätigen: Sie haben 11 Kennblätter zum Druck ausgewählt. Wollen "
                            u"Sie alle Blätter drucken?"_s;
        const QStringList none;
        const QStringList noSheets = {printerLine(), startLine(0)};
        QTest::newRow("Aktuelle Kennblätter, empty list")
            << 1 << 0 << QList<int>{} << false << m_queue << none << 1 << noSheets << false;
        QTest::newRow("markierte Kennblätter, nothing marked")
            << 3 << 5 << QList<int>{} << false << m_queue << QStringList{mark} << 1 << noSheets
            << false;
        QTest::newRow("11 marked sheets, Nein")
            << 3 << 12 << QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10} << true << m_queue
            << QStringList{ask} << 0 << none << false;
        QTest::newRow("11 sheets, Ja, dialog cancelled")
            << 1 << 11 << QList<int>{} << false << Cancel << QStringList{ask} << 1 << none << false;
        QTest::newRow("10 sheets, no question, dialog cancelled")
            << 1 << 10 << QList<int>{} << false << Cancel << none << 1 << none << false;
        QTest::newRow("no printer set up")
            << 1 << 1 << QList<int>{} << false << QString()
            << QStringList{u"Fehler: Es ist kein Drucker eingerichtet."_s} << 1 << none << false;
        QTest::newRow("Aktuelle Liste")
            << 0 << 3 << QList<int>{} << false << m_queue << none << 0 << none << true;
        QTest::newRow("markierte Liste, nothing marked")
            << 2 << 3 << QList<int>{} << false << m_queue << QStringList{mark} << 0 << none << true;
    }

    void command()
    {
        QFETCH(int, kind);
        QFETCH(int, rows);
        QFETCH(QList<int>, marked);
        QFETCH(bool, nein);
        QFETCH(QString, choice);
        QFETCH(QStringList, expectedBoxes);
        QFETCH(int, printDialogs);
        QFETCH(QStringList, lines);
        QFETCH(bool, report);
        if (!lines.isEmpty())
            REQUIRE_PRINTING();
        QList<int> sheets;
        for (int i = 0; i < rows; ++i)
            sheets.append(i);
        showList(kind, sheets, marked);
        if (nein)
            m_dialogs.queueAnswer(DialogAnswer::No);
        m_choice = choice;
        QSignalSpy started(m_commands.get(), &PrintCommands::batchStarted);
        QSignalSpy finished(m_commands.get(), &PrintCommands::batchFinished);

        m_commands->btnDruckenClick();

        QCOMPARE(boxes(), expectedBoxes);
        QCOMPARE(m_printDialogs, printDialogs);
        QCOMPARE(status().isVisible(), !lines.isEmpty());
        QCOMPARE(started.count(), lines.isEmpty() ? 0 : 1);
        QCOMPARE(finished.count(), started.count());
        if (!lines.isEmpty()) {
            QCOMPARE(status().lines(), lines);
            QCOMPARE(status().buttonCaption(), u"&Schließen"_s);
        }
        QCOMPARE(QFile::exists(reportOutput()), report);
        if (report)
            QCOMPARE(m_commands->report()->NurMarkierte, kind == 2);
        QVERIFY(m_printer->loaded.isEmpty());
    }

    void unknownPrintKind()
    {
        showList(-1, {0, 1}, {0});
        try {
            m_commands->btnDruckenClick();
            QFAIL("no error");
        } catch (const AppError &e) {
            QCOMPARE(e.text(), u"Unbekannte Druckart ausgewählt."_s);
        }
        QVERIFY(boxes().isEmpty() && m_printDialogs == 0 && !QFile::exists(reportOutput()));
    }

    // The marked rows 0, 1 and 3 of four; the PDF of row 1 is missing, row 2 is not marked.
    void printsMarkedSheetsOnTheQueue()
    {
        REQUIRE_PRINTING();
        showList(3, {0, 1, 2, 3}, {0, 1, 3});
        QVERIFY(QFile::remove(sheetPath(1)));
        QSignalSpy started(m_commands.get(), &PrintCommands::batchStarted);
        QSignalSpy finished(m_commands.get(), &PrintCommands::batchFinished);
        QList<bool> heldDuringPrint;
        m_printer->afterPrint = [&] {
            heldDuringPrint.append(started.count() == 1 && finished.isEmpty());
        };

        m_commands->btnDruckenClick();

        QCOMPARE(boxes(), QStringList{u"Norvenz SZW Kennblätter: Datei '"_s + sheetPath(1) +
                                      u"' nicht vorhanden."_s});
        QCOMPARE(status().lines(), (QStringList{sheetPath(3) + u"     ... gedruckt. (3 von 3)"_s,
                                                sheetPath(0) + u"     ... gedruckt. (1 von 3)"_s,
                                                printerLine(), startLine(3)}));
        QCOMPARE(status().buttonCaption(), u"&Schließen"_s);
        QCOMPARE(heldDuringPrint, (QList<bool>{true, true}));
        QCOMPARE(finished.count(), 1);
        QCOMPARE(m_printer->loaded, (QStringList{sheetPath(0), sheetPath(3)}));
        for (const int sheet : {0, 3}) {
            const QString output =
                m_cups.waitForOutput(QFileInfo(sheetPath(sheet)).completeBaseName(), 60);
            QVERIFY2(!output.isEmpty(), "cups-pdf wrote nothing");
            QVERIFY2(pdfText(output).contains(sheetText(sheet)), qPrintable(pdfText(output)));
        }
    }

    void abort_data()
    {
        QTest::addColumn<bool>("whilePrinting");
        QTest::addColumn<int>("sheet");
        QTest::newRow("seen when the print commands return") << true << 4;
        QTest::newRow("seen at the next sheet") << false << 5;
    }

    void abort()
    {
        QFETCH(bool, whilePrinting);
        QFETCH(int, sheet);
        REQUIRE_PRINTING();
        showList(1, {sheet, sheet + 2});
        QSignalSpy finished(m_commands.get(), &PrintCommands::batchFinished);
        // A click while the engine prints is seen when its commands return; a click that
        // waits for the next events is seen after the pause, at the next sheet.
        m_printer->afterPrint = [&] {
            if (whilePrinting)
                btnAbbruch().click();
            else
                QMetaObject::invokeMethod(&btnAbbruch(), &QPushButton::click, Qt::QueuedConnection);
        };

        m_commands->btnDruckenClick();

        const QStringList lines =
            whilePrinting ? QStringList{u"Druckvorgang abgebrochen"_s, printerLine(), startLine(2)}
                          : QStringList{sheetPath(sheet) + u"     ... gedruckt. (1 von 2)"_s,
                                        printerLine(), startLine(2)};
        QCOMPARE(status().lines(), lines);
        QCOMPARE(m_printer->loaded, QStringList{sheetPath(sheet)});
        QCOMPARE(finished.count(), 1);
        QCOMPARE(btnAbbruch().text(), u"&Schließen"_s);
        btnAbbruch().click();
        QVERIFY(!status().isVisible());
    }

    void notPrinted_data()
    {
        QTest::addColumn<QByteArray>("damage");
        QTest::addColumn<QString>("reason");
        QTest::newRow("damaged file")
            << QByteArray("cut")
            << u"Die Datei „%1“ ist kein lesbares PDF-Dokument. Sie ist beschädigt oder "
               u"unvollständig."_s.arg(sheetPath(11));
        QTest::newRow("printing locked by the document")
            << QByteArray("locked") << u"Das Drucken dieses Dokuments ist gesperrt."_s;
    }

    // The engine cannot load or may not print the file: the line says so and why, and the
    // batch goes on.
    void notPrinted()
    {
        QFETCH(QByteArray, damage);
        QFETCH(QString, reason);
        REQUIRE_PRINTING();
        const QString path = sheetPath(11);
        if (damage == "cut") {
            QVERIFY(QFile::resize(path, 200));
        } else {
            QProcess qpdf;
            qpdf.start(u"qpdf"_s, {u"--encrypt"_s, QString(), u"eigner"_s, u"256"_s,
                                   u"--print=none"_s, u"--"_s, sheetPath(10), path});
            if (!qpdf.waitForFinished(30000) || qpdf.exitCode() != 0)
                QSKIP("qpdf is not installed");
        }
        showList(1, {11});

        m_commands->btnDruckenClick();

        QCOMPARE(status().lines().first(),
                 path + u"     ... nicht gedruckt. (1 von 1) Grund: "_s + reason);
        QCOMPARE(m_printer->loaded, QStringList{path});
        QCOMPARE(boxes(), QStringList());
    }

    // Without its printer the batch stops at the first sheet that fails, with one message,
    // instead of failing every sheet after it.
    void printerVanishesDuringTheBatch()
    {
        REQUIRE_PRINTING();
        const QString queue = u"KbTestVerschwindet"_s;
        QVERIFY(lpadmin({u"-p"_s, queue, u"-E"_s, u"-v"_s, u"cups-pdf:/"_s}));
        m_choice = queue;
        showList(1, {6, 7, 8, 9});
        m_printer->afterPrint = [&] {
            if (m_printer->loaded.size() == 1)
                lpadmin({u"-x"_s, queue});
        };

        m_commands->btnDruckenClick();

        // Its job went with the queue: nothing to wait for at the end.
        m_printer->printed.removeAll(sheetPath(6));
        QCOMPARE(status().lines(),
                 (QStringList{u"Druckvorgang abgebrochen"_s,
                              sheetPath(7) + u"     ... nicht gedruckt. (2 von 4) Grund: Der "
                                             u"Drucker „KbTestVerschwindet“ ist nicht vorhanden."_s,
                              sheetPath(6) + u"     ... gedruckt. (1 von 4)"_s,
                              u"Drucker KbTestVerschwindet     gewählt."_s, startLine(4)}));
        QCOMPARE(boxes(),
                 QStringList{u"Fehler: Der Drucker „KbTestVerschwindet“ ist nicht mehr "
                             u"vorhanden. Die übrigen Kennblätter werden nicht gedruckt."_s});
        QCOMPARE(m_printer->loaded, (QStringList{sheetPath(6), sheetPath(7)}));
        QCOMPARE(status().buttonCaption(), u"&Schließen"_s);
    }

    void printerSetup_data()
    {
        QTest::addColumn<QString>("choice");
        QTest::addColumn<QString>("current");
        QTest::addColumn<QStringList>("expectedBoxes");
        QTest::newRow("a queue") << m_queue << m_queue << QStringList();
        QTest::newRow("a queue removed meanwhile")
            << u"KbTestWeg"_s << QString()
            << QStringList{u"Fehler: Der Drucker „KbTestWeg“ ist nicht vorhanden."_s};
        QTest::newRow("cancelled") << Cancel << QString() << QStringList();
        QTest::newRow("no printer") << QString() << QString()
                                    << QStringList{u"Fehler: Es ist kein Drucker eingerichtet."_s};
    }

    void printerSetup()
    {
        QFETCH(QString, choice);
        QFETCH(QString, current);
        QFETCH(QStringList, expectedBoxes);
        const bool queue = choice != Cancel && !choice.isEmpty();
        if (queue)
            REQUIRE_PRINTING();
        m_removeChoice = queue && choice != m_queue;
        if (m_removeChoice)
            QVERIFY(lpadmin({u"-p"_s, choice, u"-E"_s, u"-v"_s, u"cups-pdf:/"_s}));
        // No printer chosen before.
        CurrentPrinter().setOutputFileName(m_dir.filePath(u"Vorher.pdf"_s));
        m_choice = choice;

        m_commands->mnuDruckereinrichtungClick();

        QCOMPARE(m_printDialogs, 1);
        QCOMPARE(boxes(), expectedBoxes);
        QCOMPARE(CurrentPrinter().outputFormat() == QPrinter::NativeFormat, !current.isEmpty());
        QCOMPARE(CurrentPrinter().printerName(), current);
    }

    void pdfPath_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("path");
        QTest::newRow("absolute") << u"/daten/Kennblätter"_s
                                  << u"/daten/Kennblätter/00123_04.pdf"_s;
        QTest::newRow("the default, the executable's folder")
            << u"/opt/kb/"_s << u"/opt/kb//00123_04.pdf"_s;
        QTest::newRow("relative") << u"PDF"_s << u"/opt/kb/PDF/00123_04.pdf"_s;
    }

    void pdfPath()
    {
        QFETCH(QString, folder);
        QFETCH(QString, path);
        QCOMPARE(batchPdfPath(Cp1252::fromUnicode(folder), "00123.04", u"/opt/kb"_s), path);
    }
};

QTEST_MAIN(TestPrintCommands)
#include "tst_printcommands.moc"
