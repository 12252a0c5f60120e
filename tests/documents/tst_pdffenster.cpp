// The document window with the real engine.
#include "documents/pdfview.h"
#include "documents/pdfviewcommands.h"
#include "documents/untpdffenster.h"
#include "scripteddialogservice.h"
#include "testpdfs.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QLabel>
#include <QPrintDialog>
#include <QScrollBar>
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
    // Pixels of the button's middle 16 x 16 (logical) that differ from its own background,
    // as painted on the screen's pixels.
    static int glyphPixels(QToolButton &button)
    {
        const QImage image = button.grab().toImage();
        const qreal ratio = image.devicePixelRatio();
        const QRgb background = image.pixel(1, 1);
        const QRect glyph(qRound(4 * ratio), qRound(4 * ratio), qRound(16 * ratio),
                          qRound(16 * ratio));
        int count = 0;
        for (int y = glyph.top(); y <= glyph.bottom(); ++y) {
            for (int x = glyph.left(); x <= glyph.right(); ++x) {
                const QRgb p = image.pixel(x, y);
                if (qAbs(qRed(p) - qRed(background)) + qAbs(qGreen(p) - qGreen(background)) +
                        qAbs(qBlue(p) - qBlue(background)) >
                    48)
                    ++count;
            }
        }
        return count;
    }
    // The window shown and scrolled to a page, for the page label.
    static QScrollBar *pageScrollBar(TfrmPDFFenster &window)
    {
        auto *pages = window.pdfView()->focusProxy()->focusProxy();
        auto *area = qobject_cast<QAbstractScrollArea *>(pages);
        return area != nullptr ? area->verticalScrollBar() : nullptr;
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
    }

    // Each glyph reaches the screen, sharp on a screen with twice the pixels too (the suite
    // runs once more with QT_SCALE_FACTOR=2).
    void toolButtonGlyphs_data() { toolButtons_data(); }
    void toolButtonGlyphs()
    {
        QFETCH(QString, name);
        TfrmPDFFenster window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto *button = window.findChild<QToolButton *>(name);
        QVERIFY(button != nullptr);
        const int painted = glyphPixels(*button);
        const qreal ratio = window.devicePixelRatio();
        // At least a sixth of the glyph's square is drawn (the sparsest glyph, the page, has
        // about a quarter).
        QVERIFY2(painted >= qRound(16 * 16 * ratio * ratio / 6),
                 qPrintable(QString::number(painted)));
        // Drawn for the screen's pixels, not scaled up from fewer.
        const QPixmap pixmap = button->icon().pixmap(QSize(16, 16), ratio);
        QCOMPARE(pixmap.size(), QSize(16, 16) * ratio);
        button->setEnabled(false);
        QVERIFY(glyphPixels(*button) > 0);
    }

    // "Seite x von y" right of the buttons follows paging and scrolling; without a document
    // it is empty.
    void pageLabel()
    {
        TfrmPDFFenster window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto *label = window.findChild<QLabel *>(u"lblSeite"_s);
        QVERIFY(label != nullptr);
        QVERIFY(label->geometry().left() >= 312); // right of "Zwei Seiten nebeneinander"
        QCOMPARE(window.pageText(), QString());
        window.LoadDocument(m_document);
        QCOMPARE(window.pageText(), u"Seite 1 von 3"_s);
        QCOMPARE(label->text(), window.pageText());
        click(window, u"sbtnNext"_s);
        QCOMPARE(window.pageText(), u"Seite 2 von 3"_s);
        click(window, u"sbtnLast"_s);
        QCOMPARE(window.pageText(), u"Seite 3 von 3"_s);
        QScrollBar *bar = pageScrollBar(window);
        QVERIFY(bar != nullptr);
        bar->setValue(bar->minimum());
        QCOMPARE(window.pageText(), u"Seite 1 von 3"_s);
        // The text is painted, right of the buttons.
        const QImage strip = label->grab().toImage();
        int dark = 0;
        for (int y = 0; y < strip.height(); ++y) {
            for (int x = 0; x < strip.width(); ++x)
                dark += qGray(strip.pixel(x, y)) < 100;
        }
        QVERIFY(dark > 20);
        // A file the engine refuses leaves no page to name.
        const QString broken = m_folder.filePath(u"kaputt.pdf"_s);
        QFile file(broken);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("kein PDF");
        file.close();
        window.LoadDocument(broken);
        QCOMPARE(window.pageText(), QString());
        m_dialogs.clear();
    }

    // Ctrl+P asks for the printer as the print button does, wherever the focus is.
    void ctrlPPrints()
    {
        TfrmPDFFenster window;
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        window.LoadDocument(m_document);
        for (QWidget *target :
             {static_cast<QWidget *>(&window), window.pdfView()->focusProxy()->focusProxy()}) {
            window.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&window));
            target->setFocus();
            QCOMPARE(QApplication::focusWidget(), target);
            int dialogs = 0;
            QTimer answer;
            connect(&answer, &QTimer::timeout, this, [&] {
                if (auto *dialog =
                        qobject_cast<QPrintDialog *>(QApplication::activeModalWidget())) {
                    ++dialogs;
                    dialog->reject();
                }
            });
            answer.start(10);
            QTest::keyClick(target, Qt::Key_P, Qt::ControlModifier);
            QTRY_COMPARE(dialogs, 1);
        }
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
