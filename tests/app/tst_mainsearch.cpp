// The full-text search through the real main window: the menu item, the search window on the
// catalogue's PDFs, its results as the list's filter on top of the others, and the reset.
#include "app/untmain.h"
#include "catalogue/tkennblattliste.h"
#include "cataloguefixture.h"
#include "documents/pdfview.h"
#include "documents/search/searchresultmodel.h"
#include "documents/search/searchwindow.h"
#include "list/kennblattlistmodel.h"
#include "scripteddialogservice.h"
#include "testpdfs.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

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
        search->findChild<QPushButton *>(u"btnFilter"_s)->click();
        QCOMPARE(m_window->listModel().rowCount(), 2);
        maker->clear();
        QTest::keyClick(maker, Qt::Key_Return);
        QCOMPARE(m_window->listModel().rowCount(), 3);
        QCOMPARE(m_window->statusText(), u"Volltextfilter 'Druckbehälter': 3 Kennblätter"_s);

        QTest::mouseClick(m_window->findChild<QPushButton *>(u"btnLoeschen"_s), Qt::LeftButton);
        QCOMPARE(m_window->listModel().rowCount(), 6);
        QCOMPARE(m_window->statusText(), QString());
        QVERIFY(m_dialogs.shown().isEmpty());
    }
};

QTEST_MAIN(TestMainSearch)
#include "tst_mainsearch.moc"
