// 1,000 damaged copies of generated data sheets (bytes changed, files cut short, both)
// through the engine via the view control: each is loaded and, when the engine takes it, its
// first page rendered. Prints how many were taken, the load and render times, and how many
// took longer than 5 s. Build it with -DKB_SANITIZE=ON to have AddressSanitizer watch.
//   bench_pdfsweep [count]
#include "documents/pdfview.h"
#include "documents/pdfviewcommands.h"
#include "pdfbench.h"
#include "tools/demo/datasheetpdf.h"
#include "tools/demo/democatalogue.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <random>

using namespace Qt::StringLiterals;
using namespace PDFViewCommands;

namespace {

constexpr int Sources = 12;
constexpr int LimitMs = 5000;

QByteArray mutated(QByteArray bytes, std::mt19937 &random)
{
    const auto below = [&](qsizetype n) {
        return qsizetype(
            std::uniform_int_distribution<qint64>(0, std::max<qint64>(0, n - 1))(random));
    };
    const int kind = int(below(4));
    if (kind == 0 || kind == 2) {
        // A few bytes anywhere, or a burst of them.
        const int changes = 1 + int(below(kind == 0 ? 8 : 200));
        const qsizetype start = below(bytes.size());
        for (int i = 0; i < changes; ++i) {
            const qsizetype at =
                kind == 0 ? below(bytes.size()) : std::min(bytes.size() - 1, start + i);
            bytes[at] = char(below(256));
        }
    }
    if (kind == 1 || kind == 2)
        bytes.truncate(below(bytes.size()));
    if (kind == 3) {
        // The structure words, where a reader is most easily led astray.
        static const QByteArrayList words = {"obj",    "endobj", "xref",  "trailer",   "/Length",
                                             "stream", "/Count", "/Kids", "startxref", "R"};
        for (int i = 0; i < 6; ++i) {
            const QByteArray &word = words.at(below(words.size()));
            const qsizetype at = bytes.indexOf(word, below(bytes.size()));
            if (at >= 0)
                bytes.replace(at, word.size(), QByteArray::number(qint64(below(1000000))));
        }
    }
    return bytes;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int count = argc > 1 ? std::max(1, atoi(argv[1])) : 1000;
    SilentDialogs dialogs;
    TPDFView::EngineLibraryName = QStringLiteral(PDF_ENGINE);
    TPDFView::setDialogService(&dialogs);

    QTemporaryDir folder;
    const Demo::Catalogue catalogue = Demo::generateCatalogue(Sources);
    QList<QByteArray> sources;
    QString error;
    for (const Demo::DataSheet &sheet : catalogue.sheets) {
        const QString path = folder.filePath(u"quelle.pdf"_s);
        if (!Demo::writeDataSheetPdf(catalogue, sheet, path, &error)) {
            std::fprintf(stderr, "cannot write a data sheet: %s\n", qPrintable(error));
            return 1;
        }
        QFile file(path);
        if (file.open(QIODevice::ReadOnly))
            sources.append(file.readAll());
    }

    TPDFView view;
    view.resize(643, 611);
    view.setViewOptions(TPDFView::pvDontAskForPassword);
    view.setViewControls(TPDFView::pvHorzScrollBar | TPDFView::pvVertScrollBar);
    view.show();
    view.SendCommand(CmdPageWidth);
    PdfBench::PaintWatcher watcher(view);
    int errors = 0;
    QObject::connect(&view, &TPDFView::OnError, &view, [&errors] { ++errors; });

    std::mt19937 random(20262);
    QList<double> loads;
    QList<double> renders;
    int taken = 0;
    int slow = 0;
    int unrendered = 0;
    for (int i = 0; i < count; ++i) {
        const QString path = folder.filePath(u"kaputt%1.pdf"_s.arg(i));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) ||
            file.write(mutated(sources.at(i % sources.size()), random)) < 0)
            return 1;
        file.close();
        watcher.restart();
        QElapsedTimer clock;
        clock.start();
        const bool loaded = view.LoadFromFile(path);
        loads.append(double(clock.nsecsElapsed()) / 1e6);
        if (loads.last() > LimitMs)
            ++slow;
        if (!loaded)
            continue;
        ++taken;
        if (watcher.wait(0, LimitMs, true))
            renders.append(watcher.elapsedMs());
        else
            ++unrendered;
        QFile::remove(path);
    }
    std::printf("%d damaged data sheets: %d taken by the engine, %d refused with %d error "
                "notifications\n",
                count, taken, count - taken, errors);
    PdfBench::printFigures("  load (LoadFromFile)", loads);
    PdfBench::printFigures("  first page rendered, of those taken", renders);
    std::printf("  loads over 5 s: %d; taken but page 1 not rendered within 5 s: %d\n", slow,
                unrendered);
    return 0;
}
