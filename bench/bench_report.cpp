// The list report of 100,000 generated data sheets, straight to a PDF file (no preview):
// once through the report host as the print command runs it, and once stage by stage through
// the engine. Prints figures; asserts nothing. Needs pdfinfo (package poppler-utils).
// Usage: bench_report [--keep <file.pdf>]
#include "catalogue/tkennblattliste.h"
#include "list/sortorder.h"
#include "list/sortranking.h"
#include "platform/cp1252.h"
#include "platform/dialogservice.h"
#include "printing/interactivereportsystem.h"
#include "printing/reportdocument.h"
#include "printing/reportprojectreader.h"
#include "printing/reportrenderpdf.h"
#include "printing/untlisten.h"
#include "samples.h"
#include "silentdialogs.h"
#include "tools/demo/democatalogue.h"
#include "vectorcurrentlist.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

constexpr int sheetCount = 100'000;
constexpr int rounds = 3;

double peakRssMb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

// CPU time of the process (user and system), which a busy machine distorts less than the
// wall-clock time.
double cpuMs()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto ms = [](const timeval &t) {
        return double(t.tv_sec) * 1e3 + t.tv_usec / 1e3;
    };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

double msSince(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

int pdfPages(const QString &path)
{
    QProcess pdfinfo;
    pdfinfo.start(u"pdfinfo"_s, {path});
    pdfinfo.waitForFinished(60000);
    static const QRegularExpression pages(uR"(Pages:\s*(\d+))"_s);
    return pages.match(QString::fromUtf8(pdfinfo.readAllStandardOutput())).captured(1).toInt();
}

void fill(TKennblattListe &catalogue)
{
    const Demo::Catalogue demo = Demo::generateCatalogue(sheetCount);
    for (const Demo::DataSheet &sheet : demo.sheets) {
        catalogue.Add(sheet.number().toLatin1(), Cp1252::fromUnicode(sheet.brand),
                      Cp1252::fromUnicode(sheet.fluxBrand),
                      Cp1252::fromUnicode(demo.manufacturerOf(sheet).key),
                      Cp1252::fromUnicode(demo.kindOf(sheet).key),
                      Cp1252::fromUnicode(demo.organisationOf(sheet).key), sheet.changed ? 2 : 1);
    }
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList arguments = QApplication::arguments();
    const qsizetype keepAt = arguments.indexOf(u"--keep"_s);
    const QString keep = keepAt > 0 ? arguments.value(keepAt + 1) : QString();

    TKennblattListe catalogue;
    fill(catalogue);
    VectorCurrentList list;
    list.sort = 1;
    const SortRanking byNumber(catalogue, int(ListColumn::Nummer));
    for (const qint32 record : byNumber.order(true))
        list.rows.push_back(&catalogue.Get(record));

    QTemporaryDir dir;
    const QString previous = QDir::currentPath();
    QFile::copy(QStringLiteral(KB_REPORT_PROJECT), dir.filePath(u"Listen.xml"_s));
    QDir::setCurrent(dir.path());
    const QString output = dir.filePath(u"Liste.pdf"_s);
    const double baseRss = peakRssMb();

    std::printf("List report of %d data sheets to a PDF file\n", catalogue.Count());
    std::printf("  through the report host, status window shown (offscreen):\n");
    SilentDialogs dialogs;
    TfrmReport form(dir.filePath(u"k.INI"_s), nullptr);
    form.ReportSystem1->settings().destination = ReportDestination::File;
    form.ReportSystem1->settings().outputFile = output;
    Samples warm;
    Samples warmCpu;
    for (int round = 0; round <= rounds; ++round) {
        QElapsedTimer timer;
        timer.start();
        const double cpuBefore = cpuMs();
        form.RunListReport(0, list, "2026.2", "Ausgabe Herbst 2026", dialogs);
        const double ms = msSince(timer);
        const double cpu = cpuMs() - cpuBefore;
        if (round == 0) {
            std::printf("    first run (reads Listen.xml, loads fonts)  %.0f ms, CPU %.0f ms\n", ms,
                        cpu);
        } else {
            warm.add(ms);
            warmCpu.add(cpu);
        }
    }
    std::printf("    warm runs  %s\n", qPrintable(warm.summary("ms", 0)));
    std::printf("    CPU time   %s\n", qPrintable(warmCpu.summary("ms", 0)));
    std::printf("    %d pages, %.1f MB\n", pdfPages(output),
                double(QFile(output).size()) / (1024.0 * 1024.0));

    // The same work stage by stage, without the host and the status window.
    const ReportProjectContents project = readReportProject(u"Listen.xml"_s);
    QElapsedTimer timer;
    timer.start();
    const QHash<QString, QString> parameters = {
        {u"Norvenz"_s, u"Ausgabe Herbst 2026"_s},
        {u"Fassung"_s, u"2026.2"_s},
        {u"Sortiert"_s, u"Sortiert nach Kennblattnummer"_s}};
    ReportDocument document(*project.find(u"Report1"_s), parameters, QDateTime::currentDateTime());
    form.NurMarkierte = false;
    form.setCurrentList(&list);
    document.setData(ReportData::pull(*form.ReportConnection1, document.layout().fields()));
    const double pulled = msSince(timer);
    timer.restart();
    while (document.generateNextPage()) {
    }
    const double laidOut = msSince(timer);
    timer.restart();
    ReportRenderPdf pdf;
    pdf.write(document, output, u"Norvenz Report"_s);
    const double written = msSince(timer);
    std::printf("  stage by stage (warm): rows pulled %.0f ms, %d pages laid out %.0f ms, "
                "PDF painted and written %.0f ms\n",
                pulled, document.pageCount(), laidOut, written);

    if (!keep.isEmpty()) {
        QFile::remove(keep);
        QFile::copy(output, keep);
    }
    QDir::setCurrent(previous);
    std::printf("  peak memory (ru_maxrss) %.0f MB; %.0f MB of it before the first run "
                "(generated catalogue)\n",
                peakRssMb(), baseRss);
    std::printf("  goal: under 10 s and under 300 MB\n");
    return 0;
}
