// The engine library through the PDF view control, on PDF files written by the test.
#include "documents/pdfview.h"
#include "documents/pdfviewcommands.h"
#include "enginetestview.h"
#include "scripteddialogservice.h"
#include "testfiles.h"
#include "testpdfs.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QScrollBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolBar>
#include <QTreeWidget>

using namespace Qt::StringLiterals;
using namespace PDFViewCommands;
using View = TPDFView;

class TestPdfEngine : public QObject
{
    Q_OBJECT

private:
    ScriptedDialogService m_dialogs;
    QTemporaryDir m_folder;
    const QString m_url = u"https://www.example.org/kennblatt?nr=01234.05"_s;

    QString file(const QString &name) const { return m_folder.filePath(name); }

    // The rows of the view's pixels (logical) where the highlight's yellow shows.
    static QList<int> highlightRows(QWidget &viewport)
    {
        const QImage image = viewport.grab().toImage();
        const qreal ratio = image.devicePixelRatio();
        QList<int> rows;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QRgb p = image.pixel(x, y);
                if (qRed(p) > 240 && qBlue(p) < 190 && qGreen(p) > 200) {
                    rows.append(qRound(y / ratio));
                    break;
                }
            }
        }
        return rows;
    }

private Q_SLOTS:
    void initTestCase()
    {
        TPDFView::EngineLibraryName = QStringLiteral(PDF_ENGINE);
        TPDFView::setDialogService(&m_dialogs);
        QVERIFY(TestPdfs::writeTextPdf(file(u"drei.pdf"_s),
                                       {u"Seite eins"_s, u"Seite zwei"_s, u"Seite drei"_s}));
        QVERIFY(TestPdfs::writePlainPdf(
            file(u"links.pdf"_s), {u"Erste Seite"_s, u"Zweite Seite"_s, u"Dritte Seite"_s}, m_url));
        const QByteArray good = readFile(file(u"drei.pdf"_s));
        writeFile(file(u"abgeschnitten.pdf"_s), good.left(good.size() / 3));
        QVERIFY(TestPdfs::writeUnshowablePdfs(m_folder.path()));
        if (!TestPdfs::encryptWithQpdf(file(u"drei.pdf"_s), file(u"geschützt.pdf"_s),
                                       u"Schweißnaht"_s))
            qWarning("qpdf is not installed: the tests of protected files are skipped");
    }

    void cleanupTestCase()
    {
        // The engine loaded without a word.
        QCOMPARE(m_dialogs.shown(), QList<MessageBoxSpec>());
    }

    void paging_data()
    {
        QTest::addColumn<QList<int>>("commands");
        QTest::addColumn<QList<int>>("pages");
        QTest::newRow("next twice") << QList<int>{23, 23} << QList<int>{2, 3};
        QTest::newRow("next at the end") << QList<int>{24, 23} << QList<int>{3};
        QTest::newRow("last, previous, first") << QList<int>{24, 21, 20} << QList<int>{3, 2, 1};
        QTest::newRow("previous at the start") << QList<int>{21} << QList<int>{};
    }
    void paging()
    {
        QFETCH(QList<int>, commands);
        QFETCH(QList<int>, pages);
        EngineTestView engine;
        QList<int> reported;
        connect(&engine.view, &TPDFView::OnChangeViewPage, this,
                [&](int page) { reported.append(page); });
        QVERIFY(engine.view.LoadFromFile(file(u"drei.pdf"_s)));
        QCOMPARE(engine.view.Version(), 100);
        QCOMPARE(reported, QList<int>({1}));
        reported.clear();
        for (int command : std::as_const(commands))
            QCOMPARE(engine.view.SendCommand(command), 0);
        QCOMPARE(reported, pages);
    }

    void searchCommandsGoToAPageAndMarkText()
    {
        EngineTestView engine;
        TPDFView &view = engine.view;
        QCOMPARE(view.SendCommandValue(CmdGoToPage, 0), -1);
        QCOMPARE(view.SendCommandText(CmdHighlightText, u"Seite"_s), 0);
        QVERIFY(view.LoadFromFile(file(u"drei.pdf"_s)));
        QSignalSpy pages(&view, &TPDFView::OnChangeViewPage);
        QCOMPARE(view.SendCommandText(CmdHighlightText, u"SEITE\nnirgends\ndrei"_s), 4);
        QCOMPARE(view.SendCommandValue(CmdGoToPage, 2), 0);
        QCOMPARE(view.SendCommandValue(CmdGoToPage, 3), -1);
        QCOMPARE(pages.count(), 1);
        QCOMPARE(pages.first().first().toInt(), 3);
    }

    // A hit deep down a page comes into view a little below the view's top edge, not glued to
    // it.
    void searchHitLiesBelowTheTopEdge()
    {
        QStringList lines;
        for (int i = 0; i < 40; ++i)
            lines.append(i == 30 ? u"Schweißgut Fundstelle"_s : u"Zeile %1"_s.arg(i));
        QVERIFY(TestPdfs::writeLinesPdf(file(u"zeilen.pdf"_s),
                                        {u"Erste"_s, lines.join(u'\n'), u"Dritte"_s}));
        EngineTestView engine;
        TPDFView &view = engine.view;
        QVERIFY(view.LoadFromFile(file(u"zeilen.pdf"_s)));
        QCOMPARE(view.SendCommandText(CmdHighlightText, u"Fundstelle"_s), 1);
        QCOMPARE(view.SendCommandValue(CmdGoToPage, 1), 0);
        const QList<int> rows = highlightRows(*engine.pages()->viewport());
        QVERIFY(!rows.isEmpty());
        QVERIFY2(rows.first() >= 40 && rows.first() <= 56,
                 qPrintable(QString::number(rows.first())));
    }

    // The page on the screen is as sharp as pdftoppm draws it at the screen's own pixels (the
    // suite runs once more with QT_SCALE_FACTOR=2): Poppler renders for the device pixels.
    void pageIsRenderedForTheScreensPixels()
    {
        QStringList lines;
        for (int i = 0; i < 30; ++i)
            lines.append(u"Schweißzusatz %1: Grundwerkstoff S355J2, Schutzgas M21"_s.arg(i));
        const QString pdf = file(u"schrift.pdf"_s);
        QVERIFY(TestPdfs::writeLinesPdf(pdf, {lines.join(u'\n')}));
        EngineTestView engine;
        QVERIFY(engine.view.LoadFromFile(pdf));
        QVERIFY(engine.waitForPainted(0));
        const QImage shown =
            engine.pages()->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        // The page: the white area on the grey background.
        QRect page;
        for (int y = 0; y < shown.height(); ++y) {
            for (int x = 0; x < shown.width(); ++x) {
                if (shown.pixel(x, y) == qRgb(255, 255, 255))
                    page |= QRect(x, y, 1, 1);
            }
        }
        QVERIFY(page.width() > 200);
        // The page's full height in device pixels follows from its width.
        const int height = qRound(page.width() * TestPdfs::A4.height() / TestPdfs::A4.width());
        QProcess pdftoppm;
        pdftoppm.start(u"pdftoppm"_s, {u"-png"_s, u"-singlefile"_s, u"-scale-to-x"_s,
                                       QString::number(page.width()), u"-scale-to-y"_s,
                                       QString::number(height), pdf, file(u"referenz"_s)});
        QVERIFY(pdftoppm.waitForFinished(30000));
        const QImage reference =
            QImage(file(u"referenz.png"_s)).convertToFormat(QImage::Format_RGB32);
        QCOMPARE(reference.width(), page.width());
        // Sharpness: the squared steps between neighbouring pixels. A page drawn for fewer
        // pixels and scaled up is blurred and has far less of it; fonts drawn a little
        // differently by the two change it little.
        const auto sharpness = [](const QImage &image, const QRect &area) {
            double sum = 0;
            for (int y = area.top(); y <= area.bottom(); ++y) {
                for (int x = area.left(); x < area.right(); ++x) {
                    const int step = qGray(image.pixel(x + 1, y)) - qGray(image.pixel(x, y));
                    sum += double(step) * step;
                }
            }
            return sum;
        };
        const int rows = std::min(page.height(), reference.height());
        const double ratio = sharpness(shown, QRect(page.left(), page.top(), page.width(), rows)) /
                             sharpness(reference, QRect(0, 0, page.width(), rows));
        QVERIFY2(ratio > 0.9 && ratio < 1.1, qPrintable(QString::number(ratio)));
    }

    void zoomStaysWithinItsLimits()
    {
        EngineTestView engine;
        TPDFView &view = engine.view;
        QVERIFY(view.LoadFromFile(file(u"drei.pdf"_s)));
        view.SendCommand(CmdPageWidth);
        const int pageWidth = view.SendCommandValue(CmdGetZoom, 0);
        QVERIFY(view.SendCommand(CmdZoomIn) >= 0);
        QVERIFY(view.SendCommandValue(CmdGetZoom, 0) > pageWidth);
        int steps = 0;
        while (view.SendCommand(CmdZoomIn) >= 0 && steps < 50)
            ++steps;
        QCOMPARE(view.SendCommandValue(CmdGetZoom, 0), 800);
        while (view.SendCommand(CmdZoomOut) >= 0 && steps < 100)
            ++steps;
        QCOMPARE(view.SendCommandValue(CmdGetZoom, 0), 10);
        // Ctrl with plus, minus and the wheel zoom in the same steps.
        view.SendCommand(CmdPageWidth);
        QTest::keyClick(engine.pages(), Qt::Key_Plus, Qt::ControlModifier);
        const int zoomedIn = view.SendCommandValue(CmdGetZoom, 0);
        QVERIFY(zoomedIn > pageWidth);
        QTest::keyClick(engine.pages(), Qt::Key_Minus, Qt::ControlModifier);
        QVERIFY(view.SendCommandValue(CmdGetZoom, 0) < zoomedIn);
        QWheelEvent wheel(QPointF(100, 100), engine.pages()->mapToGlobal(QPointF(100, 100)),
                          QPoint(), QPoint(0, 120), Qt::NoButton, Qt::ControlModifier,
                          Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(engine.pages()->viewport(), &wheel);
        QCOMPARE(view.SendCommandValue(CmdGetZoom, 0), zoomedIn);
    }

    void fitModes()
    {
        EngineTestView engine;
        TPDFView &view = engine.view;
        QVERIFY(view.LoadFromFile(file(u"drei.pdf"_s)));
        view.SendCommand(CmdPageWidth);
        const int pageWidth = view.SendCommandValue(CmdGetZoom, 0);
        view.SendCommand(CmdWholePage);
        const int wholePage = view.SendCommandValue(CmdGetZoom, 0);
        view.SendCommand(CmdTwoPages);
        const int twoPages = view.SendCommandValue(CmdGetZoom, 0);
        // A portrait page in a square view: the whole page is smaller than its width.
        QVERIFY2(wholePage < pageWidth * 0.8, qPrintable(u"%1 %2"_s.arg(wholePage).arg(pageWidth)));
        QVERIFY(qAbs(twoPages * 2 - pageWidth) <= 4);
        // The fit follows the window.
        view.SendCommand(CmdPageWidth);
        view.resize(900, 611);
        QTRY_VERIFY(view.SendCommandValue(CmdGetZoom, 0) > pageWidth);
    }

    void keys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("presses");
        QTest::addColumn<int>("page");
        QTest::newRow("End") << int(Qt::Key_End) << 1 << 3;
        QTest::newRow("arrow right pages on at page width") << int(Qt::Key_Right) << 1 << 2;
        QTest::newRow("Page Down scrolls") << int(Qt::Key_PageDown) << 2 << 2;
        QTest::newRow("Home at the start") << int(Qt::Key_Home) << 1 << 1;
    }
    void keys()
    {
        QFETCH(int, key);
        QFETCH(int, presses);
        QFETCH(int, page);
        EngineTestView engine;
        int shown = 0;
        connect(&engine.view, &TPDFView::OnChangeViewPage, this, [&](int p) { shown = p; });
        QVERIFY(engine.view.LoadFromFile(file(u"drei.pdf"_s)));
        for (int i = 0; i < presses; ++i)
            QTest::keyClick(engine.pages(), Qt::Key(key));
        QCOMPARE(shown, page);
    }

    void keyHandlerReplacesTheKey()
    {
        EngineTestView engine;
        int shown = 0;
        connect(&engine.view, &TPDFView::OnChangeViewPage, this, [&](int p) { shown = p; });
        quint16 replacement = KeyHome;
        connect(&engine.view, &TPDFView::OnKeyDown, this, [&](quint16 &key, View::TShiftState) {
            if (key == KeyEnd)
                key = replacement;
        });
        QVERIFY(engine.view.LoadFromFile(file(u"drei.pdf"_s)));
        engine.view.SendCommand(CmdNextPage);
        QTest::keyClick(engine.pages(), Qt::Key_End);
        QCOMPARE(shown, 1);
        engine.view.SendCommand(CmdNextPage);
        replacement = 0;
        QTest::keyClick(engine.pages(), Qt::Key_End);
        QCOMPARE(shown, 2);
    }

    void badFiles_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing") << u"fehlt.pdf"_s << u"wurde nicht gefunden."_s;
        QTest::newRow("zero bytes") << u"leer.pdf"_s << u"ist leer."_s;
        QTest::newRow("not a PDF") << u"text.pdf"_s << u"ist kein lesbares PDF-Dokument"_s;
        QTest::newRow("truncated") << u"abgeschnitten.pdf"_s << u"ist kein lesbares PDF-Dokument"_s;
        QTest::newRow("no pages") << u"ohne Seiten.pdf"_s << u"enthält keine Seiten."_s;
        QTest::newRow("protected, no password") << u"geschützt.pdf"_s << u"Kennwort"_s;
    }
    void badFiles()
    {
        QFETCH(QString, name);
        QFETCH(QString, message);
        if (name == u"geschützt.pdf"_s && !QFile::exists(file(name)))
            QSKIP("qpdf is not installed");
        EngineTestView engine(View::pvDontAskForPassword);
        QStringList errors;
        connect(&engine.view, &TPDFView::OnError, this,
                [&](const QString &text) { errors.append(text); });
        QVERIFY(engine.view.LoadFromFile(file(u"drei.pdf"_s)));
        QVERIFY(!engine.view.LoadFromFile(file(name)));
        QCOMPARE(errors.size(), 1);
        QVERIFY2(errors.first().contains(message), qPrintable(errors.first()));
        QVERIFY(errors.first().contains(name));
        QCOMPARE(engine.view.LastLoadedFile(), file(u"drei.pdf"_s));
        QCOMPARE(engine.view.SendCommand(CmdNextPage), -1);
        // The window goes on working.
        QVERIFY(engine.view.LoadFromFile(file(u"drei.pdf"_s)));
        QCOMPARE(engine.view.SendCommand(CmdNextPage), 0);
    }

    void passwords()
    {
        if (!QFile::exists(file(u"geschützt.pdf"_s)))
            QSKIP("qpdf is not installed");
        EngineTestView given(View::pvDontAskForPassword);
        given.view.setLoadPassword(u"Schweißnaht"_s);
        QVERIFY(given.view.LoadFromFile(file(u"geschützt.pdf"_s)));

        EngineTestView asked(View::pvDontAskForPassword);
        int requests = 0;
        connect(&asked.view, &TPDFView::OnNeedPassword, this, [&] {
            ++requests;
            asked.view.setLoadPassword(requests == 1 ? u"falsch"_s : u"Schweißnaht"_s);
        });
        QVERIFY(!asked.view.LoadFromFile(file(u"geschützt.pdf"_s)));
        QCOMPARE(requests, 1);
        QVERIFY(asked.view.LoadFromFile(file(u"geschützt.pdf"_s)));
        QCOMPARE(requests, 2);
    }

    void links_data()
    {
        QTest::addColumn<int>("options");
        QTest::addColumn<QList<int>>("pageLink");
        QTest::addColumn<QStringList>("webLinks");
        QTest::addColumn<int>("shownPage");
        QTest::newRow("followed") << 0 << QList<int>{3, 0, 0} << QStringList{m_url} << 3;
        QTest::newRow("hyperlinks off")
            << int(View::pvDontUseHyperlinks) << QList<int>{} << QStringList{} << 1;
    }
    void links()
    {
        QFETCH(int, options);
        QFETCH(QList<int>, pageLink);
        QFETCH(QStringList, webLinks);
        QFETCH(int, shownPage);
        EngineTestView engine(View::TPDFViewOptions::fromInt(options));
        QList<int> pageLinks;
        QStringList web;
        int shown = 0;
        connect(&engine.view, &TPDFView::OnHyperlinkPage, this, [&](int page, int x, int y) {
            pageLinks = {page, x, y};
        });
        connect(&engine.view, &TPDFView::OnHyperlinkWWW, this,
                [&](const QString &url) { web.append(url); });
        connect(&engine.view, &TPDFView::OnChangeViewPage, this, [&](int p) { shown = p; });
        engine.view.SendCommand(CmdWholePage);
        QVERIFY(engine.view.LoadFromFile(file(u"links.pdf"_s)));
        QVERIFY(engine.waitForPainted(0));
        // The page fills the view's height: its lower half links to the web, the upper half to
        // page 3.
        QWidget *viewport = engine.pages()->viewport();
        const int x = viewport->width() / 2;
        QTest::mouseClick(viewport, Qt::LeftButton, {}, QPoint(x, viewport->height() * 3 / 4));
        QTest::mouseClick(viewport, Qt::LeftButton, {}, QPoint(x, viewport->height() / 4));
        QCOMPARE(pageLinks, pageLink);
        QCOMPARE(web, webLinks);
        QCOMPARE(shown, shownPage);
    }

    void securitySwitchesRefuse()
    {
        QGuiApplication::clipboard()->setText(u"vorher"_s);
        EngineTestView open;
        QVERIFY(open.view.LoadFromFile(file(u"drei.pdf"_s)));
        QTest::keyClick(open.pages(), Qt::Key_C, Qt::ControlModifier);
        QVERIFY(QGuiApplication::clipboard()->text().contains(u"Seite eins"_s));

        QGuiApplication::clipboard()->setText(u"vorher"_s);
        EngineTestView locked({}, View::pvDisableCopy | View::pvDisablePrint);
        QStringList errors;
        connect(&locked.view, &TPDFView::OnError, this,
                [&](const QString &text) { errors.append(text); });
        QVERIFY(locked.view.LoadFromFile(file(u"drei.pdf"_s)));
        QTest::keyClick(locked.pages(), Qt::Key_C, Qt::ControlModifier);
        locked.view.PrintPages(0, 99);
        QCOMPARE(QGuiApplication::clipboard()->text(), u"vorher"_s);
        QCOMPARE(errors, QStringList({u"Das Kopieren aus diesem Dokument ist gesperrt."_s,
                                      u"Das Drucken dieses Dokuments ist gesperrt."_s}));
    }

    void shownParts_data()
    {
        QTest::addColumn<int>("controls");
        QTest::addColumn<QList<bool>>("shown"); // scroll bar, view panel, navigation, properties
        QTest::newRow("nothing") << 0 << QList<bool>{false, false, false, false};
        QTest::newRow("scroll bars") << int(View::pvHorzScrollBar | View::pvVertScrollBar)
                                     << QList<bool>{true, false, false, false};
        QTest::newRow("view panel")
            << int(View::pvViewPanel) << QList<bool>{false, true, false, false};
        QTest::newRow("navigation panel")
            << int(View::pvNavigationPanel) << QList<bool>{false, false, true, false};
        QTest::newRow("property panel")
            << int(View::pvPropertyPanel) << QList<bool>{false, false, false, true};
    }
    void shownParts()
    {
        QFETCH(int, controls);
        QFETCH(QList<bool>, shown);
        EngineTestView engine;
        QVERIFY(engine.view.LoadFromFile(file(u"drei.pdf"_s)));
        engine.view.setViewControls(View::TPDFViewControls::fromInt(controls));
        QWidget *window = engine.view.focusProxy();
        QTreeWidget *properties = nullptr;
        for (QTreeWidget *tree : window->findChildren<QTreeWidget *>()) {
            if (tree->headerItem()->text(0) == u"Eigenschaft"_s)
                properties = tree;
        }
        QVERIFY(properties != nullptr);
        const QList<bool> actual = {engine.pages()->verticalScrollBar()->isVisible(),
                                    window->findChild<QToolBar *>()->isVisible(),
                                    window->findChild<QTabWidget *>()->isVisible(),
                                    properties->isVisible()};
        QCOMPARE(actual, shown);
        if (shown.last()) {
            const QList<QTreeWidgetItem *> pages =
                properties->findItems(u"Seiten"_s, Qt::MatchExactly);
            QCOMPARE(pages.size(), 1);
            QCOMPARE(pages.first()->text(1), u"3"_s);
        }
    }
};

QTEST_MAIN(TestPdfEngine)
#include "tst_pdfengine.moc"
