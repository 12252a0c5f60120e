// The document window with the real engine.
#include "documents/pdfview.h"
#include "documents/pdfviewcommands.h"
#include "documents/untpdffenster.h"
#include "scripteddialogservice.h"
#include "testpdfs.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QPrintDialog>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace Qt::StringLiterals;
using namespace PDFViewCommands;

class TestPdfFenster : public QObject
{
    Q_OBJECT

private:
    ScriptedDialogService m_dialogs;
    QTemporaryDir m_folder;
    QString m_document;

    static void click(TfrmPDFFenster &window, const QString &button)
    {
        auto *tool = window.findChild<QToolButton *>(button);
        QVERIFY2(tool != nullptr, qPrintable(button));
        QTest::mouseClick(tool, Qt::LeftButton);
    }
    static int zoom(TfrmPDFFenster &window)
    {
        return window.pdfView()->SendCommandValue(CmdGetZoom, 0);
    }

private Q_SLOTS:
    void initTestCase()
    {
        TPDFView::EngineLibraryName = QStringLiteral(PDF_ENGINE);
        TPDFView::setDialogService(&m_dialogs);
        m_document = m_folder.filePath(u"drei.pdf"_s);
        QVERIFY(TestPdfs::writeTextPdf(m_document, {u"eins"_s, u"zwei"_s, u"drei"_s}));
    }

    void windowAsDesigned()
    {
        TfrmPDFFenster window;
        QCOMPARE(window.windowTitle(), u"Kennblatt"_s);
        QCOMPARE(window.size(), QSize(643, 655));
        QCOMPARE(window.minimumSize(), QSize(200, 200));
        QVERIFY(window.windowFlags() & Qt::WindowMaximizeButtonHint);
        QVERIFY(!(window.windowFlags() & Qt::WindowMinimizeButtonHint));
        QCOMPARE(window.font().family(), u"Tahoma"_s);
        QCOMPARE(window.font().pixelSize(), 11);
        QCOMPARE(window.pdfView()->geometry(), QRect(0, 32, 643, 611));
        QCOMPARE(window.pdfView()->BorderStyle(), TPDFView::bsSingle);
        QVERIFY(window.pdfView()->hasEngine());
        window.show();
        window.resize(800, 500);
        QCOMPARE(window.pdfView()->geometry(), QRect(0, 32, 800, 456));
    }

    void toolButtons_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("left");
        QTest::addColumn<QString>("hint");
        QTest::newRow("close") << u"sbtnSchliessen"_s << 1 << u"Anzeige schließen"_s;
        QTest::newRow("print") << u"SpeedButton1"_s << 29 << u"Drucken"_s;
        QTest::newRow("first") << u"sbtnFirst"_s << 80 << u"Erste Seite"_s;
        QTest::newRow("previous") << u"sbtnPrev"_s << 104 << u"Vorherige Seite"_s;
        QTest::newRow("next") << u"sbtnNext"_s << 128 << u"Nächste Seite"_s;
        QTest::newRow("last") << u"sbtnLast"_s << 152 << u"Letzte Seite"_s;
        QTest::newRow("zoom in") << u"sbtnZoomIn"_s << 192 << u"Seite vergrößern"_s;
        QTest::newRow("zoom out") << u"sbtnZoomOut"_s << 216 << u"Seite verkleinern"_s;
        QTest::newRow("whole page") << u"sbtnWholePage"_s << 240 << u"Ganze Seite"_s;
        QTest::newRow("page width") << u"sbtnWholeWidth"_s << 264 << u"Seitenbreite"_s;
        QTest::newRow("two pages") << u"sbtnZweiSeiten"_s << 288 << u"Zwei Seten nebeneinander"_s;
    }
    void toolButtons()
    {
        QFETCH(QString, name);
        QFETCH(int, left);
        QFETCH(QString, hint);
        TfrmPDFFenster window;
        window.resize(900, 600);
        const auto *button = window.findChild<QToolButton *>(name);
        QVERIFY(button != nullptr);
        QCOMPARE(button->geometry(), QRect(left, 1, 24, 24));
        QCOMPARE(button->toolTip(), hint);
        QCOMPARE(button->focusPolicy(), Qt::NoFocus);
        QCOMPARE(button->iconSize(), QSize(16, 16));
        QVERIFY(!button->icon().isNull());
    }

    void pagingButtons()
    {
        TfrmPDFFenster window;
        QList<int> pages;
        connect(window.pdfView(), &TPDFView::OnChangeViewPage, this,
                [&](int page) { pages.append(page); });
        window.show();
        window.LoadDocument(m_document);
        for (const QString &button : {u"sbtnNext"_s, u"sbtnLast"_s, u"sbtnPrev"_s, u"sbtnFirst"_s})
            click(window, button);
        QCOMPARE(pages, QList<int>({1, 2, 3, 2, 1}));
    }

    void zoomButtons()
    {
        TfrmPDFFenster window;
        window.show();
        window.LoadDocument(m_document);
        // Created at page width, and the width follows the window.
        const int pageWidth = zoom(window);
        window.resize(900, 655);
        QTRY_VERIFY(zoom(window) > pageWidth);
        window.resize(643, 655);
        QTRY_COMPARE(zoom(window), pageWidth);
        click(window, u"sbtnWholePage"_s);
        QVERIFY(zoom(window) < pageWidth);
        click(window, u"sbtnZweiSeiten"_s);
        QVERIFY(qAbs(zoom(window) * 2 - pageWidth) <= 4);
        click(window, u"sbtnWholeWidth"_s);
        QCOMPARE(zoom(window), pageWidth);
        // The guards stop zooming in at the first step from 340 on, zooming out at 30 or below
        // (the engine itself goes on to 800 and 10).
        for (int i = 0; i < 20; ++i)
            click(window, u"sbtnZoomIn"_s);
        QVERIFY(zoom(window) >= 340 && zoom(window) < 800);
        for (int i = 0; i < 20; ++i)
            click(window, u"sbtnZoomOut"_s);
        QVERIFY(zoom(window) <= 30 && zoom(window) > 10);
    }

    void closingHidesAndLoadingDoesNotShow()
    {
        QWidget owner;
        auto *window = new TfrmPDFFenster(&owner);
        QPointer<TfrmPDFFenster> alive(window);
        window->show();
        click(*window, u"sbtnSchliessen"_s);
        QVERIFY(!window->isVisible());
        window->LoadDocument(m_document);
        QVERIFY(!window->isVisible());
        QCOMPARE(window->pdfView()->LastLoadedFile(), m_document);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QTest::keyClick(window->pdfView()->focusProxy()->focusProxy(), Qt::Key_Escape);
        QVERIFY(!window->isVisible());
        QVERIFY(alive);
    }

    void printButtonAsksForThePrinter()
    {
        TfrmPDFFenster window;
        window.show();
        window.LoadDocument(m_document);
        QString title;
        QTimer::singleShot(0, this, [&] {
            QWidget *dialog = QApplication::activeModalWidget();
            QVERIFY(qobject_cast<QPrintDialog *>(dialog) != nullptr);
            title = dialog->windowTitle();
            qobject_cast<QDialog *>(dialog)->reject();
        });
        click(window, u"SpeedButton1"_s);
        QCOMPARE(title, u"Drucken"_s);
    }
};

QTEST_MAIN(TestPdfFenster)
#include "tst_pdffenster.moc"
