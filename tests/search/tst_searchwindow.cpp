// The search window on small catalogues with the real engine: results as the user types, hit
// counts and excerpts only for the rows shown, a result opened in the document window at its
// first hit with the hits marked, the results taken as the list's filter, sheets read only in
// part and failures named in the status line.
#include "catalogue/loadedcatalogue.h"
#include "catalogue/tkennblattliste.h"
#include "documents/pdfview.h"
#include "documents/pdfviewcommands.h"
#include "documents/pdfviewlibrary.h"
#include "documents/untpdffenster.h"
#include "scripteddialogservice.h"
#include "search/searchcommands.h"
#include "search/searchqueries.h"
#include "search/searchresultmodel.h"
#include "search/searchwindow.h"
#include "testfiles.h"
#include "testpdfs.h"
#include "tools/hostilepdf/hostilepdfs.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Pixels of the marking's yellow on white paper.
int markedPixels(QWidget &view)
{
    const QImage image = view.grab().toImage();
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            count += c.red() > 235 && c.green() > 215 && c.blue() > 110 && c.blue() < 190;
        }
    }
    return count;
}

// Pixels clearly darker than the background: text.
int darkPixels(const QImage &image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            count += qGray(image.pixel(x, y)) < 100;
    }
    return count;
}

TextReading reading()
{
    return {QStringLiteral(KB_TEXTREADER), QStringLiteral(PDF_ENGINE)};
}

} // namespace

class TestSearchWindow : public QObject
{
    Q_OBJECT

    ScriptedDialogService m_dialogs;
    QTemporaryDir m_folder;
    TKennblattListe m_catalogue;
    LoadedCatalogue m_lookups;
    std::unique_ptr<SearchWindow> m_window;

    QTableView *table() const { return m_window->findChild<QTableView *>(u"tvTreffer"_s); }

    static void type(SearchWindow &window, const QString &text)
    {
        auto *line = window.findChild<QLineEdit *>(u"edtSuche"_s);
        QSignalSpy shown(&window, &SearchWindow::resultsShown);
        line->clear();
        QTest::keyClicks(line, text);
        // Answers to what was there before may come first.
        QTRY_VERIFY_WITH_TIMEOUT(!shown.isEmpty() && shown.last().first().toString() == text, 5000);
    }
    void type(const QString &text) { type(*m_window, text); }

private Q_SLOTS:
    void initTestCase()
    {
        TPDFView::EngineLibraryName = QStringLiteral(PDF_ENGINE);
        TPDFView::setDialogService(&m_dialogs);
        QVERIFY(PDFViewLibrary::load(TPDFView::EngineLibraryName, m_dialogs));
        m_catalogue.Add("1.1", "Fox EV 50", "", "BOE", "E1", "TN", 1);
        m_catalogue.Add("2.1", "Union K 52", "", "\xd6KO", "E1", "TN", 2);
        m_catalogue.Add("3.1", "Thermanit", "", "BOE", "E1", "TN", 1);
        m_catalogue.Add("4.1", "Ohne Datei", "", "BOE", "E1", "TN", 1);
        m_lookups.HerstellerLookup.Add("BOE", "Bergische Elektroden AG");
        QVERIFY(TestPdfs::writeLinesPdf(m_folder.filePath(u"00001_01.pdf"_s),
                                        {u"Grundwerkstoff S355J2.\nSchutzgas M21."_s}));
        QVERIFY(TestPdfs::writeLinesPdf(
            m_folder.filePath(u"00002_01.pdf"_s),
            {u"Schutzgas M21.\nDruckbehälter."_s, u"Prüfung\n\nan S355J2 und S355J2+N."_s}));
        QVERIFY(TestPdfs::writeLinesPdf(m_folder.filePath(u"00003_01.pdf"_s), {u"P265GH"_s}));
        m_window = std::make_unique<SearchWindow>(
            SheetDirectory(m_catalogue, m_lookups, m_folder.path().toUtf8()), reading(),
            m_folder.filePath(u"cache/index.sqlite"_s), u"Testkatalog"_s);
        QSignalSpy finished(m_window.get(), &SearchWindow::indexFinished);
        m_window->show();
        QVERIFY(finished.wait(30000));
    }

