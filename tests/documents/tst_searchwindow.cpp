// The search window on a small catalogue with the real engine: results as the user types,
// a result opened in the document window at its first hit with the hits marked, the results
// taken as the list's filter.
#include "catalogue/loadedcatalogue.h"
#include "catalogue/tkennblattliste.h"
#include "documents/pdfview.h"
#include "documents/pdfviewcommands.h"
#include "documents/pdfviewlibrary.h"
#include "documents/search/searchcommands.h"
#include "documents/search/searchresultmodel.h"
#include "documents/search/searchwindow.h"
#include "documents/untpdffenster.h"
#include "scripteddialogservice.h"
#include "testpdfs.h"

#include <QLineEdit>
#include <QPushButton>
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

    void type(const QString &text)
    {
        auto *line = m_window->findChild<QLineEdit *>(u"edtSuche"_s);
        QSignalSpy shown(table()->model(), &QAbstractItemModel::modelReset);
        line->clear();
        QTest::keyClicks(line, text);
        QTRY_VERIFY_WITH_TIMEOUT(!shown.isEmpty(), 5000);
    }

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
            SheetDirectory(m_catalogue, m_lookups, m_folder.path().toUtf8()),
            PDFViewLibrary::descriptor()->extractText, m_folder.filePath(u"cache/index.sqlite"_s),
            u"Testkatalog"_s);
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
        QCOMPARE(cell(0, SearchResultModel::Nummer), u"00002.01"_s); // two hits
        QCOMPARE(cell(0, SearchResultModel::Hersteller), u"ÖKO"_s);  // no name known
        QCOMPARE(cell(0, SearchResultModel::Treffer), u"2"_s);
        QCOMPARE(cell(1, SearchResultModel::Marke), u"Fox EV 50"_s);
        QCOMPARE(cell(1, SearchResultModel::Hersteller), u"Bergische Elektroden AG"_s);
        QCOMPARE(results
                     .data(results.index(1, SearchResultModel::Auszug),
                           SearchResultModel::ExcerptHtmlRole)
                     .toString(),
                 u"Grundwerkstoff <b>S355J2</b>. Schutzgas M21."_s);
        QCOMPARE(m_window->statusText(),
                 u"2 Kennblätter gefunden · Im Index: 3 Kennblätter; nicht lesbar: "
                 u"00004_01.pdf"_s);
    }

    void aResultOpensAtItsFirstHit()
    {
        type(u"S355J2"_s);
        QSignalSpy requested(m_window.get(), &SearchWindow::hitOpenRequested);
        table()->setCurrentIndex(table()->model()->index(0, 0));
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
        QCOMPARE(restriction.description, u"Volltextfilter '\"Schutzgas M21\"'"_s);
        QCOMPARE(restriction.records, (std::vector<qint32>{0, 1}));
        QVERIFY(m_dialogs.shown().isEmpty());
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
