// The full-text search through the real main window: the menu item, the search window on the
// catalogue's PDFs, its results as the list's filter on top of the others, the sign of it
// beside "Filter löschen" and in the report's filter description, and the reset.
#include "app/untmain.h"
#include "catalogue/tkennblattliste.h"
#include "cataloguefixture.h"
#include "documents/pdfview.h"
#include "list/kennblattlistmodel.h"
#include "list/kennblattlistview.h"
#include "list/listcontroller.h"
#include "list/restrictioncue.h"
#include "platform/cp1252.h"
#include "printing/reportparameters.h"
#include "scripteddialogservice.h"
#include "search/searchcommands.h"
#include "search/searchresultmodel.h"
#include "search/searchwindow.h"
#include "testpdfs.h"

#include <QAction>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Pixels in the palette's highlight colour, and pixels of the highlighted text on it.
std::pair<int, int> cuePixels(QWidget &cue)
{
    const QImage image = cue.grab().toImage();
    const QColor background = cue.palette().color(QPalette::Highlight);
    const QColor text = cue.palette().color(QPalette::HighlightedText);
    int fill = 0;
    int letters = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            fill += c == background;
            letters += qAbs(c.lightness() - text.lightness()) < 60 &&
                       qAbs(c.lightness() - background.lightness()) > 60;
        }
    }
    return {fill, letters};
}

} // namespace

class TestMainSearch : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    ScriptedDialogService m_dialogs;
    TKennblattListe m_catalogue;
    std::unique_ptr<TfrmMain> m_window;