    void resultsComeAsTheUserTypes()
    {
        type(u"s355j2"_s);
        const auto &results = static_cast<const SearchResultModel &>(*table()->model());
        QCOMPARE(results.rowCount(), 2);
        const auto cell = [&](int row, int column) {
            return results.data(results.index(row, column)).toString();
        };
        // By number.
        QCOMPARE(cell(0, SearchResultModel::Nummer), u"00001.01"_s);
        QCOMPARE(cell(0, SearchResultModel::Marke), u"Fox EV 50"_s);
        QCOMPARE(cell(0, SearchResultModel::Hersteller), u"Bergische Elektroden AG"_s);
        QCOMPARE(cell(0, SearchResultModel::Treffer), u"1"_s);
        QCOMPARE(results
                     .data(results.index(0, SearchResultModel::Auszug),
                           SearchResultModel::ExcerptHtmlRole)
                     .toString(),
                 u"Grundwerkstoff <b>S355J2</b>. Schutzgas M21."_s);
        QCOMPARE(cell(1, SearchResultModel::Nummer), u"00002.01"_s);
        QCOMPARE(cell(1, SearchResultModel::Hersteller), u"ÖKO"_s); // no name known
        QCOMPARE(cell(1, SearchResultModel::Treffer), u"2"_s);
        QCOMPARE(m_window->statusText(),
                 u"2 Kennblätter gefunden · Im Index: 3 Kennblätter; nicht lesbar: "
                 u"00004_01.pdf"_s);
    }

    void aResultOpensAtItsFirstHit()
    {
        type(u"S355J2"_s);
        QSignalSpy requested(m_window.get(), &SearchWindow::hitOpenRequested);
        table()->setCurrentIndex(table()->model()->index(1, 0));
        QTest::keyClick(table(), Qt::Key_Return);
        QTRY_COMPARE_WITH_TIMEOUT(requested.count(), 1, 5000);
        const QString path = requested.first().at(0).toString();
        QCOMPARE(path, m_folder.filePath(u"00002_01.pdf"_s));
        QCOMPARE(requested.first().at(1).toInt(), 1);
        QCOMPARE(requested.first().at(2).toStringList(), QStringList{u"S355J2"_s});

        TfrmPDFFenster document;
        document.show();
        document.LoadDocument(path);
        QSignalSpy pages(document.pdfView(), &TPDFView::OnChangeViewPage);
        QCOMPARE(showHitInView(*document.pdfView(), 1, {u"S355J2"_s}), 2);
        QCOMPARE(pages.last().first().toInt(), 2);
        QTRY_VERIFY_WITH_TIMEOUT(markedPixels(*document.pdfView()) > 100, 10000);
        document.pdfView()->SendCommandText(PDFViewCommands::CmdHighlightText, QString());
        QTRY_COMPARE_WITH_TIMEOUT(markedPixels(*document.pdfView()), 0, 10000);
    }

    void resultsBecomeTheListFilter()
    {
        QSignalSpy taken(m_window.get(), &SearchWindow::restrictionRequested);
        auto *btnFilter = m_window->findChild<QPushButton *>(u"btnFilter"_s);
        // Not while a batch print holds the list, also not for results that come meanwhile.
        m_window->setListHeld(true);
        type(u"Schutzgas"_s);
        QVERIFY(!btnFilter->isEnabled());
        m_window->setListHeld(false);
        QVERIFY(btnFilter->isEnabled());
        type(u"\"Schutzgas M21\""_s);
        btnFilter->click();
        QCOMPARE(taken.count(), 1);
        const auto restriction = taken.first().first().value<RecordRestriction>();
        QCOMPARE(restriction.query, u"\"Schutzgas M21\""_s);
        QCOMPARE(restriction.description(), u"Volltext = '\"Schutzgas M21\"'"_s);
        QCOMPARE(restriction.records, (std::vector<qint32>{0, 1}));
        QVERIFY(m_dialogs.shown().isEmpty());
    }

