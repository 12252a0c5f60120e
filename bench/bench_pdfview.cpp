// The PDF engine through the view control, offscreen: from LoadFromFile of a two-page data
// sheet until its first page is painted at page width, against pdftoppm rendering the same
// page as a whole process; and paging through a 50-page document, until each page is
// painted. Prints figures; asserts nothing.
//   bench_pdfview [--screenshot file.png]
#include "documents/pdfview.h"
#include "documents/pdfviewcommands.h"
#include "pdfbench.h"
#include "tools/demo/datasheetpdf.h"
#include "tools/demo/democatalogue.h"
#include "tools/demo/demoreferences.h"

#include <QApplication>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>

using namespace Qt::StringLiterals;
using namespace PDFViewCommands;

namespace {

constexpr int Runs = 20;
constexpr int TimeoutMs = 10000;

// The page count the engine reports: it shows the last page.
int pageCount(TPDFView &view, const QString &path)
{
    int last = 0;
    const auto connection =
        QObject::connect(&view, &TPDFView::OnChangeViewPage, &view, [&](int page) { last = page; });
    if (view.LoadFromFile(path))
        view.SendCommand(CmdLastPage);
    QObject::disconnect(connection);
    return last;
}

double pdftoppmMs(const QString &pdf, const QString &prefix)
{
    QElapsedTimer clock;
    clock.start();
    QProcess process;
    process.start(u"pdftoppm"_s, {u"-r"_s, u"96"_s, u"-f"_s, u"1"_s, u"-l"_s, u"1"_s, pdf, prefix});
    if (!process.waitForFinished(TimeoutMs) || process.exitCode() != 0)
        return -1.0;
    return double(clock.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char *argv[])
{
    // Offscreen unless told otherwise (for instance xcb under Xvfb).
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList arguments = QApplication::arguments();
    const qsizetype screenshotArgument = arguments.indexOf(u"--screenshot"_s);
    SilentDialogs dialogs;
    TPDFView::EngineLibraryName = QStringLiteral(PDF_ENGINE);
    TPDFView::setDialogService(&dialogs);

    QTemporaryDir folder;
    TPDFView view;
    view.resize(643, 611);
    view.setViewControls(TPDFView::pvHorzScrollBar | TPDFView::pvVertScrollBar);
    view.show();
    view.SendCommand(CmdPageWidth);
    PdfBench::PaintWatcher watcher(view);
    if (!watcher.attached()) {
        std::fprintf(stderr, "the engine's page view was not found\n");
        return 1;
    }

    // A two-page data sheet of the demo catalogue.
    const Demo::Catalogue catalogue = Demo::generateCatalogue(3000);
    QString sheet;
    QString error;
    for (qsizetype i = 0; i < catalogue.sheets.size() && sheet.isEmpty(); ++i) {
        const QString path = folder.filePath(u"sheet%1.pdf"_s.arg(i));
        if (Demo::writeDataSheetPdf(catalogue, catalogue.sheets.at(i), path, &error) &&
            pageCount(view, path) == 2)
            sheet = path;
    }
    // The list by number: about one page per 50 sheets.
    const QString list = folder.filePath(u"liste.pdf"_s);
    if (sheet.isEmpty() || !Demo::writeListByNumber(catalogue, list, &error) ||
        pageCount(view, list) < 50) {
        std::fprintf(stderr, "cannot write the documents: %s\n", qPrintable(error));
        return 1;
    }

    QList<double> engine;
    QList<double> pdftoppm;
    for (int run = 0; run < Runs; ++run) {
        watcher.restart();
        if (!view.LoadFromFile(sheet) || !watcher.wait(0, TimeoutMs))
            return 1;
        engine.append(watcher.elapsedMs());
        pdftoppm.append(pdftoppmMs(sheet, folder.filePath(u"ppm"_s)));
    }
    std::printf("Two-page data sheet, view 643 x 611 at page width (%d %%), %s:\n",
                view.SendCommandValue(CmdGetZoom, 0), qPrintable(QGuiApplication::platformName()));
    PdfBench::printFigures("  LoadFromFile until page 1 painted (cold cache)", engine);
    PdfBench::printFigures("  pdftoppm -r 96 -f 1 -l 1, whole process", pdftoppm);
    if (screenshotArgument >= 0 && screenshotArgument + 1 < arguments.size())
        view.grab().save(arguments.at(screenshotArgument + 1));

    QList<double> firstVisit;
    QList<double> fromCache;
    watcher.restart();
    if (!view.LoadFromFile(list) || !watcher.wait(0, TimeoutMs))
        return 1;
    for (QList<double> *figures : {&firstVisit, &fromCache}) {
        view.SendCommand(CmdFirstPage);
        watcher.wait(0, TimeoutMs);
        for (int page = 1; page < 50; ++page) {
            watcher.restart();
            view.SendCommand(CmdNextPage);
            if (!watcher.wait(page, TimeoutMs))
                return 1;
            figures->append(watcher.elapsedMs());
        }
    }
    std::printf("50-page document, next page until painted:\n");
    PdfBench::printFigures("  first visit (the engine may have prefetched the page)", firstVisit);
    PdfBench::printFigures("  again, from the cache", fromCache);
    return 0;
}