private Q_SLOTS:
    void initTestCase()
    {
        // The index goes to the user's cache folder: here, one of the test's own.
        qputenv("XDG_CACHE_HOME", m_dir.filePath(u"cache"_s).toUtf8());
        TPDFView::EngineLibraryName = QStringLiteral(PDF_ENGINE);
        SearchCommands::TextReaderProgram = QStringLiteral(KB_TEXTREADER);
        QVERIFY(writeFixtureCatalogue(m_dir.path(), FixtureCatalogue::sample()));
        // 01234.05 and 12000.01 are by the same maker, BOE.
        const QList<std::pair<QString, QString>> sheets = {
            {u"01234_05.pdf"_s, u"Zugelassen für Druckbehälter."_s},
            {u"00815_00.pdf"_s, u"Zugelassen für Schienenfahrzeuge."_s},
            {u"12000_01.pdf"_s, u"DRUCKBEHAELTER und Rohrleitungen."_s},
            {u"00042_00.pdf"_s, u"Druckbehälterbau."_s}};
        for (const auto &[name, text] : sheets)
            QVERIFY(TestPdfs::writeLinesPdf(m_dir.filePath(name), {text}));
        const QString settings = m_dir.filePath(u"kennblaetter.INI"_s);
        writeFixtureSettings(settings, m_dir.path());
        m_window = std::make_unique<TfrmMain>(m_dialogs, m_catalogue, settings);
        m_window->show();
    }

    void searchNarrowsTheListOnTopOfTheFilters()
    {
        auto *item = m_window->findChild<QAction *>(u"mnuVolltextsuche"_s);
        QVERIFY(item != nullptr);
        QCOMPARE(item->shortcut(), QKeySequence(u"Ctrl+F"_s));
        QVERIFY(m_window->findChild<QMenu *>(u"mnuExtras"_s)->menuAction()->isVisible());
        item->trigger();
        auto *search = m_window->findChild<SearchWindow *>();
        QVERIFY(search != nullptr && search->isVisible());
        QSignalSpy indexed(search, &SearchWindow::indexFinished);
        QVERIFY(indexed.wait(30000));

        auto *line = search->findChild<QLineEdit *>(u"edtSuche"_s);
        line->setText(u"Druckbehälter"_s);
        QTest::keyClick(line, Qt::Key_Return);
        QTRY_COMPARE(search->results().rowCount(), 3);

        // The maker's filter first, then the search's: two sheets are left.
        auto *maker = m_window->findChild<QLineEdit *>(u"edtFilterHersteller"_s);
        maker->setText(u"BOE"_s);
        QTest::keyClick(maker, Qt::Key_Return);
        QCOMPARE(m_window->listModel().rowCount(), 2);
        auto *cue = m_window->findChild<RestrictionCue *>(u"btnVolltextfilter"_s);
        QVERIFY(cue != nullptr && !cue->isVisible());
        search->findChild<QPushButton *>(u"btnFilter"_s)->click();
        QCOMPARE(m_window->listModel().rowCount(), 2);
        QVERIFY(cue->isVisible());
        QCOMPARE(cue->accessibleName(), u"Volltext 'Druckbehälter': 2 \u00d7"_s);
        // The report says the list is filtered, and by what.
        ListReportOrder order = listReportOrder(0, m_window->list(), {}, {});
        QCOMPARE(order.Gefiltert, u"Liste ist gefiltert"_s);
        QCOMPARE(order.Filter, u"Herst./Lief. = 'BOE', Volltext = 'Druckbehälter'"_s);

        maker->clear();
        QTest::keyClick(maker, Qt::Key_Return);
        QCOMPARE(m_window->listModel().rowCount(), 3);
        QVERIFY(cue->toolTip().contains(u"nach 'Druckbehälter' gefunden hat: 3 Kennblätter"_s));
        order = listReportOrder(0, m_window->list(), {}, {});
        QCOMPARE(order.Gefiltert, u"Liste ist gefiltert"_s);
        QCOMPARE(order.Filter, u"Volltext = 'Druckbehälter'"_s);

        // Marking a row takes the status line; the sign beside "Filter löschen" stays.
        auto *list = m_window->findChild<KennblattListView *>(u"lvKennblaetter"_s);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualRect(list->model()->index(0, 0)).center());
        QCOMPARE(m_window->statusText(), u"1 Kennblatt markiert"_s);
        QVERIFY(cue->isVisible());
        auto *clear = m_window->findChild<QPushButton *>(u"btnLoeschen"_s);
        QCOMPARE(cue->x(), clear->geometry().right() + 1);
        QCOMPARE(cue->y(), clear->y());
        // It moves with the button when a column is widened.
        auto *kopf = m_window->findChild<QHeaderView *>(u"hcKopf"_s);
        kopf->resizeSection(1, kopf->sectionSize(1) + 30);
        QCOMPARE(cue->x(), clear->geometry().right() + 1);
        const auto [fill, letters] = cuePixels(*cue);
        QVERIFY2(fill > cue->width() * cue->height() / 2, qPrintable(QString::number(fill)));
        QVERIFY2(letters > 30, qPrintable(QString::number(letters)));

        // Its click lifts the restriction alone.
        maker->setText(u"BOE"_s);
        QTest::keyClick(maker, Qt::Key_Return);
        QTest::mouseClick(cue, Qt::LeftButton);
        QVERIFY(!cue->isVisible());
        QCOMPARE(m_window->listModel().rowCount(), 2); // all of BOE
        QCOMPARE(listReportOrder(0, m_window->list(), {}, {}).Filter, u"Herst./Lief. = 'BOE'"_s);

        // "Filter löschen" lifts both.
        search->findChild<QPushButton *>(u"btnFilter"_s)->click();
        QVERIFY(cue->isVisible());
        QTest::mouseClick(m_window->findChild<QPushButton *>(u"btnLoeschen"_s), Qt::LeftButton);
        QCOMPARE(m_window->listModel().rowCount(), 6);
        QVERIFY(!cue->isVisible());
        QCOMPARE(listReportOrder(0, m_window->list(), {}, {}).Gefiltert, QString());
        QVERIFY(m_dialogs.shown().isEmpty());
    }
};

QTEST_MAIN(TestMainSearch)
#include "tst_mainsearch.moc"