    // 80 sheets found, a window with room for a few: the counts and excerpts are looked up
    // for the rows shown, the others when they come into view. The rows are by number,
    // whatever the catalogue's order.
    void hitInfoOnlyForTheRowsShown()
    {
        QTemporaryDir folder;
        TKennblattListe catalogue;
        for (int i = 80; i >= 1; --i) {
            const QByteArray nummer = QByteArray::number(i) + ".1";
            catalogue.Add(nummer, "Marke", "", "BOE", "E1", "TN", 1);
            QVERIFY(
                TestPdfs::writeLinesPdf(folder.filePath(u"%1_01.pdf"_s.arg(i, 5, 10, QChar(u'0'))),
                                        {u"Gemeinsam in Blatt %1."_s.arg(i)}));
        }
        SearchWindow window(SheetDirectory(catalogue, m_lookups, folder.path().toUtf8()), reading(),
                            folder.filePath(u"index.sqlite"_s), u"Viele"_s);
        QSignalSpy finished(&window, &SearchWindow::indexFinished);
        window.resize(700, 300);
        window.show();
        QTRY_VERIFY_WITH_TIMEOUT(window.statusText().contains(u" von 80 Kennblättern gelesen"_s),
                                 20000);
        QVERIFY(finished.wait(30000));
        QCOMPARE(window.statusText(), u"Im Index: 80 Kennblätter"_s);

        type(window, u"gemeinsam"_s);
        const SearchResultModel &results = window.results();
        QCOMPARE(results.rowCount(), 80);
        QCOMPARE(results.data(results.index(0, SearchResultModel::Nummer)), u"00001.01"_s);
        QCOMPARE(results.data(results.index(79, SearchResultModel::Nummer)), u"00080.01"_s);
        QCOMPARE(window.statusText(), u"80 Kennblätter gefunden · Im Index: 80 Kennblätter"_s);
        QVERIFY(results.hitInfo(0) != nullptr);
        QCOMPARE(results.hitInfo(0)->hits, 1);
        QCOMPARE(results.hitInfo(79), nullptr);
        QCOMPARE(results.hitInfo(40), nullptr);
        // The first rows' excerpts are painted with the rows.
        auto *view = window.findChild<QTableView *>(u"tvTreffer"_s);
        const QRect excerpt = view->visualRect(results.index(0, SearchResultModel::Auszug));
        QVERIFY(darkPixels(view->viewport()->grab(excerpt).toImage()) > 20);

        view->scrollToBottom();
        QTRY_VERIFY_WITH_TIMEOUT(results.hitInfo(79) != nullptr, 5000);
        QCOMPARE(results.hitInfo(79)->excerpt, u"\x01Gemeinsam\x02 in Blatt 80."_s);
        // Never shown, never looked up.
        QCOMPARE(results.hitInfo(40), nullptr);
    }

    void sheetsReadInPartAreNamed()
    {
        QTemporaryDir folder;
        TKennblattListe catalogue;
        catalogue.Add("1.1", "Kurz", "", "BOE", "E1", "TN", 1);
        catalogue.Add("2.1", "Lang", "", "BOE", "E1", "TN", 1);
        QVERIFY(TestPdfs::writeLinesPdf(folder.filePath(u"00001_01.pdf"_s), {u"Anfang"_s}));
        QVERIFY(HostilePdfs::writeTextHeavy(folder.filePath(u"00002_01.pdf"_s), 1));
        TextReading limited = reading();
        limited.limits.textChars = 20000;
        SearchWindow window(SheetDirectory(catalogue, m_lookups, folder.path().toUtf8()), limited,
                            folder.filePath(u"index.sqlite"_s), u"Lang"_s);
        QSignalSpy finished(&window, &SearchWindow::indexFinished);
        QVERIFY(finished.wait(30000));
        QCOMPARE(window.statusText(),
                 u"Im Index: 2 Kennblätter; nur teilweise gelesen: 00002_01.pdf"_s);
        QVERIFY(window.statusToolTip().startsWith(u"Nur teilweise gelesen"_s));
        QVERIFY(window.statusToolTip().endsWith(u"\n00002_01.pdf"_s));
        type(window, u"Anfang"_s);
        QCOMPARE(window.results().rowCount(), 2);
    }

    // The index cannot be made: the status line says why (in German, the detail in the tool
    // tip) and never that nothing was found.
    void failureIsNamedNotEmpty()
    {
        QTemporaryDir folder;
        writeFile(folder.filePath(u"datei"_s), "x");
        SearchWindow window(SheetDirectory(m_catalogue, m_lookups, m_folder.path().toUtf8()),
                            reading(), folder.filePath(u"datei/index.sqlite"_s), u"Fehler"_s);
        QSignalSpy finished(&window, &SearchWindow::indexFinished);
        QVERIFY(finished.wait(30000));
        const QString failure = u"Der Ordner des Suchindex kann nicht angelegt werden: "_s +
                                QDir::toNativeSeparators(folder.filePath(u"datei"_s));
        QCOMPARE(window.statusText(), failure);
        QVERIFY(window.statusToolTip().contains(u"mkpath"_s));
        QTest::keyClicks(window.findChild<QLineEdit *>(u"edtSuche"_s), u"S355J2"_s);
        QTest::qWait(2 * SearchWindow::TypingPauseMs + 100);
        QCOMPARE(window.statusText(), failure);
    }

    // A search that fails shows no rows and says why, never "Nichts gefunden".
    void failedSearchIsNamed()
    {
        type(u"S355J2"_s);
        QCOMPARE(m_window->results().rowCount(), 2);
        SearchAnswer failed;
        failed.input = u"S355J2"_s;
        failed.failure = {u"Lese- oder Schreibfehler beim Suchindex"_s, u"SQLite-Fehler 778"_s};
        Q_EMIT m_window->findChild<SearchQueries *>()->searched(failed);
        QCOMPARE(m_window->results().rowCount(), 0);
        QVERIFY(!m_window->findChild<QPushButton *>(u"btnFilter"_s)->isEnabled());
        QCOMPARE(m_window->statusText(),
                 u"Die Suche ist fehlgeschlagen: Lese- oder Schreibfehler beim Suchindex · Im "
                 u"Index: 3 Kennblätter; nicht lesbar: 00004_01.pdf"_s);
        QVERIFY(m_window->statusToolTip().startsWith(u"SQLite-Fehler 778"_s));
    }

    // Last: it changes the files.
    void showingAgainFollowsChangedFiles()
    {
        m_window->hide();
        QVERIFY(TestPdfs::writeLinesPdf(m_folder.filePath(u"00003_01.pdf"_s),
                                        {u"Schienenfahrzeuge"_s}));
        QVERIFY(TestPdfs::writeLinesPdf(m_folder.filePath(u"00004_01.pdf"_s),
                                        {u"Schienenfahrzeuge"_s}));
        QSignalSpy finished(m_window.get(), &SearchWindow::indexFinished);
        m_window->show();
        QVERIFY(finished.wait(30000));
        type(u"Schienenfahrzeuge"_s);
        QCOMPARE(m_window->results().rowCount(), 2);
        type(u"P265GH"_s);
        QCOMPARE(m_window->results().rowCount(), 0);
        QCOMPARE(m_window->statusText(), u"Nichts gefunden · Im Index: 4 Kennblätter"_s);
    }
};

QTEST_MAIN(TestSearchWindow)
#include "tst_searchwindow.moc"
